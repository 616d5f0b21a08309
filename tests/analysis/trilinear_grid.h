// A regular grid model with a trilinear stand-in for the meshless
// approximation: every point gets the 8 corner nodes of the grid cell it lies
// in, with trilinear shape functions and their exact derivatives. That
// interpolation reproduces constant and linear fields exactly, which is all
// the tests of weights, masses and forces need.
#pragma once

#include <algorithm>
#include <cmath>
#include <memory>
#include <string_view>

#include "analysis/dynamic_analysis.h"
#include "analysis/point_evaluator.h"
#include "model/model.h"

namespace zelk::test {

struct GridShape {
    int nx = 2, ny = 2, nz = 2;  // cells per direction
    double h = 1.0;              // cell size
};

inline int gridNode(const GridShape& g, int i, int j, int k) { return i + (g.nx + 1) * (j + (g.ny + 1) * k); }

class TrilinearGrid : public PointEvaluator {
public:
    explicit TrilinearGrid(GridShape grid) : g_(grid) {}

    void evaluateAt(EvPoint& point, int order, std::string_view) override {
        const double x[3] = {point.x / g_.h, point.y / g_.h, point.z / g_.h};
        const int n[3] = {g_.nx, g_.ny, g_.nz};
        int cell[3];
        double t[3];
        for (int d = 0; d < 3; ++d) {
            cell[d] = std::clamp(static_cast<int>(std::floor(x[d])), 0, n[d] - 1);
            t[d] = x[d] - cell[d];
        }
        point.inflPtsNb = 8;
        point.inflPts.resize(8);
        point.shapeValues.resize(8);
        point.shapeDerivs.resize(8);
        for (int c = 0; c < 8; ++c) {
            const int o[3] = {c & 1, (c >> 1) & 1, (c >> 2) & 1};
            double f[3], df[3];
            for (int d = 0; d < 3; ++d) {
                f[d] = o[d] ? t[d] : 1.0 - t[d];
                df[d] = (o[d] ? 1.0 : -1.0) / g_.h;
            }
            point.inflPts[c] = gridNode(g_, cell[0] + o[0], cell[1] + o[1], cell[2] + o[2]);
            point.shapeValues[c] = f[0] * f[1] * f[2];
            if (order >= 1) point.shapeDerivs[c] = {df[0] * f[1] * f[2], f[0] * df[1] * f[2], f[0] * f[1] * df[2]};
        }
        ++evaluations;
    }

    int evaluations = 0;

private:
    GridShape g_;
};

// Nodes on the grid, evaluation point I at node I with the material, cells
// with corners and corner nodes in tensor order, 2 x 2 x 2 Gauss points.
inline void buildGridModel(Model& model, const GridShape& g, const Material& material) {
    const int numNodes = (g.nx + 1) * (g.ny + 1) * (g.nz + 1);
    model.NDM = 3;
    model.sizeNodes(numNodes);
    model.sizeEvPoints(numNodes);
    for (int k = 0; k <= g.nz; ++k)
        for (int j = 0; j <= g.ny; ++j)
            for (int i = 0; i <= g.nx; ++i) {
                const int n = gridNode(g, i, j, k);
                Node& node = model.nodes[n];
                node.x = i * g.h;
                node.y = j * g.h;
                node.z = k * g.h;
                node.dof = {1, 1, 1};
                EvPoint& p = model.evPoints[n];
                p.x = node.x;
                p.y = node.y;
                p.z = node.z;
                p.material = &material;
                p.density = material.density0;
                p.yieldStress = material.yieldStress0;
                p.sourceNode = n;
            }
    model.sizeCells(g.nx * g.ny * g.nz);
    int cellIndex = 0;
    for (int k = 0; k < g.nz; ++k)
        for (int j = 0; j < g.ny; ++j)
            for (int i = 0; i < g.nx; ++i) {
                Cell& cell = model.cells[cellIndex++];
                cell.nodeNumbers.resize(8);
                for (int c = 0; c < 8; ++c) {
                    const int n = gridNode(g, i + (c & 1), j + ((c >> 1) & 1), k + ((c >> 2) & 1));
                    cell.nodeNumbers[c] = n;
                    cell.corners[c] = model.nodes[n];
                }
            }
    model.NINTX = model.NINTY = model.NINTZ = 2;
}

inline Material elasticSteel() {
    Material m;
    m.name = "steel";
    m.type = "IsoElastic";
    m.youngsModulus = 200.0;
    m.poissonRatio = 0.3;
    m.density0 = 8.0;
    return m;
}

// Elastic steel on a grid with its evaluator; start() makes its analysis.
struct GridBody {
    explicit GridBody(GridShape g) : shape(g), evaluator(g) { buildGridModel(model, g, material); }
    DynamicAnalysis& start(const char* scheme) {
        analysis = std::make_unique<DynamicAnalysis>(evaluator, model, scheme);
        return *analysis;
    }
    GridShape shape;
    Material material = elasticSteel();
    Model model;
    TrilinearGrid evaluator;
    std::unique_ptr<DynamicAnalysis> analysis;
};

}  // namespace zelk::test
