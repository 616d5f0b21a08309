// GenMatrix: the dense matrix every numerical array of the solver is made of.
#pragma once

#include <cassert>
#include <cstddef>
#include <iostream>
#include <limits>
#include <memory>
#include <new>
#include <utility>

#include "matrix/la_index.h"

namespace zelk {

namespace matrix_detail {
// Print the message for a negative size or a failed allocation of rows x cols
// elements and end the run with exit code 1.
[[noreturn]] void allocationFailed(long long rows, long long cols);
}  // namespace matrix_detail

// A dense rows x cols matrix of T (double or int), elements addressed from 0.
//
// Storage is COLUMN-MAJOR: element (i, j) lies at data()[j * leadingDim() + i],
// exactly as BLAS and LAPACK expect, so data() and leadingDim() go to them as they are.
// The element block is reference-counted and may be shared:
//   - A(I, J) with two LaIndex ranges returns a WINDOW: a non-owning view onto
//     A's elements (writing through it writes A). It keeps the block alive, so it
//     may outlive A. Moving a window keeps it a window; v.share(X) turns v into a
//     view of whatever X sees.
//   - Copy construction and copy assignment always give a compact matrix that
//     owns its elements, whether the source is a window or not.
// Element access is bounds-checked by assert (Debug only) and costs one
// multiply-add in Release: no virtual call, no reference-count traffic.
template <typename T>
class GenMatrix {
public:
    // Class-wide trace switch: when non-zero, the main operations log to standard output.
    // Off; nothing in the program turns it on.
    inline static int traceSwitch = 0;
    // One-shot: when non-zero, the next print writes the header line instead of the
    // elements and clears it. Every constructor clears it.
    inline static int printInfo = 0;
    // Writes the flag only when it is set: matrices made on several threads at
    // once then only read it.
    static void clearPrintInfo() {
        if (printInfo != 0) printInfo = 0;
    }

    // Empty matrix with null ranges (0:0:0).
    GenMatrix() : store_(allocate(0, 0)), origin_(store_.get()) { clearPrintInfo(); }
    // Fresh m x n matrix, ranges (0:1:m-1) and (0:1:n-1), all elements 0.
    GenMatrix(int m, int n)
        : store_(allocate(m, n)),
          origin_(store_.get()),
          index_{LaIndex(0, m - 1), LaIndex(0, n - 1)},
          dim_{m, n},
          size_{m, n} {
        clearPrintInfo();
    }
    // Compact copy of what X sees; owns its elements.
    GenMatrix(const GenMatrix& X) : GenMatrix(X.size_[0], X.size_[1]) {
        if (traceSwitch) [[unlikely]]
            traceHeader(">>> GenMatrix::GenMatrix(const GenMatrix& X)\nX: ", X,
                        "\nData is being copied!\n\n");
        copyValues(X);
        if (traceSwitch) [[unlikely]]
            traceHeader("*this: ", *this, "<<< GenMatrix::GenMatrix(const GenMatrix& X)\n");
    }
    // Takes over X's view (a window stays a window); X is left empty.
    GenMatrix(GenMatrix&& X) noexcept {
        clearPrintInfo();
        swapWith(X);
    }
    // This becomes a compact copy of X. Not available on temporaries, so that
    // A(I, J) = B cannot silently assign to a discarded window (use copyValues).
    GenMatrix& operator=(const GenMatrix& X) & {
        if (this != &X) {
            GenMatrix copy(X);
            swapWith(copy);
        }
        return *this;
    }
    GenMatrix& operator=(GenMatrix&& X) & noexcept {
        if (this != &X) {
            GenMatrix taken(std::move(X));
            swapWith(taken);
        }
        return *this;
    }
    // Virtual so that vectors may be handled and destroyed through this type.
    virtual ~GenMatrix() = default;

    // Number of rows (d = 0) or columns (d = 1) seen through this matrix.
    int size(int d) const { return size_[d]; }
    // Range of this matrix's rows (d = 0) or columns (d = 1) inside the storage.
    const LaIndex& index(int d) const { return index_[d]; }
    // Rows (d = 0) or columns (d = 1) of the storage block.
    int dim(int d) const { return dim_[d]; }
    // Distance between the starts of two columns, dim(0).
    int leadingDim() const { return dim_[0]; }
    // Number of matrices using the element block.
    long refCount() const { return store_.use_count(); }
    // Kept for the header line: a matrix the caller holds is never in the
    // transient "shallow" state, windows included.
    int shallow() const { return 0; }
    // size(0) * size(1).
    int length() const { return size_[0] * size_[1]; }
    // True when what this matrix sees is one run of consecutive elements.
    bool isContiguous() const { return size_[0] == dim_[0] || size_[1] <= 1; }

    // Address of element (0, 0), for BLAS and LAPACK.
    T* data() { return origin_; }
    const T* data() const { return origin_; }

    // A(i, j).
    T& operator()(int i, int j) {
        assert(i >= 0 && i < size_[0] && j >= 0 && j < size_[1]);
        return origin_[static_cast<std::ptrdiff_t>(j) * dim_[0] + i];
    }
    const T& operator()(int i, int j) const {
        assert(i >= 0 && i < size_[0] && j >= 0 && j < size_[1]);
        return origin_[static_cast<std::ptrdiff_t>(j) * dim_[0] + i];
    }

    // Window onto rows I and columns J of this matrix (a null range = all of them).
    // Shares the elements: writing through it writes this matrix.
    GenMatrix operator()(const LaIndex& I, const LaIndex& J) {
        if (traceSwitch) [[unlikely]]
            std::cout << ">>> GenMatrix::operator(const LaIndex& const LaIndex&)\n";
        const int r0 = I.isNull() ? 0 : I.start, r1 = I.isNull() ? size_[0] - 1 : I.end;
        const int c0 = J.isNull() ? 0 : J.start, c1 = J.isNull() ? size_[1] - 1 : J.end;
        assert(I.inc <= 1 && J.inc <= 1);  // strided windows are not supported
        assert(r0 >= 0 && r1 >= r0 - 1 && r1 < size_[0]);
        assert(c0 >= 0 && c1 >= c0 - 1 && c1 < size_[1]);
        GenMatrix w{NoStorage{}};
        w.store_ = store_;
        w.dim_[0] = dim_[0];
        w.dim_[1] = dim_[1];
        w.size_[0] = r1 - r0 + 1;
        w.size_[1] = c1 - c0 + 1;
        w.index_[0] = rangeInside(index_[0], r0, r1);
        w.index_[1] = rangeInside(index_[1], c0, c1);
        w.origin_ = origin_ + static_cast<std::ptrdiff_t>(c0) * dim_[0] + r0;
        if (traceSwitch) [[unlikely]]
            traceHeader("    return value: ", w,
                        "<<< GenMatrix::operator(const LaIndex& const LaIndex&)\n");
        return w;
    }

    // Every element seen: A(i, j) = s.
    GenMatrix& operator=(T s) {
        if (traceSwitch) [[unlikely]]
            std::cout << ">>> GenMatrix& GenMatrix::operator=(T s)\n       s = " << s << '\n';
        for (int j = 0; j < size_[1]; ++j)
            for (int i = 0; i < size_[0]; ++i) (*this)(i, j) = s;
        if (traceSwitch) [[unlikely]]
            traceHeader("  *this: ", *this, " >>> GenMatrix& GenMatrix::operator=(T s)\n");
        return *this;
    }

    // A becomes a fresh m x n matrix; old contents are dropped. Other matrices that
    // shared the old block keep it unchanged.
    void resize(int m, int n) {
        if (traceSwitch) [[unlikely]]
            std::cout << ">>> resize(" << m << "," << n << ")\n";
        GenMatrix fresh(m, n);
        swapWith(fresh);
        if (traceSwitch) [[unlikely]]
            traceHeader("<<< resize: *this: ", *this, "");
    }

    // This matrix becomes a view of exactly what X sees (same elements, shared block).
    void share(const GenMatrix& X) {
        if (this == &X) return;
        store_ = X.store_;
        origin_ = X.origin_;
        for (int d = 0; d < 2; ++d) {
            index_[d] = X.index_[d];
            dim_[d] = X.dim_[d];
            size_[d] = X.size_[d];
        }
    }

    // A(i, j) = X(i, j) for every element of this matrix; X must be at least as large.
    void copyValues(const GenMatrix& X) {
        assert(X.size_[0] >= size_[0] && X.size_[1] >= size_[1]);
        for (int j = 0; j < size_[1]; ++j)
            for (int i = 0; i < size_[0]; ++i) (*this)(i, j) = X(i, j);
    }

    // Header line: (rows x cols) Indices: (..) (..) #ref: n<tag>0, no line end.
    void printHeader(std::ostream& os, const char* shallowTag = " shallow:") const {
        os << '(' << size_[0] << 'x' << size_[1] << ") Indices: " << index_[0] << ' ' << index_[1]
           << " #ref: " << refCount() << shallowTag << shallow();
    }

private:
    struct NoStorage {};
    // Empty shell without a block, filled in by the window maker.
    explicit GenMatrix(NoStorage) {}

    static std::shared_ptr<T[]> allocate(int m, int n) {
        const long long count = static_cast<long long>(m) * n;
        if (m < 0 || n < 0 || count > static_cast<long long>(std::numeric_limits<std::ptrdiff_t>::max() / sizeof(T)))
            matrix_detail::allocationFailed(m, n);
        try {
            return std::make_shared<T[]>(static_cast<std::size_t>(count));
        } catch (const std::bad_alloc&) {
            matrix_detail::allocationFailed(m, n);
        }
    }

    // Range of positions first..last of a window, in storage positions of `outer`.
    static LaIndex rangeInside(const LaIndex& outer, int first, int last) {
        const int s = outer.start + first * outer.inc;
        return LaIndex(s, outer.inc, s + (last - first) * outer.inc);
    }

    void swapWith(GenMatrix& o) noexcept {
        std::swap(store_, o.store_);
        std::swap(origin_, o.origin_);
        std::swap(index_, o.index_);
        std::swap(dim_, o.dim_);
        std::swap(size_, o.size_);
    }

    static void traceHeader(const char* before, const GenMatrix& m, const char* after) {
        std::cout << before;
        m.printHeader(std::cout);
        std::cout << '\n' << after;
    }

    std::shared_ptr<T[]> store_;   // shared element block (column-major)
    T* origin_ = nullptr;          // address of element (0, 0) inside the block
    LaIndex index_[2];             // rows and columns of this matrix inside the block
    int dim_[2] = {0, 0};          // rows and columns of the block; dim_[0] = leading dimension
    int size_[2] = {0, 0};         // rows and columns seen through this matrix
};

// Rows one per line, each element in the stream's number format followed by two blanks.
// With printInfo set, writes the header line instead (once).
template <typename T>
std::ostream& operator<<(std::ostream& os, const GenMatrix<T>& A) {
    if (GenMatrix<T>::printInfo) {
        GenMatrix<T>::printInfo = 0;
        A.printHeader(os);
        return os;
    }
    for (int i = 0; i < A.size(0); ++i) {
        for (int j = 0; j < A.size(1); ++j) os << A(i, j) << "  ";
        os << '\n';
    }
    return os;
}

// A vector of length n: an n x 1 matrix. v(i) is element (i, 0), or (0, i) when the
// matrix has exactly one row, so a row window of a matrix serves as a vector too.
template <typename T>
class ColumnVector : public GenMatrix<T> {
public:
    // Length 0 (0 rows, 1 column).
    ColumnVector() : GenMatrix<T>(0, 1) {}
    // Length n, all elements 0.
    explicit ColumnVector(int n) : GenMatrix<T>(n, 1) {}
    // Compact copy of what X sees.
    explicit ColumnVector(const GenMatrix<T>& X) : GenMatrix<T>(X) {}
    ColumnVector(const ColumnVector&) = default;
    ColumnVector(ColumnVector&&) noexcept = default;
    ColumnVector& operator=(const ColumnVector&) & = default;
    ColumnVector& operator=(ColumnVector&&) & noexcept = default;

    // Every element: v(i) = s.
    ColumnVector& operator=(T s) {
        GenMatrix<T>::operator=(s);
        return *this;
    }

    using GenMatrix<T>::operator();
    // v(i) by the one-row rule.
    T& operator()(int i) { return this->data()[offsetOf(i)]; }
    const T& operator()(int i) const { return this->data()[offsetOf(i)]; }

    // Distance in memory between v(i) and v(i + 1).
    int step() const { return this->size(0) == 1 ? this->leadingDim() : 1; }

    // The vector becomes a fresh one of length n.
    void resize(int n) { GenMatrix<T>::resize(n, 1); }
    using GenMatrix<T>::resize;

private:
    std::ptrdiff_t offsetOf(int i) const {
        assert(i >= 0 && i < this->length());
        assert(this->size(0) == 1 || this->size(1) == 1 || this->isContiguous());
        return static_cast<std::ptrdiff_t>(i) * step();
    }
};

}  // namespace zelk
