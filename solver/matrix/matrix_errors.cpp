// Out-of-line pieces of the matrix types: the allocation failure report and
// the printing of symmetric matrices.
#include <iostream>

#include "input/fatal_exit.h"
#include "matrix/gen_matrix.h"
#include "matrix/symm_matrix.h"

namespace zelk {

namespace matrix_detail {
void allocationFailed(long long rows, long long cols) {
    if (rows < 0 || cols < 0)
        std::cerr << "*** Error *** Invalid matrix size " << rows << " x " << cols << '\n';
    else
        std::cerr << "*** Error *** Not enough memory for a matrix of " << rows << " x " << cols
                  << " elements\n";
    fatalExit(1);
}
}  // namespace matrix_detail

std::ostream& operator<<(std::ostream& os, const SymmMatrix& S) {
    if (SymmMatrix::printInfo) {
        SymmMatrix::printInfo = 0;
        S.printHeader(os);
        return os;
    }
    for (int i = 0; i < S.size(0); ++i) {
        for (int j = 0; j < S.size(1); ++j) os << S(i, j) << ' ';
        os << std::endl;
    }
    return os;
}

}  // namespace zelk
