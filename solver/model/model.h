// The model: everything the input file says about the body being analysed.
//
// Tables are (count, records) pairs: the count keeps the name of its input
// keyword (NUMNP, NUMEVPOINT, ...) and the records live in a std::vector
// owned by the Model, sized through the size...() operations so that count
// and size always agree. Input numbers nodes, points and cells from 1; inside
// the program they are addressed from 0. Degree of freedom d (0 = x, 1 = y,
// 2 = z) of node I is entry 3 * I + d of the analysis vectors.
//
// Lengths, masses and times are in whatever consistent units the input uses.
#pragma once

#include <array>
#include <cstddef>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

#include "model/material.h"
#include "model/tensor3.h"

namespace zelk {

// A position; only the first NDM coordinates are read from the input.
struct Point {
    double x = 0.0;  // [length]
    double y = 0.0;  // [length]
    double z = 0.0;  // [length]
};

struct Node : Point {
    std::array<int, 3> dof{};  // per direction x, y, z: before numbering 1 = active, 0 = inactive;
                               // after numbering the 1-based equation number, 0 = no equation
    int nodeFlag = 0;          // last integer of the NODE line; 1 = look for a BOUND record under
                               // reduced numbering; non-zero = contact node for the rigid walls
    int body = 0;              // 0-based body (BODY); the approximation of a body uses only its nodes
};

// An evaluation point; the analysis keeps the point's material state here.
struct EvPoint : Point {
    double pointValue = 0.0;                      // the real that ends the POINT or COPY line
    const Material* material = nullptr;           // the point's material, owned by the Model
    std::string materialName;                     // name as read from a POINT INPUT file; the model reader leaves it empty
    int inflPtsNb = 0;                            // number of influence nodes (entries of inflPts)
    std::vector<int> inflPts;                     // 0-based indices of the influence nodes; empty until the first evaluation
    int sourceNode = -1;                          // 0-based node COPY took the point from; -1 for POINT
    int body = 0;                                 // 0-based body whose nodes approximate here; -1: the nearest node's
    double yieldStress = 0.0;                     // current yield stress [force / length^2]; -1 for IsoElastic
    double density = 0.0;                         // current density [mass / length^3]
    double plasticStrain = 0.0;                   // accumulated effective plastic strain [-]
    Tensor3 stress{};                             // Cauchy stress, symmetric [force / length^2]
    std::vector<double> shapeValues;              // shape-function value of each influence node (inflPtsNb entries)
    std::vector<std::array<double, 3>> shapeDerivs;  // per influence node k: d/dx, d/dy, d/dz of its shape function [1 / length]

    // Gives the point its material; the state starts from the material's.
    void placeIn(const Material& placed) {
        material = &placed;
        density = placed.density0;
        yieldStress = placed.yieldStress0;
    }
};

// One line of BOUND or LOAD.
struct NodalBC {
    std::array<int, 3> code{};      // per direction; BOUND: -1 removes the degree of freedom, 0 marks it
                                    // removed under reduced numbering (and fixed in the time stepping)
    std::array<double, 3> value{};  // per direction, the value on the line (displacement or force)
    int node = 0;                   // 0-based node index
};

// One SIDENODE entry of a side load.
struct SideLoadEntry {
    int node = 0;                   // 0-based node index
    std::array<int, 3> code{};      // per direction
    std::array<double, 3> value{};  // per direction
};

struct SideLoad {
    std::vector<SideLoadEntry> entries;  // sized by the SIDENODE count
};

// Allocated by NSDOMA; nothing in the input fills it.
struct SideDomain {};

// A background integration cell: a hexahedron with 8 corners.
struct Cell {
    const Material* material = nullptr;  // material named on the cell's line: that of its integration points
    bool boundaryCell = false;           // true for BDCELL, false for DMCELL (not used by the analysis)
    int numCellPoints = 0;               // integration points of the cell (analysis)
    std::vector<EvPoint> cellPoints;     // numCellPoints records (analysis)
    std::vector<double> weights;         // integration weight of each cell point [length^3] (analysis)
    std::vector<double> nodeNumbers;     // cells given by NODE: 0-based node of each corner, as doubles; else empty
    std::array<Point, 8> corners{};      // corner positions, corner c = i + 2j + 4k in tensor order
};

// Largest count a table may be given: keeps one table under kMaxTableBytes,
// so an absurd count gets an error instead of exhausting memory.
inline constexpr std::size_t kMaxTableBytes = std::size_t{1} << 31;
template <typename Record>
constexpr int maxTableCount() {
    // Small records count as 16 bytes, so that the limit of an empty record
    // (one byte each) still fits an int and keeps its table small.
    constexpr std::size_t recordBytes = sizeof(Record) < 16 ? 16 : sizeof(Record);
    return static_cast<int>(kMaxTableBytes / recordBytes);
}

struct Model {
    Model() = default;
    Model(const Model&) = delete;
    Model& operator=(const Model&) = delete;

    // Table sizing: replaces the table by count fresh records and stores the count.
    // count must lie in 0..maxTableCount<Record>() (the reader checks it).
    void sizeEvPoints(int count);
    void sizeNodes(int count);
    void sizeMaterials(int count);
    void sizeDispBCs(int count);
    void sizeLoads(int count);
    void sizeSideLoads(int count);
    void sizeSideDomains(int count);
    void sizeCells(int count);

    // 0-based index into materials of the first material called name (case-sensitive,
    // whole name); empty slots are skipped. No match: the "has not been defined"
    // error naming lineNumber on diagnostics, then exit 1.
    int findMaterial(const std::string& name, int lineNumber) const;
    int findMaterial(const std::string& name, int lineNumber, std::ostream& diagnostics) const;

    // Number of bodies: one more than the largest body of a node (1 without BODY).
    int bodyCount() const;

    // Numbers the degrees of freedom: a BOUND code of -1 removes a direction, then
    // active directions get consecutive 1-based numbers, node-major.
    void numberEquations();
    // Stores the flag; when true numbers again, leaving out the directions that the
    // first BOUND record of each flagged node marks with code 0.
    void renumberReduced(bool reduced);

    std::vector<EvPoint> evPoints;      // NUMEVPOINT evaluation points
    bool evPointsRead = false;          // set when the EVPOINT block ends correctly
    std::vector<Node> nodes;            // NUMNP nodes
    bool nodesRead = false;             // set when the NODE block ends
    std::vector<std::unique_ptr<Material>> materials;  // NUMMAT slots, empty until their MATERIAL entry
    std::vector<NodalBC> dispBCs;       // NDISP boundary-condition lines
    bool dispBCsRead = false;           // set when BOUND ends
    std::vector<NodalBC> loads;         // NLOAD load lines
    bool loadsRead = false;             // set when LOAD ends
    std::vector<SideLoad> sideLoads;    // NSLOAD side loads
    bool sideLoadsRead = false;         // set when SIDELOAD ends
    std::vector<SideDomain> sideDomains;  // NSDOMA side domains
    std::string title;                  // rest of the ZELK line, at most kTitleLength characters
    int NUMNP = 0;                      // number of nodes
    int NUMEVPOINT = 0;                 // number of evaluation points
    int NDISP = 0;                      // number of boundary-condition lines
    int NLOAD = 0;                      // number of load lines
    int numEquations = 0;               // number of active degrees of freedom after numbering
    int NUMMAT = 0;                     // number of material sets
    int NSLOAD = 0;                     // number of side loads
    int NSDOMA = 0;                     // number of side domains
    int NDM = 0;                        // space dimensions 1..3: coordinates per node, codes and values per BC line
    std::string planeType;              // "STRESS" or "STRAIN" (PLANE), at most kPlaneTypeLength characters
    int NDF = 0;                        // degrees of freedom per node as given (stored only)
    bool reducedDof = false;            // set by the REDUCEDOF command
    int NCELL = 0;                      // number of background cells
    std::vector<Cell> cells;            // NCELL cells
    int NINTX = 0;                      // Gauss points per cell in x
    int NINTY = 0;                      // Gauss points per cell in y
    int NINTZ = 0;                      // Gauss points per cell in z

    static constexpr std::size_t kTitleLength = 255;     // longer titles are cut
    static constexpr std::size_t kPlaneTypeLength = 11;  // longer PLANE words are cut

private:
    // Materials replaced by a later NUMMAT: points and cells read before may
    // still point at them, so they live as long as the Model.
    std::vector<std::unique_ptr<Material>> retiredMaterials_;
};

}  // namespace zelk
