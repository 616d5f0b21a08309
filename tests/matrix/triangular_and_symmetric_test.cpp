#include <gtest/gtest.h>

#include "matrix/symm_matrix.h"

using zelk::GenMatrix;
using zelk::LowerTriangMatrix;
using zelk::SymmMatrix;

TEST(LowerTriangMatrix, WritesAboveTheDiagonalAreNeverReadBack) {
    LowerTriangMatrix l(3, 3), other(3, 3);
    for (int j = 0; j < 3; ++j)
        for (int i = j; i < 3; ++i) l(i, j) = 1 + i + 3 * j;
    l(0, 2) = 42;
    l(1, 2) += 5;
    EXPECT_EQ(l(0, 2), 0);
    EXPECT_EQ(l(1, 2), 0);
    EXPECT_EQ(other(0, 1), 0);
    const LowerTriangMatrix& cl = l;
    EXPECT_EQ(cl(0, 2), 0);
    // The stored triangle, and the unused storage above it, are unchanged.
    for (int j = 0; j < 3; ++j)
        for (int i = 0; i < 3; ++i) EXPECT_EQ(l.storage()(i, j), i >= j ? 1 + i + 3 * j : 0);
}

TEST(SymmMatrix, MirroredPositionsAreOneElement) {
    SymmMatrix s(3, 3);
    s(0, 2) = 5;
    EXPECT_EQ(s(2, 0), 5);
    s(2, 1) = -1;
    s(1, 1) = 2;
    EXPECT_EQ(s.storage()(0, 2), 0);  // only the lower triangle is written
    GenMatrix<double> g = s.toGenMatrix();
    for (int j = 0; j < 3; ++j)
        for (int i = 0; i < 3; ++i) EXPECT_EQ(g(i, j), g(j, i));
    EXPECT_EQ(g(0, 2), 5);
    EXPECT_EQ(g.refCount(), 1);

    SymmMatrix copy(s);
    copy(1, 1) = 9;
    EXPECT_EQ(s(1, 1), 2);
}
