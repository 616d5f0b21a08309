#include "matrix/linear_solvers.h"

#include <algorithm>
#include <cassert>
#include <vector>

#include "matrix/blas_lapack.h"
#include "matrix/products.h"

namespace zelk {

double conditionEstimate(GenMatrix<double> A) {
    const int n = A.size(0), lda = std::max(1, A.leadingDim());
    assert(A.size(1) == n);
    // One-norm of A: the largest absolute column sum, taken before A is factored.
    ColumnVector<double> columnSums(n);
    for (int j = 0; j < n; ++j) columnSums(j) = sumAbs(A(LaIndex(), LaIndex(j, j)));
    const double anorm = n > 0 ? columnSums(indexOfMaxAbs(columnSums)) : 0.0;

    // dgecon works on the LU factors; a singular A has no finite condition number.
    ColumnVector<int> pivots(n);
    int info = 0;
    dgetrf_(&n, &n, A.data(), &lda, pivots.data(), &info);
    if (info > 0) return 0.0;

    std::vector<double> work(4 * static_cast<std::size_t>(n) + 1);
    std::vector<int> iwork(static_cast<std::size_t>(n) + 1);
    double rcond = 0.0;
    dgecon_("O", &n, A.data(), &lda, &anorm, &rcond, work.data(), iwork.data(), &info);
    return rcond;
}

}  // namespace zelk
