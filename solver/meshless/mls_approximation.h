// The moving-least-squares approximation over the model's nodes.
//
// One object holds every setting of the approximation, the per-node support
// sizes, the influence list of the point last processed, the work storage of
// the moment matrices and the shape functions computed there. The macro
// commands create it (MLS, MFLS, LSQ) and tune it; the analysis evaluates it at
// its integration points through evaluateAt. Points are handled one at a time.
//
// Typical use:
//   MlsApproximation approx(model.nodes);           // defaults: QUAD, SL234, SEL 18
//   approx.setInfluenceDomain("SEL");
//   approx.setSupportCount(18);                       // computes SupportSize
//   approx.evaluateAt(model.evPoints[0], 1, "FULL");  // results into the EvPoint
//
// The influence search and the support sizes go through a cell grid over the
// nodes and sort only the nodes near the point; they give, bit for bit, the
// lists, orders and sizes of the full scan with an exchange sort, which stays
// callable (referenceFindInfluenceNodes, referenceComputeSupportSizes) as the
// oracle of the tests. The node table must not change while the object lives,
// and SupportSize changes only through the setters, the support computation
// and SingularCheck (the search keeps the largest sizes to bound its reach).
#pragma once

#include <cstdint>
#include <fstream>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "matrix/gen_matrix.h"
#include "matrix/symm_matrix.h"
#include "meshless/approx_settings.h"
#include "meshless/approximation.h"
#include "meshless/cell_grid.h"
#include "model/model.h"

namespace zelk {

// Program-wide switch of the diagnostic dumps to "DEBUG.OUT"; off.
extern bool debugSwitch;

class MlsApproximation : public Approximation {
public:
    static constexpr int kDefaultPtsNbInSupport = 18;
    static constexpr int kDefaultMaxInflPts = 200;
    // Smallest pivot the Cholesky factorisation of the moment matrix accepts.
    static constexpr double kPivotThreshold = 1e-9;

    // Defaults over the node table, which must outlive the object. approxType
    // is "MLS Approximation", "MFLS Approximation" or "LSQ Approximation".
    explicit MlsApproximation(const std::vector<Node>& nodes,
                              std::string approxType = "MLS Approximation");
    MlsApproximation(const MlsApproximation&) = delete;
    MlsApproximation& operator=(const MlsApproximation&) = delete;

    // --- Approximation ---------------------------------------------------
    // Influence list of the point into inflPts / InflPtsNb, through the cell
    // grid; the same result as referenceFindInfluenceNodes.
    bool findInfluenceNodes(const double point[3]) override;
    // Support radius sx of every node from its ptsNbInSupport nearest nodes,
    // through the cell grid; the same result as referenceComputeSupportSizes.
    void computeSupportSizes() override;
    // Shape functions into shapeValues and, for order 1, shapeDerivs (c x 3).
    bool shapeFunctions(const double point[3], int order, std::string_view mode) override;

    // Influence list of the point by full scan and exchange sort, into
    // inflPts / InflPtsNb. Returns false when fewer than numBasisTerms nodes
    // were found. Kept callable for comparison with faster searches.
    bool referenceFindInfluenceNodes(const double point[3]);
    // Support sizes by a full scan and exchange sort about every node (n^3).
    void referenceComputeSupportSizes();

    // Shape functions at the point of the EvPoint, stored in it (list, values,
    // derivatives). A point that already holds a list keeps it: no search.
    // A failure writes the failure dump and "Node.dat" and ends the run (exit 1).
    void evaluateAt(EvPoint& evPoint, int order, std::string_view mode);
    // evaluateAt for each point in turn, with the very same results (lists,
    // values, derivatives, SingularCheck's support changes, the first
    // failure), worked out on OMP_NUM_THREADS threads.
    void evaluateAll(std::span<EvPoint> points, int order, std::string_view mode);

    // An approximation over a subset of the nodes (one body) with this one's
    // settings: type, basis, weight, domain, scale, list capacity, checks.
    // Fixed supports are copied from the rows globalIndex names (entry i is
    // the node of this table that subset node i is); counted supports are
    // computed again among the subset. subset must outlive the result.
    std::unique_ptr<MlsApproximation> restrictedTo(const std::vector<Node>& subset,
                                                   const std::vector<int>& globalIndex) const;

    // --- Settings (macro commands) ---------------------------------------
    // INFLE: stores the domain type (SEL, VAR, ALL, FIX). A type other than FIX
    // with a box support region is fatal.
    void setInfluenceDomain(const std::string& type);
    // INFLE SEL/VAR/ALL k: ptsNbInSupport = k, at most the node count, at least 1;
    // then the support sizes are computed.
    void setSupportCount(int k);
    // INFLE FIX: every node gets the support (sx, sy, sz).
    void setFixedSupport(double sx, double sy, double sz);
    // MAXINFLPT: capacity of the influence list; 0 (or less) means the node count.
    void setMaxInflPts(int k);
    // SUPPORTREGION: the shape text, kept as typed. RECT... after a non-FIX INFLE
    // is fatal; a text that is neither CIRC... nor RECT... draws a warning.
    void setSupportRegion(const std::string& text);
    // SCALE.
    void setScale(double s) { Scale = s; }
    // BASIS: a name whose first four characters are not SHEP, LINE or QUAD is fatal.
    void setBasis(const std::string& name);
    // WEIGHT: kernel name and the shared weightParameter.
    void setWeight(const std::string& type, double parameter);
    // DEBUG: "ON" turns the dumps on and opens "DEBUG.OUT"; anything else turns
    // them off and closes it.
    void setDebug(const std::string& text);
    // CBASIS, SINWE, SINCHE: switches that stay on for the life of the object.
    void setCBasis() { settings.CBasis = 1; }
    void setSingularWeight() { settings.SingularWeight = 1; }
    void setSingularCheck() { SingularCheck = true; }

    // Coordinates of the basis vector / its derivatives for the node relative to the point.
    void basisAt(const double point[3], const double node[3], double* p) const;
    void basisDerivsAt(const double point[3], const double node[3], double* dp, int ld) const;

    int nodeCount() const { return static_cast<int>(nodes_.size()); }
    const std::vector<Node>& nodes() const { return nodes_; }
    // True when the approximation type begins with "LSQ" (all weights 1).
    bool isLeastSquares() const { return approxType.compare(0, 3, "LSQ") == 0; }

    // --- Fields (their names are those the reports print) -----------------
    int spaceDim = 3;         // space dimension
    int derivOrder = 2;       // highest derivative order of the work storage (order 2 is rejected)
    int numSecondDerivs = 6;  // distinct second derivatives in spaceDim dimensions
    std::string approxType;   // "MLS Approximation", "MFLS Approximation" or "LSQ Approximation"

    std::string InflDomain = "SEL";                   // SEL, VAR, ALL or FIX, compared on 3 characters
    int ptsNbInSupport = kDefaultPtsNbInSupport;      // nearest nodes that define a support
    int maxInflPts = kDefaultMaxInflPts;              // cap of ALL; initial capacity of inflPts
    double Scale = 1.0;                               // multiplier of the nearest-neighbour distances
    GenMatrix<double> SupportSize;                    // n x 3: sx, sy, sz per node; 0 until INFLE
    double currentSupport[3] = {0.0, 0.0, 0.0};       // support triple of the node being weighted
    std::vector<int> sortedNodes;                     // node indices by distance (n)
    std::vector<float> sortedDist;                    // their distances, single precision (n)
    ColumnVector<int> inflPts;                        // influence nodes of the current point (0-based)
    int InflPtsNb = 0;                                // valid entries of inflPts
    bool searchNeeded = true;                         // false: the point brought its own list
    bool SingularCheck = false;                       // repair singular moment matrices by swapping nodes
    std::ofstream debugOut;                           // "DEBUG.OUT" while the debug switch is on

    ApproxSettings settings;  // weight type, support region, SingularWeight, CBasis, basis type
    int numBasisTerms = 10;   // m

    // Work storage (m = numBasisTerms, c = InflPtsNb).
    SymmMatrix momentMatrix;        // A = sum w p p^T (lower triangle), then its Cholesky factor
    SymmMatrix momentDerivs[3];     // A_x, A_y, A_z = sum dw/dx_k p p^T
    GenMatrix<double> B;            // m x c, column H = w_H p_H
    GenMatrix<double> BDerivs[3];   // m x c each, column H = dw_H/dx_k p_H
    ColumnVector<double> p;         // p(x), then gamma = A^-1 p(x)
    GenMatrix<double> dp;           // m x 3: dp(x)/dx_k, then gamma_k

    // Results at the current point.
    ColumnVector<double> shapeValues;  // c values
    GenMatrix<double> shapeDerivs;     // c x 3 first derivatives

private:
    // A support size SingularCheck set while the current point was evaluated.
    struct SupportChange {
        int node;
        double before, after;
    };
    // A copy of this object's settings and support sizes that evaluates
    // points on a thread of its own, failing without a message.
    std::unique_ptr<MlsApproximation> makeWorker() const;
    // Workers for `count` threads, with the current settings (their sizes: takeSupportSizes).
    void prepareWorkers(int count);
    // This worker's support sizes become those of from (each thread takes
    // them for its own worker, at the start of a parallel sweep).
    void takeSupportSizes(const MlsApproximation& from);
    // Support radius of node j and its `count` nearest nodes (the first
    // entries of sortedNodes), through the grid.
    double nearestSupport(int j, int count);

    // The search and the support sizes, by the cell grid or by the full scan.
    bool searchInfluenceNodes(const double point[3], bool useIndex);
    void supportSizesBy(bool useIndex);
    // Selection limit of the domain type; an unknown type is fatal.
    int selectionLimit() const;
    // Walks the first `count` sorted entries (every node within the sorted
    // prefix's reach) and fills the list.
    bool selectInfluenceNodes(int count, int limit);
    void singularCheck(const double point[3]);
    // Sizes the work storage for m = numBasisTerms.
    void sizeWorkStorage();
    // Makes room for at least count entries in inflPts, keeping the list.
    void reserveInfluence(int count);
    void appendInfluenceNode(int node) {
        if (InflPtsNb == inflPts.size(0)) reserveInfluence(InflPtsNb + 1);
        inflPts(InflPtsNb++) = node;
    }
    // A (and, when withDerivs, A_k) over the current list; B and B_k when fillB.
    void assembleMoments(const double point[3], bool withDerivs, bool fillB);
    // Cholesky factor of momentMatrix in place; false below the pivot threshold.
    bool factorMomentMatrix(bool reportZeroDiagonal);
    // Box supports are only defined with FIX; anything else is fatal.
    void requireFixForBox() const;
    bool isVariable() const { return InflDomain.compare(0, 3, "VAR") == 0; }
    bool isFixed() const { return InflDomain.compare(0, 3, "FIX") == 0; }
    void writeDebugDump(const double point[3]);
    [[noreturn]] void tooFewFixedNodes(const double point[3]) const;
    [[noreturn]] void shapeFunctionFailure(const EvPoint& evPoint) const;

    // --- Sorted prefix through the cell grid (nearest_prefix.cpp) ----------
    // The grid, built on first use; null when a coordinate is not finite.
    const CellGrid* spatialIndex();
    // Sorts, into the first entries of sortedNodes / sortedDist, every node
    // whose stored distance is <= radius, exactly as the full sort places them.
    void sortWithin(const double point[3], double radius);
    // Same for every node within the k-th nearest distance (1 <= k <= n), which it returns.
    float sortNearest(const double point[3], int k);
    // For SEL and ALL: sorts every node up to the distance at which the walk
    // meets its limit-th node whose sphere reaches the point, or, when fewer
    // reach it, up to the farthest such node.
    void sortForSelection(const double point[3], int limit);
    // Widens the sorted prefix until it holds at least `count` entries (or all).
    void extendSortedPrefix(const double point[3], int count);
    // Writes neighbours_ as the sorted prefix.
    void sortNeighbours(double reach);
    // Largest sx, sy, sz over the nodes, after the sizes changed (and a new
    // sizesRevision_).
    void refreshSupportBounds();

    const std::vector<Node>& nodes_;
    bool inflDomainGiven_ = false;  // INFLE has been given on this object
    std::shared_ptr<const CellGrid> grid_;  // shared with the workers: it depends on the nodes only
    NeighbourSet neighbours_;                 // result set of the grid queries
    std::vector<float> kthScratch_;           // distances for the k-th nearest
    std::vector<int> boxCandidates_;          // result set of the box query
    int sortedCount_ = 0;                     // valid entries of sortedNodes / sortedDist
    double sortedReach_ = 0.0;                // every node within it is in the sorted prefix
    double radiusGuess_ = 0.0;                // first reach of the next nearest search; 0: from the cell size
    double selectionGuess_ = 0.0;             // the same for the next SEL / ALL search
    double supportBound_[3] = {0.0, 0.0, 0.0};  // largest sx, sy, sz
    // Counts the changes of SupportSize, so that a worker whose copy is of the
    // current count need not compare 24 bytes a node at every sweep again.
    std::uint64_t sizesRevision_ = 0;
    std::uint64_t takenRevision_ = ~std::uint64_t{0};  // a worker: the owner's count its copy was taken at
    std::vector<SupportChange> supportChanges_;  // SingularCheck's changes at the current point
    bool quiet_ = false;                          // a worker: failures end the point without a message
    std::vector<std::unique_ptr<MlsApproximation>> workers_;  // one per thread of evaluateAll
};

}  // namespace zelk
