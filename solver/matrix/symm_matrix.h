// Lower-triangular and symmetric matrices stored in one GenMatrix of double.
#pragma once

#include <algorithm>
#include <cassert>
#include <ostream>

#include "matrix/gen_matrix.h"

namespace zelk {

// L(i, j) for i >= j is the stored element (column-major, as GenMatrix);
// above the diagonal L reads 0 and writes there are discarded.
class LowerTriangMatrix {
public:
    LowerTriangMatrix() = default;
    // Fresh m x n storage, all elements 0.
    LowerTriangMatrix(int m, int n) : stored_(m, n) {}

    // L(i, j); above the diagonal a scratch that is zeroed on every such access,
    // so a write there never changes a later read.
    double& operator()(int i, int j) {
        if (i >= j) return stored_(i, j);
        assert(i >= 0 && j < stored_.size(1));
        discarded_ = 0.0;
        return discarded_;
    }
    // L(i, j), 0 above the diagonal.
    double operator()(int i, int j) const {
        assert(i >= 0 && i < stored_.size(0) && j >= 0 && j < stored_.size(1));
        return i >= j ? stored_(i, j) : 0.0;
    }

    // Rows (d = 0) or columns (d = 1).
    int size(int d) const { return stored_.size(d); }
    // The whole storage, for BLAS and LAPACK (strictly upper part unspecified).
    GenMatrix<double>& storage() { return stored_; }
    const GenMatrix<double>& storage() const { return stored_; }

private:
    inline static double discarded_ = 0.0;  // target of writes above the diagonal
    GenMatrix<double> stored_;
};

// S(i, j) = S(j, i) = stored(max(i, j), min(i, j)): only the lower triangle with
// the diagonal is read or written; the strictly upper part of the storage is unused.
class SymmMatrix {
public:
    // Trace switch of this type; off, nothing turns it on.
    inline static int traceSwitch = 0;
    // One-shot header request for the next print of a SymmMatrix; constructors clear it.
    inline static int printInfo = 0;
    // Writes the flag only when it is set (matrices are made on several threads).
    static void clearPrintInfo() {
        if (printInfo != 0) printInfo = 0;
    }

    SymmMatrix() { clearPrintInfo(); }
    // Fresh m x n storage (m = n in use), all elements 0.
    SymmMatrix(int m, int n) : lower_(m, n) { clearPrintInfo(); }

    // S(i, j), the same element as S(j, i).
    double& operator()(int i, int j) { return i >= j ? stored()(i, j) : stored()(j, i); }
    const double& operator()(int i, int j) const {
        return i >= j ? stored()(i, j) : stored()(j, i);
    }

    // Order of the matrix along d.
    int size(int d) const { return stored().size(d); }
    // The whole storage (lower triangle meaningful), for BLAS and LAPACK.
    GenMatrix<double>& storage() { return lower_.storage(); }
    const GenMatrix<double>& storage() const { return lower_.storage(); }
    // The same elements seen as a lower-triangular matrix (a Cholesky factor in place).
    LowerTriangMatrix& lower() { return lower_; }
    const LowerTriangMatrix& lower() const { return lower_; }

    // Every element of the lower triangle: S(i, j) = s.
    SymmMatrix& operator=(double s) {
        for (int j = 0; j < size(1); ++j)
            for (int i = j; i < size(0); ++i) stored()(i, j) = s;
        return *this;
    }

    // S becomes a fresh n x n matrix; old contents are dropped.
    void resize(int n) {
        storage().resize(n, n);
        if (traceSwitch) [[unlikely]] {
            std::cout << "<<< resize: *this: ";
            printHeader(std::cout);
            std::cout << '\n';
        }
    }

    // Full matrix G with its own storage, G(i, j) = S(i, j) in both triangles.
    GenMatrix<double> toGenMatrix() const {
        GenMatrix<double> full(size(0), size(1));
        for (int j = 0; j < size(1); ++j)
            for (int i = 0; i < size(0); ++i) full(i, j) = (*this)(i, j);
        return full;
    }

    // Header line as GenMatrix's, with " sa:" for the shallow flag.
    void printHeader(std::ostream& os) const { storage().printHeader(os, " sa:"); }

private:
    GenMatrix<double>& stored() { return lower_.storage(); }
    const GenMatrix<double>& stored() const { return lower_.storage(); }

    LowerTriangMatrix lower_;
};

// Rows one per line, each element followed by one blank, each line flushed.
// With printInfo set, writes the header line instead (once).
std::ostream& operator<<(std::ostream& os, const SymmMatrix& S);

}  // namespace zelk
