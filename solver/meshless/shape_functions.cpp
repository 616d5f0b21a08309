// MLS shape functions at one point: moment matrices, their Cholesky factor,
// and the solves for the values and the first derivatives.
//
//   A = sum w_I p_I p_I^T,  A gamma = p(x),  phi_I = w_I p_I^T gamma
//   A gamma_k = dp_k(x) - A_k gamma,  dphi_I/dx_k = w_I p_I^T gamma_k + dw_I/dx_k p_I^T gamma
#include <cmath>
#include <iomanip>
#include <iostream>

#include "input/fatal_exit.h"
#include "matrix/blas_lapack.h"
#include "matrix/linear_solvers.h"
#include "matrix/products.h"
#include "meshless/mls_approximation.h"
#include "meshless/weight_functions.h"

namespace zelk {

namespace {

// A(i, j) for i >= j over the lower triangle of a column-major block.
inline double& lowerAt(double* a, int ld, int i, int j) { return a[i + static_cast<std::ptrdiff_t>(j) * ld]; }

// Solves A X = rhs with the Cholesky factor in A's lower triangle; a LAPACK
// failure is reported and the computation goes on with what dpotrs left.
void solveWithFactor(SymmMatrix& A, double* rhs, int ldRhs, int columns) {
    const int m = A.size(0);
    const int lda = A.storage().leadingDim();
    int info = 0;
    dpotrs_("L", &m, &columns, A.storage().data(), &lda, rhs, &ldRhs, &info);
    if (info != 0) std::cout << "Error in LU solver of the coefficient matrix A\n";
}

}  // namespace

void MlsApproximation::assembleMoments(const double point[3], bool withDerivs, bool fillB) {
    const int m = numBasisTerms;
    const int c = InflPtsNb;
    const bool leastSquares = isLeastSquares();
    double* A = momentMatrix.storage().data();
    const int lda = momentMatrix.storage().leadingDim();
    double* Ak[3] = {momentDerivs[0].storage().data(), momentDerivs[1].storage().data(),
                     momentDerivs[2].storage().data()};
    if (c == 0) {
        // No node: A must not keep the previous point's factor.
        momentMatrix = 0.0;
        return;
    }
    const bool variable = isVariable();
    double pI[10];
    for (int H = 0; H < c; ++H) {
        const Node& node = nodes_[inflPts(H)];
        const double nodeXyz[3] = {node.x, node.y, node.z};
        if (!variable) {
            const int I = inflPts(H);
            currentSupport[0] = SupportSize(I, 0);
            currentSupport[1] = SupportSize(I, 1);
            currentSupport[2] = SupportSize(I, 2);
        }
        basisAt(point, nodeXyz, pI);
        WeightSample ws;
        if (leastSquares)
            ws.w = 1.0;
        else
            ws = weightWithGradient(settings, nodeXyz, currentSupport, point, withDerivs);

        const double beta = H == 0 ? 0.0 : 1.0;
        for (int j = 0; j < m; ++j) {
            for (int i = j; i < m; ++i) {
                const double pp = pI[i] * pI[j];
                double& a = lowerAt(A, lda, i, j);
                a = H == 0 ? ws.w * pp : ws.w * pp + beta * a;
                if (!withDerivs) continue;
                for (int k = 0; k < 3; ++k) {
                    double& ak = lowerAt(Ak[k], lda, i, j);
                    ak = H == 0 ? ws.dw[k] * pp : ws.dw[k] * pp + beta * ak;
                }
            }
        }
        if (!fillB) continue;
        double* bColumn = &B(0, H);
        for (int i = 0; i < m; ++i) bColumn[i] = ws.w * pI[i];
        if (!withDerivs) continue;
        for (int k = 0; k < 3; ++k) {
            double* bkColumn = &BDerivs[k](0, H);
            for (int i = 0; i < m; ++i) bkColumn[i] = ws.dw[k] * pI[i];
        }
    }
}

bool MlsApproximation::factorMomentMatrix(bool reportZeroDiagonal) {
    const int m = numBasisTerms;
    double* L = momentMatrix.storage().data();
    const int ld = momentMatrix.storage().leadingDim();
    for (int i = 0; i < m; ++i) {
        // Written as !(x >= t) so that a NaN entry fails too.
        if (!(lowerAt(L, ld, i, i) >= kPivotThreshold)) {
            if (reportZeroDiagonal && !quiet_) std::cout << i << "-th diagonal element is exactly zero\n";
            return false;
        }
        for (int j = i; j < m; ++j) {
            double v = lowerAt(L, ld, j, i);
            for (int l = 0; l < i; ++l) v -= lowerAt(L, ld, i, l) * lowerAt(L, ld, j, l);
            if (j == i) {
                if (!(v >= kPivotThreshold)) return false;
                lowerAt(L, ld, i, i) = std::sqrt(v);
            } else {
                lowerAt(L, ld, j, i) = v / lowerAt(L, ld, i, i);
            }
        }
    }
    return true;
}

bool MlsApproximation::shapeFunctions(const double point[3], int order, std::string_view mode) {
    findInfluenceNodes(point);  // too few nodes show up as a singular A below

    const int m = numBasisTerms;
    const int c = InflPtsNb;
    if (shapeValues.size(0) != c || B.size(0) != m || B.size(1) != c) {
        shapeValues.resize(c);
        shapeDerivs.resize(c, spaceDim);
        B.resize(m, c);
        for (GenMatrix<double>& Bk : BDerivs) Bk.resize(m, c);
    }

    const bool full = mode.substr(0, 4) == "FULL";
    const bool withDerivs = full && order > 0 && !isLeastSquares();
    assembleMoments(point, withDerivs, /*fillB=*/true);
    if (debugSwitch && debugOut.is_open()) writeDebugDump(point);

    if (!factorMomentMatrix(/*reportZeroDiagonal=*/true)) return false;

    basisAt(point, point, p.data());
    solveWithFactor(momentMatrix, p.data(), m, 1);
    multATx(B, p, shapeValues, 1.0, 0.0);
    if (order == 0) return true;

    basisDerivsAt(point, point, dp.data(), dp.leadingDim());
    if (withDerivs)
        for (int k = 0; k < 3; ++k) multSymmX(momentDerivs[k], p.data(), &dp(0, k), -1.0, 1.0);
    solveWithFactor(momentMatrix, dp.data(), dp.leadingDim(), 3);
    multATB(B, dp, shapeDerivs, 1.0, 0.0);
    if (withDerivs)
        for (int k = 0; k < 3; ++k) multATx(BDerivs[k], p.data(), &shapeDerivs(0, k), 1.0, 1.0);

    if (order == 1) return true;
    if (order == 2) {
        std::cout << "Shape function order is too high!!!!" << std::flush;
        fatalExit(1);
    }
    return false;
}

void MlsApproximation::writeDebugDump(const double point[3]) {
    const int m = numBasisTerms;
    const std::ios_base::fmtflags flags = debugOut.flags();
    const std::streamsize precision = debugOut.precision();
    debugOut << "\n\nEvPoint : " << std::scientific << "{ " << std::setprecision(4);
    for (int k = 0; k < 3; ++k) debugOut << std::setw(8) << point[k] << "   ";
    debugOut << " } " << "\n";
    debugOut << "InflPtsNb_ : " << InflPtsNb << "\n";
    for (int H = 0; H < InflPtsNb; ++H) {
        debugOut << std::setw(5) << inflPts(H);
        if ((H + 1) % 15 == 0) debugOut << "\n";
    }
    debugOut << "\n";
    const GenMatrix<double> full = momentMatrix.toGenMatrix();
    debugOut << "Matrix A : " << m << " X " << m << "\n" << full << "\n";
    debugOut << "Condition number = " << conditionEstimate(full) << "\n";
    // Later dumps (the support sizes) use the default number format.
    debugOut.flags(flags);
    debugOut.precision(precision);
}

}  // namespace zelk
