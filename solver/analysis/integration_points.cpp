// Integration points, their weights and the lumped nodal masses.
#include <algorithm>
#include <cmath>
#include <iostream>
#include <limits>

#include <omp.h>

#include "analysis/analysis_errors.h"
#include "analysis/cell_geometry.h"
#include "analysis/dynamic_analysis.h"
#include "input/fatal_exit.h"
#include "model/prefault.h"

namespace zelk {

namespace {

constexpr const char* kDynamics = "Dynamics";

// A fresh point at the position with the settings and material state of the source.
EvPoint pointWithSettingsOf(const EvPoint& source, double x, double y, double z) {
    EvPoint point;
    point.x = x;
    point.y = y;
    point.z = z;
    point.pointValue = source.pointValue;
    point.material = source.material;
    point.materialName = source.materialName;
    point.sourceNode = source.sourceNode;
    point.yieldStress = source.yieldStress;
    point.density = source.density;
    point.plasticStrain = source.plasticStrain;
    return point;
}

// Points are evaluated a batch at a time, which bounds the memory their lists
// take before they are packed into a table.
constexpr int kBatchPoints = 1024;

// Evaluates count points, point i made by make(i), in batches, and hands each
// batch in order to use(first, points), its first point being point first.
template <typename Make, typename Use>
void evaluateInBatches(PointEvaluator& approximation, int count, int order, Make make, Use use) {
    std::vector<EvPoint> batch;
    for (int first = 0; first < count; first += kBatchPoints) {
        const int size = std::min(kBatchPoints, count - first);
        batch.clear();
        for (int i = 0; i < size; ++i) batch.push_back(make(first + i));
        approximation.evaluateAll(batch, order, "FULL");
        use(first, std::span<EvPoint>(batch));
    }
}

// A point of the cell takes the material named on the cell's line; a cell of
// the first point's material leaves the copied state exactly as it was.
void placeInCellMaterial(EvPoint& point, const Cell& cell) {
    if (cell.material && cell.material != point.material) point.placeIn(*cell.material);
}

// Corner node numbers of a cell, or false when it does not carry 8 valid ones.
bool cellNodes(const Cell& cell, int numNodes, std::array<int, 8>& nodes) {
    if (cell.nodeNumbers.size() != 8) return false;
    for (int c = 0; c < 8; ++c) {
        const double number = cell.nodeNumbers[c];
        if (!(number >= 0.0 && number < numNodes)) return false;
        nodes[c] = static_cast<int>(number);
    }
    return true;
}

// Body of a cell's points: that of its corner nodes, which must share one; -1
// (the nearest node's body) for a cell given by corner positions.
int cellBody(const Cell& cell, int index, const std::vector<Node>& nodes) {
    std::array<int, 8> corners{};
    if (!cellNodes(cell, static_cast<int>(nodes.size()), corners)) return -1;
    const int body = nodes[corners[0]].body;
    for (int n : corners)
        if (nodes[n].body != body)
            analysisError(kDynamics, "cell " + std::to_string(index + 1) + " joins nodes of bodies " +
                                         std::to_string(body + 1) + " and " + std::to_string(nodes[n].body + 1));
    return body;
}

}  // namespace

DynamicAnalysis::DynamicAnalysis(PointEvaluator& approximation, Model& model, const std::string& scheme)
    : model(&model), meshlessType(scheme.substr(0, 19)) {
    buildIntegrationPoints(approximation);
    constantStep = true;
}

// What each scheme needs of the model, checked before anything is built, so
// that a bad model ends with a message instead of an index past a table.
void DynamicAnalysis::checkModel() const {
    const Model& m = *model;
    if (m.NUMNP < 1 || static_cast<int>(m.nodes.size()) != m.NUMNP) analysisError(kDynamics, "the model has no nodes");
    if (m.evPoints.empty()) analysisError(kDynamics, "the model has no evaluation points (EVPOINT)");
    const Material* material = m.evPoints[0].material;
    if (!material) analysisError(kDynamics, "evaluation point 1 has no material");
    if (!(material->youngsModulus > 0.0) || !(material->density0 > 0.0))
        analysisError(kDynamics, "material " + material->name + " needs a positive Young's modulus and density");
    if (piefg_) {
        if (static_cast<int>(m.evPoints.size()) < m.NUMNP)
            analysisError(kDynamics, "PIEFG needs at least NUMNP = " + std::to_string(m.NUMNP) +
                                         " evaluation points (one per node), the model has " +
                                         std::to_string(m.evPoints.size()));
        for (int i = 0; i < m.NUMNP; ++i)
            if (!m.evPoints[i].material)
                analysisError(kDynamics, "evaluation point " + std::to_string(i + 1) + " has no material");
        std::array<int, 8> nodes{};
        for (int i = 0; i < static_cast<int>(m.cells.size()); ++i)
            if (!cellNodes(m.cells[i], m.NUMNP, nodes))
                analysisError(kDynamics, "PIEFG needs the 8 corner nodes of every cell; cell " +
                                             std::to_string(i + 1) + " has none or invalid ones");
    } else {
        if (!gaussOrdersValid(m.NINTX, m.NINTY, m.NINTZ))
            analysisError(kDynamics, "NINTX, NINTY, NINTZ (" + std::to_string(m.NINTX) + ", " +
                                         std::to_string(m.NINTY) + ", " + std::to_string(m.NINTZ) +
                                         ") must each lie in 1 to " + std::to_string(kMaxGaussOrder) +
                                         " with a product of at most " + std::to_string(kMaxGaussPointsPerCell));
        if (m.cells.empty()) analysisError(kDynamics, "EFG needs background cells (NCELL, CELL)");
    }
    for (const NodalBC& bc : m.dispBCs)
        if (bc.node < 0 || bc.node >= m.NUMNP)
            analysisError(kDynamics, "boundary condition on node " + std::to_string(bc.node + 1) + " outside 1 to " +
                                         std::to_string(m.NUMNP));
}

void DynamicAnalysis::buildIntegrationPoints(PointEvaluator& approximation) {
    stepLength = 0.0;
    if (meshlessType == "PIEFG") {
        piefg_ = true;
    } else if (meshlessType != "EFG") {
        std::cout << "Meshless type error!!!";
        fatalExit(1);
    }
    checkModel();
    const Model& m = *model;
    numIntPoints = piefg_ ? m.NUMNP + m.NCELL : m.NINTX * m.NINTY * m.NINTZ * m.NCELL;
    resizeFresh(intPoints, static_cast<std::size_t>(numIntPoints));
    resizeFresh(pointState, static_cast<std::size_t>(numIntPoints));
    pointTable_ = InfluenceTable{};
    longestList_ = 0;
    if (piefg_)
        buildPiefgPoints(approximation);
    else
        buildEfgPoints(approximation);
    buildNodeTables(approximation);
    partition_.build(pointTable_, m.NUMNP, omp_get_max_threads());

    pointWeight.assign(numIntPoints, 0.0);
    nodalMass.assign(m.NUMNP, 0.0);
    force.assign(3 * m.NUMNP, 0.0);
    displacement.assign(3 * m.NUMNP, 0.0);
    velocity.assign(3 * m.NUMNP, 0.0);
    contactWeight_.assign(m.NUMNP, 0.0);
    minJacobian = 1.0;
    materialModel = std::make_unique<MaterialModel>();

    for (int i = 0; i < m.NUMNP; ++i)
        if (m.nodes[i].nodeFlag != 0) contactNodes_.push_back(i);
    // Contact forces are spread over the contact nodes' influence nodes only.
    std::vector<char> reached(m.NUMNP, 0);
    const InfluenceTable& rows = nodeInfluence();
    for (int node : contactNodes_)
        for (int k = rows.offset[node]; k < rows.offset[node + 1]; ++k) reached[rows.node[k]] = 1;
    contactReach_.clear();
    for (int i = 0; i < m.NUMNP; ++i)
        if (reached[i]) contactReach_.push_back(i);
    for (const NodalBC& bc : m.dispBCs)
        for (int d = 0; d < 3; ++d)
            if (bc.code[d] == 0) fixedDofs_.push_back(3 * bc.node + d);
    cellsHaveNodes_ = true;
    connectivity_.clear();
    connectivity_.reserve(m.cells.size());
    std::array<int, 8> nodes{};
    for (const Cell& cell : m.cells) {
        if (!cellNodes(cell, m.NUMNP, nodes)) {
            cellsHaveNodes_ = false;
            connectivity_.clear();
            break;
        }
        connectivity_.push_back(nodes);
    }
    resizeFresh(nodeRows_, static_cast<std::size_t>(m.NUMNP));
}

void DynamicAnalysis::appendToTable(InfluenceTable& table, std::span<const EvPoint> points, int tableRows,
                                    bool withDerivs) {
    // Room for every row at the longest list met so far: the longest lists
    // turn up among the first few layers of points, while the table is still
    // small, so the table does not regrow (and briefly double) once it is large.
    int longest = longestList_;
    for (const EvPoint& point : points) longest = std::max(longest, point.inflPtsNb);
    if (longest > longestList_) {
        longestList_ = longest;
        table.reserve(tableRows, longestList_, withDerivs);
    }
    if (const int invalid = table.append(points, model->NUMNP, withDerivs); invalid >= 0) {
        std::cout << "Point:";
        printPoint(std::cout, IntegrationPoint(points[invalid]));
        analysisError(kDynamics, "the approximation gave this point an invalid influence list");
    }
}

// Integration points first, first + 1, ... get the shape functions of their
// positions in the point table, their places and settings in intPoints and
// their material states in pointState: once packed into the table the lists
// are not read again, and at a hundred thousand points they would be the
// largest part of the memory.
void DynamicAnalysis::addIntegrationPoints(int first, std::span<const EvPoint> evaluated) {
    appendToTable(pointTable_, evaluated, numIntPoints, true);
    const int count = static_cast<int>(evaluated.size());
#pragma omp parallel for schedule(static) if (count > kParallelCopyPoints)
    for (int i = 0; i < count; ++i) {
        const EvPoint& point = evaluated[i];
        intPoints[first + i] = IntegrationPoint(point);
        pointState[first + i] = {point.stress, point.yieldStress, point.density, point.plasticStrain};
    }
}

// Node I's own point is evaluation point I; one more point sits at each cell
// centre with the settings of the first evaluation point and the cell's material.
void DynamicAnalysis::buildPiefgPoints(PointEvaluator& approximation) {
    Model& m = *model;
    evaluateInBatches(
        approximation, m.NUMNP, 1,
        [&](int i) {
            m.evPoints[i].body = m.nodes[i].body;
            return m.evPoints[i];
        },
        [&](int first, std::span<EvPoint> evaluated) {
            addIntegrationPoints(first, evaluated);
            // The evaluation points keep their influence lists (the reports list
            // them, a later DYNAMICS starts from them); their values and
            // derivatives now live in the point table only.
            const int count = static_cast<int>(evaluated.size());
#pragma omp parallel for schedule(static) if (count > kParallelCopyPoints)
            for (int i = 0; i < count; ++i) {
                EvPoint& nodePoint = m.evPoints[first + i];
                nodePoint = std::move(evaluated[i]);
                std::vector<double>().swap(nodePoint.shapeValues);
                std::vector<std::array<double, 3>>().swap(nodePoint.shapeDerivs);
            }
        });
#pragma omp parallel for schedule(static) if (m.NCELL > kParallelCopyPoints)
    for (int i = 0; i < m.NCELL; ++i) {
        Cell& cell = m.cells[i];
        cell.numCellPoints = 1;
        cell.cellPoints.resize(1);
        cell.weights.assign(1, prismVolume(cell.corners));
    }
    evaluateInBatches(
        approximation, m.NCELL, 1,
        [&](int i) {
            const Cell& cell = m.cells[i];
            const Point centre = cellCentre(cell.corners);
            EvPoint point = pointWithSettingsOf(m.evPoints[0], centre.x, centre.y, centre.z);
            placeInCellMaterial(point, cell);
            point.body = cellBody(cell, i, m.nodes);
            return point;
        },
        [&](int first, std::span<const EvPoint> evaluated) { addIntegrationPoints(m.NUMNP + first, evaluated); });
}

// Gauss points cell by cell, xi slowest and zeta fastest within a cell, each
// of its cell's material.
void DynamicAnalysis::buildEfgPoints(PointEvaluator& approximation) {
    Model& m = *model;
    int count = 0;
    gaussQuadrature(m.NINTX, m.NINTY, m.NINTZ, count, gaussXi.data(), gaussEta.data(), gaussZeta.data(),
                    gaussWeight.data(), 3);
    // Places and bodies cell by cell (a cell across bodies stops the run here),
    // then the shape functions a batch of points at a time.
    std::vector<std::array<double, 3>> positions;
    positions.reserve(static_cast<std::size_t>(numIntPoints));
    std::vector<int> bodies(static_cast<std::size_t>(m.NCELL));
    for (int c = 0; c < m.NCELL; ++c) {
        Cell& cell = m.cells[c];
        bodies[c] = cellBody(cell, c, m.nodes);
        cell.numCellPoints = count;
        cell.cellPoints.resize(count);
        cell.weights.assign(count, 0.0);
        for (int g = 0; g < count; ++g) {
            const CellMapping map = mapCellPoint(cell.corners, gaussXi[g], gaussEta[g], gaussZeta[g]);
            cell.weights[g] = determinant3(map.jacobian) * gaussWeight[g];
            positions.push_back({map.position[0], map.position[1], map.position[2]});
        }
    }
    evaluateInBatches(
        approximation, numIntPoints, 1,
        [&](int p) {
            const int c = p / count;
            const std::array<double, 3>& x = positions[p];
            EvPoint point = pointWithSettingsOf(m.evPoints[0], x[0], x[1], x[2]);
            placeInCellMaterial(point, m.cells[c]);
            point.body = bodies[c];
            return point;
        },
        [&](int first, std::span<const EvPoint> evaluated) { addIntegrationPoints(first, evaluated); });
}

// The nodes' own interpolation (positions, walls, node output) and the point
// whose stress is written for each node.
void DynamicAnalysis::buildNodeTables(PointEvaluator& approximation) {
    const Model& m = *model;
    stressPoint_.assign(m.NUMNP, 0);
    nodeTable_ = InfluenceTable{};
    longestList_ = 0;
    if (piefg_) {
        // The first NUMNP rows of the point table are the nodes' own.
        for (int i = 0; i < m.NUMNP; ++i) stressPoint_[i] = i;
        return;
    }
    evaluateInBatches(
        approximation, m.NUMNP, 0,
        [&](int i) {
            const Node& node = m.nodes[i];
            EvPoint point = pointWithSettingsOf(m.evPoints[0], node.x, node.y, node.z);
            point.body = node.body;
            return point;
        },
        [&](int, std::span<const EvPoint> evaluated) { appendToTable(nodeTable_, evaluated, m.NUMNP, false); });
    std::vector<double> nearest(m.NUMNP, std::numeric_limits<double>::infinity());
    for (int p = 0; p < numIntPoints; ++p) {
        const IntegrationPoint& point = intPoints[p];
        for (int k = pointTable_.offset[p]; k < pointTable_.offset[p + 1]; ++k) {
            const int n = pointTable_.node[k];
            const double dx = point.x - m.nodes[n].x, dy = point.y - m.nodes[n].y, dz = point.z - m.nodes[n].z;
            const double distance = dx * dx + dy * dy + dz * dz;
            if (distance < nearest[n]) {
                nearest[n] = distance;
                stressPoint_[n] = p;
            }
        }
    }
}

void DynamicAnalysis::computeWeightsAndMass() {
    const Model& m = *model;
    std::fill(pointWeight.begin(), pointWeight.end(), 0.0);
    std::fill(nodalMass.begin(), nodalMass.end(), 0.0);
    const auto checkWeight = [](double weight) {
        if (!(weight > 0.0)) {
            std::cout << weight << "cell xj error!!!\n";
            fatalExit(1);
        }
    };
    if (piefg_) {
        for (int i = 0; i < m.NCELL; ++i) {
            const double volume = m.cells[i].weights[0];
            checkWeight(volume);
            // The 8 corners share a third of the cell, its centre two thirds.
            for (const std::array<int, 8>& corners = connectivity_[i]; int n : corners)
                pointWeight[n] += volume * 0.041666666666666664;
            pointWeight[m.NUMNP + i] += volume * 0.6666666666666666;
        }
    } else {
        int index = 0;
        for (const Cell& cell : m.cells)
            for (int g = 0; g < cell.numCellPoints; ++g) {
                checkWeight(cell.weights[g]);
                pointWeight[index++] = cell.weights[g];
            }
    }
    if (!piefg_) std::fill(contactWeight_.begin(), contactWeight_.end(), 0.0);
    for (int p = 0; p < numIntPoints; ++p) {
        const double weight = pointWeight[p];
        const double mass = weight * pointState[p].density;
        for (int k = pointTable_.offset[p]; k < pointTable_.offset[p + 1]; ++k) {
            nodalMass[pointTable_.node[k]] += mass * pointTable_.value[k];
            if (!piefg_) contactWeight_[pointTable_.node[k]] += weight * pointTable_.value[k];
        }
    }
    if (piefg_)
        for (int i = 0; i < m.NUMNP; ++i) contactWeight_[i] = pointWeight[i];
    std::vector<const Material*> pointMaterials(intPoints.size());
    for (std::size_t p = 0; p < intPoints.size(); ++p) pointMaterials[p] = intPoints[p].material;
    materials_.build(pointMaterials);
}

void DynamicAnalysis::checkNodalMasses() const {
    for (int i = 0; i < model->NUMNP; ++i)
        if (!(nodalMass[i] > 0.0)) {
            std::cout << "*** Error *** Dynamics : node " << i + 1 << " has a lumped mass of " << nodalMass[i]
                      << " (it lies outside the influence of every integration point, or the approximation"
                         " gives it a negative share)\n";
            fatalExit(1);
        }
}

void DynamicAnalysis::setStepLength(const std::string& word, double value) {
    constantStep = (word == "CONST");
    stretchStep = (word == "STRETCH");
    stepLength = value;
}

void DynamicAnalysis::setInitialVelocity(double vx, double vy, double vz) {
    for (int i = 0; i < model->NUMNP; ++i) {
        velocity[3 * i] = vx;
        velocity[3 * i + 1] = vy;
        velocity[3 * i + 2] = vz;
    }
}

void DynamicAnalysis::setWalls(std::vector<std::unique_ptr<RigidWall>> newWalls) {
    walls = std::move(newWalls);
    wallCount = static_cast<int>(walls.size());
}

const Material& DynamicAnalysis::referenceMaterial() const { return *model->evPoints[0].material; }

double DynamicAnalysis::largestWaveSpeed() const {
    const auto waveSpeed = [](const Material& material) { return std::sqrt(material.youngsModulus / material.density0); };
    // Every point of a model whose cells all name the first point's material has it.
    const Material* last = &referenceMaterial();
    double fastest = 0.0;
    for (const IntegrationPoint& point : intPoints) {
        if (!point.material || (point.material == last && fastest > 0.0)) continue;
        last = point.material;
        fastest = std::max(fastest, waveSpeed(*last));
    }
    return fastest > 0.0 ? fastest : waveSpeed(referenceMaterial());
}

}  // namespace zelk
