// The explicit dynamic Element-Free Galerkin analysis of one macro run.
//
// A run has named phases, each in its own source file:
//   integration points  (construction, computeWeightsAndMass)  integration_points.cpp
//   internal force and material update (internalForces)        internal_forces.cpp
//   walls               (externalForces)                        external_forces.cpp
//   update and output   (runToTime, writeTecplot)               time_stepping.cpp
//
// Nodal vectors hold degree of freedom d (0 = x, 1 = y, 2 = z) of node I at
// entry 3 I + d. Integration points keep their material state in their
// EvPoint records; their influence lists, shape-function values and reference
// derivatives are packed into flat tables at construction, which is what the
// step loop reads (intPoints keep no lists of their own).
//
// Schemes: "PIEFG" integrates with the nodes (point I stands for node I) plus
// one point at each cell centre; "EFG" with NINTX x NINTY x NINTZ Gauss points
// per cell. Under "EFG" the nodes get shape functions of their own at their
// reference positions, so that walls and node output work on the nodes:
//   - contact weight of node I (its share of the body): the lumped volume
//     sum over points p of pointWeight[p] * phi_I(x_p);
//   - stress written for node I: that of the integration point nearest to it
//     (in the reference configuration) among the points it influences.
// Under "PIEFG" both are those of node I's own point.
#pragma once

#include <array>
#include <iosfwd>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "analysis/body_contact.h"
#include "analysis/contact_law.h"
#include "analysis/energy_balance.h"
#include "analysis/gauss_quadrature.h"
#include "analysis/influence_table.h"
#include "analysis/material_model.h"
#include "analysis/point_evaluator.h"
#include "analysis/point_kinematics.h"
#include "analysis/restart_plan.h"
#include "analysis/result_files.h"
#include "analysis/rigid_wall.h"
#include "analysis/point_partition.h"
#include "analysis/wall_history.h"
#include "analysis/vtk_series.h"
#include "model/model.h"

namespace zelk {

// What the analysis keeps of an integration point besides its material state
// (pointState): its place and settings, for the messages and the materials.
struct IntegrationPoint {
    double x = 0.0, y = 0.0, z = 0.0;
    const Material* material = nullptr;
    std::string materialName;  // as read from a POINT INPUT file, for a point without a material
    double pointValue = 0.0;

    IntegrationPoint() = default;
    explicit IntegrationPoint(const EvPoint& point)
        : x(point.x), y(point.y), z(point.z), material(point.material), materialName(point.materialName),
          pointValue(point.pointValue) {}
};

class DynamicAnalysis {
public:
    // Builds the integration points of the scheme ("EFG" or "PIEFG") with
    // shape functions from the approximation, which is not kept. A model the
    // scheme cannot work on is reported (naming what is missing) and ends the
    // run with exit 1, as does any other scheme text ("Meshless type error!!!").
    DynamicAnalysis(PointEvaluator& approximation, Model& model, const std::string& scheme);
    DynamicAnalysis(const DynamicAnalysis&) = delete;
    DynamicAnalysis& operator=(const DynamicAnalysis&) = delete;

    // STEPTIME: constantStep = (word is exactly "CONST"), stretchStep = (word is exactly
    // "STRETCH"); stepLength = value [length].
    void setStepLength(const std::string& word, double value);
    // INITV: every node gets the velocity (vx, vy, vz).
    void setInitialVelocity(double vx, double vy, double vz);
    // GRIDWALL: the walls replace those given before.
    void setWalls(std::vector<std::unique_ptr<RigidWall>> newWalls);

    // BODYCONTACT: damped penalty contact between the contact nodes of different bodies
    // from the next CALTIME on, with the law's stiffness and damping.
    void setBodyContact(const ContactLaw& law);
    // BODYVELOCITY: the nodes of body (0-based) get the velocity (vx, vy, vz).
    void setBodyVelocity(int body, double vx, double vy, double vz);

    // CALTIME: steps from time 0 until the time passes tEnd, writing the history
    // file, a node file every 100 base steps and "Node.dat" at the end. The plan
    // may save restart files on the way, or start from one instead of time 0.
    // SIGINT or SIGTERM stops the run after the current step (exit 128 + signal).
    void runToTime(double tEnd, const RestartPlan& plan = {});

    // Integration weight of every point and lumped mass of every node; a
    // non-positive cell weight prints it and "cell xj error!!!", exit 1.
    void computeWeightsAndMass();
    // Reports the first node whose lumped mass is not positive, exit 1.
    void checkNodalMasses() const;
    // One central-difference step of length dt, step (from 0) being its number
    // within the CALTIME: internal forces on top of the wall forces in force,
    // accelerations, fixed directions, velocities (half a step at step 0),
    // displacements, the finiteness check, then the wall forces of the next step.
    void advance(double dt, int step);
    // Adds the internal forces of all points to force and advances their stress by dt.
    void internalForces(double dt);
    // force = wall penalty forces at the current displacements; then moves the walls.
    void externalForces(double dt);
    // The Tecplot point file of the current state, in the stream's number format.
    void writeTecplot(std::ostream& out);
    // The point's position, material name and value (scientific, precision 5, width 15).
    static void printPoint(std::ostream& out, const IntegrationPoint& point);
    // After the Jacobian stop at the point: the step and the largest stable STEPTIME value.
    void printStepLengthHint(std::ostream& out, int point) const;

    // Current position of node I: reference position plus its interpolated displacement.
    std::array<double, 3> nodePosition(int node) const;
    // Interpolated velocity of node I.
    std::array<double, 3> nodeVelocity(int node) const { return interpolate(node, velocity, {0.0, 0.0, 0.0}); }

    // Energy balance (energy_accounting.cpp): starts the sums of a CALTIME.
    void startEnergyBalance();
    // Kinetic energy of the velocities less shift times force (force holding accelerations).
    double kineticEnergy(double shift) const;
    // After externalForces: the work of the walls over the step, trapezoidal in their force.
    void addWallWork(double dt);
    // Mass that a wall force at node I's place acts on (see external_forces.cpp).
    double contactMass(int node) const;
    // The running state of the outputs and the contact between bodies, for restart files (restart_file.cpp).
    template <typename Io>
    void visitLoopState(Io& io) {
        io.field(energy);
        io.vector(lastWallForce_);
        io.count(history_ ? 1 : 0);
        if (history_) history_->visitState(io);
        io.count(bodyContact_ ? 1 : 0);
        if (bodyContact_) bodyContact_->visitState(io);
    }
    // The current state as a VTK grid (vtk_state.cpp).
    VtkGrid vtkGrid() const;
    // Integration point whose stress is written for node I.
    int stressPointOfNode(int node) const { return stressPoint_[node]; }
    // Weight of node I in the wall penalty.
    double contactWeight(int node) const { return contactWeight_[node]; }
    bool isPiefg() const { return piefg_; }
    // Influence nodes, shape-function values and reference derivatives of the
    // integration points, row p for point p.
    const InfluenceTable& pointInfluence() const { return pointTable_; }

    // Gauss rule of one cell ("EFG").
    std::array<double, kMaxGaussPointsPerCell> gaussXi{}, gaussEta{}, gaussZeta{}, gaussWeight{};
    Model* model;
    std::unique_ptr<MaterialModel> materialModel;
    std::string meshlessType;          // "EFG" or "PIEFG"
    std::vector<double> pointWeight;   // integration weight of each point [length^3]
    std::vector<double> nodalMass;     // lumped mass of each node [mass]
    std::vector<double> force;         // nodal forces; accelerations after the division by the masses
    std::vector<double> displacement;  // nodal displacements [length]
    std::vector<double> velocity;      // nodal velocities [length / time]
    int numIntPoints = 0;
    std::vector<IntegrationPoint> intPoints;  // position, material and settings of each integration point
    std::vector<MaterialState> pointState;    // material state of each integration point
    double minJacobian = 1.0;          // smallest det F met so far (with stretchStep, also the smallest
                                       // stretch measure of PointBatch); shortens a non-constant step
    double stepLength = 0.0;           // STEPTIME value: a length, divided by the wave speed to give the step
    int wallCount = 0;
    std::vector<std::unique_ptr<RigidWall>> walls;
    WallContact wallContact = WallContact::Damped;  // GRIDWALL's CONTACT line
    ContactLaw contactLaw;                          // the damped law's constants
    std::string wallHistoryFile;                    // GRIDWALL's HISTORY line; empty: none written
    bool constantStep = true;
    // The step shrinks with the stretch too: plastic flow keeps det F near 1
    // while it flattens the impact layer, and the step must follow the layer.
    bool stretchStep = false;
    VtkSettings vtk;     // VTK series of the following CALTIMEs
    EnergySums energy;   // running energy sums, fed by the step loop

private:
    // start plus the field (a nodal vector) interpolated at node I.
    std::array<double, 3> interpolate(int node, const std::vector<double>& field, std::array<double, 3> start) const;
    void checkModel() const;
    void buildIntegrationPoints(PointEvaluator& approximation);
    void buildPiefgPoints(PointEvaluator& approximation);
    void buildEfgPoints(PointEvaluator& approximation);
    void buildNodeTables(PointEvaluator& approximation);
    // Appends the point's lists to the table (of tableRows rows in the end); an
    // invalid list is reported with the point and ends the run.
    void appendToTable(InfluenceTable& table, std::span<const EvPoint> points, int tableRows, bool withDerivs);
    void addIntegrationPoints(int first, std::span<const EvPoint> evaluated);
    // Interpolation of the nodes: under "PIEFG" the nodes' own rows of the point table.
    const InfluenceTable& nodeInfluence() const { return piefg_ ? pointTable_ : nodeTable_; }
    // Young's modulus and reference density of the first evaluation point's material.
    const Material& referenceMaterial() const;
    // Largest bar wave speed sqrt(E / rho0) of the integration points'
    // materials (the first point's without points): the base step divides by it.
    double largestWaveSpeed() const;
    // Reports the first non-finite displacement or velocity after a step, exit 1.
    void checkFinite(int step) const;
    // The material update of count (at most kBatchLanes) points, with their
    // weighted stresses and works left in the batch. Returns -1, or the first
    // lane whose det F fell below 0.01: the points are then left as they were.
    int stepBatch(const int* points, int count, double dt, PointBatch& batch);
    // Reports a point whose det F fell below 0.01 and ends the run (exit 1).
    [[noreturn]] void stopAtCollapsedPoint(int p, double J) const;
    void writeNodeFile(const std::string& fileName, bool eightDigits);
    // Adds a force acting at node I's place to force, shared as phi_k f among the
    // nodes k that interpolate there.
    void spreadForce(int node, const std::array<double, 3>& f);
    // Adds the contact forces between bodies at the current state to force.
    void addBodyContactForces(double dt);
    // One line of the contact file: time, touching pairs, their total normal
    // force and the momentum of all nodes.
    void writeContactLine(std::ostream& out, double time) const;

    bool piefg_ = false;
    InfluenceTable pointTable_;           // influence data of the integration points
    InfluenceTable nodeTable_;            // "EFG": values at the nodes' reference positions (no derivatives)
    int longestList_ = 0;                 // longest influence list met while a table is built
    PointPartition partition_;                    // the points' split among threads
    std::vector<double> pointWork_;               // per point: stress and plastic work of the step
    std::vector<std::array<double, 3>> sharedTerms_;  // the force terms of the shared nodes, in their rows
    MaterialCache materials_;             // per-material constants of the step
    struct WallPush {
        std::array<double, 3> force{};  // penalty force of the wall on the contact node
        bool touches = false;           // the node penetrates the wall
    };
    std::vector<WallPush> wallForce_;     // per contact node and wall (step work)
    std::vector<int> stressPoint_;        // per node: the point whose stress is written for it
    std::vector<double> contactWeight_;   // per node: weight in the wall penalty
    std::vector<int> contactNodes_;       // nodes with a non-zero nodeFlag
    std::vector<double> lastWallForce_;   // the wall forces of the last step (a nodal vector)
    std::vector<int> contactReach_;       // nodes a contact force can reach, ascending
    std::vector<int> fixedDofs_;          // entries kept at zero: directions with BOUND code 0
    std::vector<NodeRow> nodeRows_;       // work rows of the node files
    std::vector<std::array<int, 8>> connectivity_;  // cell corners as node numbers, when every cell has them
    bool cellsHaveNodes_ = false;
    int currentStep_ = 0;                 // number (from 1) of the step being taken, for messages
    std::unique_ptr<WallHistory> history_;  // open during a CALTIME when wallHistoryFile is set
    std::unique_ptr<BodyContact> bodyContact_;  // BODYCONTACT given; null: no contact between bodies
    std::vector<BodyContact::Vector3> contactX_, contactV_, contactF_;  // per contact node, work of the contact
};

}  // namespace zelk
