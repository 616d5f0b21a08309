#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "input/fatal_exit.h"
#include "matrix/gen_matrix.h"

using zelk::ColumnVector;
using zelk::GenMatrix;
using zelk::LaIndex;

namespace {

// 4 x 5 matrix with A(i, j) = 10 i + j.
GenMatrix<double> numbered(int m = 4, int n = 5) {
    GenMatrix<double> a(m, n);
    for (int j = 0; j < n; ++j)
        for (int i = 0; i < m; ++i) a(i, j) = 10 * i + j;
    return a;
}

std::string header(const GenMatrix<double>& a) {
    std::ostringstream os;
    GenMatrix<double>::printInfo = 1;
    os << a;
    return os.str();
}

}  // namespace

TEST(GenMatrix, InnerWindowAddressesTheBlockAndSurvivesItsParent) {
    GenMatrix<double> w;
    {
        GenMatrix<double> a = numbered();
        w = a(LaIndex(1, 2), LaIndex(2, 4));
        EXPECT_EQ(header(w), "(2x3) Indices: (1:1:2) (2:1:4) #ref: 2 shallow:0");
        w(1, 2) = 99;
        EXPECT_EQ(a(2, 4), 99);
        // A window of a window still addresses the first parent.
        GenMatrix<double> ww = w(LaIndex(1, 1), LaIndex(0, 1));
        EXPECT_EQ(ww(0, 1), a(2, 3));
        ww = 7.0;
        EXPECT_EQ(a(2, 2), 7);
        EXPECT_EQ(a(2, 3), 7);
        EXPECT_EQ(a(1, 2), 12);  // outside the inner window: untouched
    }
    EXPECT_EQ(w.refCount(), 1);
    EXPECT_EQ(w(0, 0), 12);
    EXPECT_EQ(w(1, 2), 99);
}

TEST(GenMatrix, CopiesOfWindowsOwnTheirElements) {
    GenMatrix<double> a = numbered();
    GenMatrix<double> w = a(LaIndex(1, 3), LaIndex(1, 2));
    GenMatrix<double> c(w);
    EXPECT_EQ(header(c), "(3x2) Indices: (0:1:2) (0:1:1) #ref: 1 shallow:0");
    EXPECT_EQ(c.leadingDim(), 3);
    EXPECT_EQ(c(2, 1), 32);
    c(2, 1) = 0;
    EXPECT_EQ(a(3, 2), 32);

    GenMatrix<double> assigned(1, 1);
    assigned = w;
    assigned(0, 0) = 0;
    EXPECT_EQ(a(1, 1), 11);
    EXPECT_EQ(assigned.refCount(), 1);
    EXPECT_EQ(assigned(2, 1), 32);
}

TEST(GenMatrix, SharingCountsReferencesAndResizeOrSelfAssignmentKeepsElements) {
    GenMatrix<double> a = numbered();
    GenMatrix<double> whole = a(LaIndex(), LaIndex());
    EXPECT_EQ(a.refCount(), 2);
    whole(3, 4) = -1;
    EXPECT_EQ(a(3, 4), -1);
    whole.resize(2, 2);  // leaves its sharer untouched
    EXPECT_EQ(a.refCount(), 1);
    EXPECT_EQ(whole.refCount(), 1);
    EXPECT_EQ(whole.leadingDim(), 2);
    GenMatrix<double>& same = a;
    a = same;
    EXPECT_EQ(a(3, 4), -1);
    // A moved window is still a window.
    GenMatrix<double> moved(a(LaIndex(0, 1), LaIndex(0, 1)));
    GenMatrix<double> w(std::move(moved));
    w(1, 1) = -11;
    EXPECT_EQ(a(1, 1), -11);
    EXPECT_EQ(a.refCount(), 2);
}

TEST(ColumnVector, OneRowMatrixIsIndexedAlongItsColumns) {
    GenMatrix<double> a = numbered();
    ColumnVector<double> row;
    row.share(a(LaIndex(2, 2), LaIndex()));
    ASSERT_EQ(row.length(), 5);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(row(i), a(2, i));
    row(4) = -5;
    EXPECT_EQ(a(2, 4), -5);

    ColumnVector<double> col;
    col.share(a(LaIndex(), LaIndex(3, 3)));
    for (int i = 0; i < 4; ++i) EXPECT_EQ(col(i), a(i, 3));

    ColumnVector<double> compact(a(LaIndex(1, 1), LaIndex(1, 3)));
    EXPECT_EQ(compact.refCount(), 1);
    EXPECT_EQ(compact(2), 13);
}

TEST(GenMatrix, ImpossibleAllocationEndsWithExitCodeOne) {
    testing::internal::CaptureStderr();
    try {
        GenMatrix<double> huge(1 << 30, 1 << 30);
        FAIL() << "allocation did not fail";
    } catch (const zelk::FatalExit& e) {
        EXPECT_EQ(e.exitCode, 1);
    }
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "*** Error *** Not enough memory for a matrix of 1073741824 x 1073741824 elements\n");

#ifndef __SANITIZE_ADDRESS__  // the address sanitizer aborts instead of throwing bad_alloc
    // Within the address range but far beyond any memory: a real failed allocation.
    testing::internal::CaptureStderr();
    EXPECT_THROW(GenMatrix<double>(1 << 20, 1 << 21), zelk::FatalExit);
    testing::internal::GetCapturedStderr();
#endif

    testing::internal::CaptureStderr();
    EXPECT_THROW(ColumnVector<double>(-3), zelk::FatalExit);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "*** Error *** Invalid matrix size -3 x 1\n");
}

#ifndef NDEBUG
TEST(GenMatrixDeathTest, OutOfRangeAccessIsCaughtInDebugBuilds) {
    GenMatrix<double> a(2, 3);
    EXPECT_DEATH(a(2, 0), "");
    EXPECT_DEATH(a(0, -1), "");
    EXPECT_DEATH(a(LaIndex(1, 2), LaIndex()), "");
    ColumnVector<double> v(3);
    EXPECT_DEATH(v(3), "");
}
#endif
