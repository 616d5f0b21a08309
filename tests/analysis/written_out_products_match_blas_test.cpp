// The step loop writes its 3 x 3 and per-node products out; the matrix
// library computes them through BLAS. For the same operands the two must give
// the same bits (the sums run in the same order); where the step takes another
// road (cofactor inverse instead of LU, the point weight folded into P once)
// they must agree to round-off.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "analysis/dynamic_analysis.h"
#include "analysis/point_kinematics.h"
#include "matrix/linear_solvers.h"
#include "matrix/products.h"
#include "trilinear_grid.h"

namespace zelk {
namespace {

bool sameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

GenMatrix<double> toGen(const Matrix3 m) {
    GenMatrix<double> g(3, 3);
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) g(i, j) = m[i][j];
    return g;
}

// A body on a 2 x 2 x 2 grid, deformed by a smooth non-linear field so that
// every point has a general (non-symmetric) F and velocity gradient, with a
// non-zero starting stress.
struct DeformedBody {
    explicit DeformedBody(const char* scheme) : evaluator(grid) {
        material.type = "IsoEla_Pla_Hyd";
        material.tangentModulus = 20.0;
        material.yieldStress0 = 0.5;
        test::buildGridModel(model, grid, material);
        analysis = std::make_unique<DynamicAnalysis>(evaluator, model, scheme);
        analysis->computeWeightsAndMass();
        for (int i = 0; i < model.NUMNP; ++i) {
            const Node& n = model.nodes[i];
            const double X[3] = {n.x, n.y, n.z};
            for (int a = 0; a < 3; ++a) {
                analysis->displacement[3 * i + a] =
                    0.03 * std::sin(1.3 * X[a] + 0.7 * X[(a + 1) % 3]) + 0.01 * X[(a + 2) % 3] * X[a];
                analysis->velocity[3 * i + a] = 2.0 * std::cos(0.9 * X[(a + 1) % 3] - 0.4 * X[a]) + 0.3 * X[a];
            }
        }
        for (std::size_t p = 0; p < analysis->intPoints.size(); ++p) {
            Tensor3& s = analysis->intPoints[p].stress;
            const double t = 0.1 * static_cast<double>(p % 7);
            s = {{{0.3 + t, 0.05, -0.02}, {0.05, -0.1, 0.04 * t}, {-0.02, 0.04 * t, 0.2}}};
        }
    }
    Material material = test::elasticSteel();
    test::GridSpec grid{2, 2, 2, 0.5};
    Model model;
    test::TrilinearGrid evaluator;
    std::unique_ptr<DynamicAnalysis> analysis;
};

// The internal forces of every point through the matrix library: U D and
// V D (multAB), F^-1 by LU (luFactor, luSolve) or by the written-out
// cofactors, l = Fdot F^-1 (multAB), M = F^-1 sigma (multAB), P = w J M and
// the nodal terms D P (multAB).
struct LibraryPath {
    std::vector<double> force;
    std::vector<Tensor3> stress;
    std::vector<double> jacobian;
};

LibraryPath throughLibrary(const DynamicAnalysis& a, double dt, bool luInverse) {
    const InfluenceTable& table = a.pointInfluence();
    LibraryPath out;
    out.force = a.force;
    for (int p = 0; p < a.numIntPoints; ++p) {
        const int begin = table.offset[p], n = table.offset[p + 1] - begin;
        GenMatrix<double> U(3, n), V(3, n), D(n, 3);
        for (int k = 0; k < n; ++k) {
            const int node = table.node[begin + k];
            for (int a3 = 0; a3 < 3; ++a3) {
                U(a3, k) = a.displacement[3 * node + a3];
                V(a3, k) = a.velocity[3 * node + a3];
                D(k, a3) = table.deriv[begin + k][a3];
            }
        }
        GenMatrix<double> F(3, 3), Fdot(3, 3);
        multAB(U, D, F, 1.0, 0.0);
        multAB(V, D, Fdot, 1.0, 0.0);
        for (int i = 0; i < 3; ++i) F(i, i) = 1.0 + F(i, i);
        const double J = F(0, 0) * (F(1, 1) * F(2, 2) - F(1, 2) * F(2, 1)) -
                         F(0, 1) * (F(1, 0) * F(2, 2) - F(1, 2) * F(2, 0)) +
                         F(0, 2) * (F(1, 0) * F(2, 1) - F(1, 1) * F(2, 0));
        GenMatrix<double> Finv(3, 3);
        if (luInverse) {
            GenMatrix<double> factors(F);
            ColumnVector<int> pivots(3);
            luFactor(factors, pivots);
            for (int i = 0; i < 3; ++i) Finv(i, i) = 1.0;
            luSolve(factors, Finv, pivots);
        } else {
            double f[3][3], inv[3][3];
            for (int i = 0; i < 3; ++i)
                for (int j = 0; j < 3; ++j) f[i][j] = F(i, j);
            invert3(f, inv);
            for (int i = 0; i < 3; ++i)
                for (int j = 0; j < 3; ++j) Finv(i, j) = inv[i][j];
        }
        GenMatrix<double> l(3, 3);
        multAB(Fdot, Finv, l, 1.0, 0.0);
        Tensor3 lt{};
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j) lt[i][j] = l(i, j);
        EvPoint point = a.intPoints[p];
        a.materialModel->updateStress(lt, point, dt);
        GenMatrix<double> sigma(3, 3), M(3, 3), G(n, 3);
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j) sigma(i, j) = point.stress[i][j];
        multAB(Finv, sigma, M, 1.0, 0.0);
        scale(a.pointWeight[p] * J, M);
        multAB(D, M, G, 1.0, 0.0);
        for (int k = 0; k < n; ++k)
            for (int a3 = 0; a3 < 3; ++a3) out.force[3 * table.node[begin + k] + a3] -= G(k, a3);
        out.stress.push_back(point.stress);
        out.jacobian.push_back(J);
    }
    return out;
}

class WrittenOutProducts : public testing::TestWithParam<const char*> {};

// Same inverse on both sides: gradients, determinant, velocity gradient,
// stress and every nodal force agree bit for bit.
TEST_P(WrittenOutProducts, InternalForcesEqualTheBlasProductsBitForBit) {
    DeformedBody body(GetParam());
    DynamicAnalysis& a = *body.analysis;
    const double dt = 1e-3;
    const LibraryPath library = throughLibrary(a, dt, /*luInverse=*/false);
    a.internalForces(dt);
    double smallest = 1.0, largestChange = 0.0;
    for (double J : library.jacobian) {
        smallest = std::min(smallest, J);
        largestChange = std::max(largestChange, std::abs(J - 1.0));
    }
    EXPECT_TRUE(sameBits(a.minJacobian, smallest));
    ASSERT_GT(largestChange, 1e-3);  // the field really deforms the body
    int differing = 0;
    for (std::size_t i = 0; i < a.force.size(); ++i) differing += !sameBits(a.force[i], library.force[i]);
    EXPECT_EQ(differing, 0);
    for (int p = 0; p < a.numIntPoints; ++p)
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j)
                EXPECT_TRUE(sameBits(a.intPoints[p].stress[i][j], library.stress[p][i][j])) << p << " " << i << j;
}

// The LU inverse (the library's road) rounds differently from the cofactors;
// the forces then agree to round-off only.
TEST_P(WrittenOutProducts, InternalForcesAgreeWithTheLuInverseToRoundOff) {
    DeformedBody body(GetParam());
    DynamicAnalysis& a = *body.analysis;
    const double dt = 1e-3;
    const LibraryPath library = throughLibrary(a, dt, /*luInverse=*/true);
    a.internalForces(dt);
    double largest = 0.0;
    for (double f : library.force) largest = std::max(largest, std::abs(f));
    ASSERT_GT(largest, 0.0);
    for (std::size_t i = 0; i < a.force.size(); ++i) EXPECT_NEAR(a.force[i], library.force[i], 1e-13 * largest) << i;
}

INSTANTIATE_TEST_SUITE_P(Schemes, WrittenOutProducts, testing::Values("EFG", "PIEFG"));

// The kernels one by one on awkward operands (mixed signs and magnitudes).
TEST(WrittenOutProducts, ThreeByThreeProductEqualsMultAB) {
    const double A[3][3] = {{1.0 / 3.0, -2.5e-7, 7.1}, {1e8, 0.1, -0.3}, {-4.4, 2.0 / 7.0, 1e-12}};
    const double B[3][3] = {{0.7, 1.0 / 11.0, -3e5}, {2.2, -0.01, 5.0}, {1.0 / 9.0, 6e-9, -8.8}};
    double C[3][3];
    multiply3(A, B, C);
    GenMatrix<double> Cg(3, 3);
    multAB(toGen(A), toGen(B), Cg, 1.0, 0.0);
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) EXPECT_TRUE(sameBits(C[i][j], Cg(i, j))) << i << j;
}

}  // namespace
}  // namespace zelk
