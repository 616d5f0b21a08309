// Penalty contact between the contact nodes of different bodies.
//
// Every contact node carries a sphere ("pinball") whose radius is half the
// distance to the nearest other node of its body in the reference state; two
// nodes of different bodies touch when their spheres overlap, and the contact
// law pushes them apart along the line between their centres. Each pair's
// force acts equal and opposite on its two nodes, and the pairs are summed in
// ascending (first, second) order, so the result does not depend on how the
// search found them and the momentum is kept to round-off.
//
// The search (a cell grid over the current positions) runs only when some node
// has moved by half a safety margin since the last search: the candidate list
// keeps every pair within the touching distance plus the margin, so no pair
// that touches in between can be missed.
#pragma once

#include <array>
#include <vector>

#include "analysis/contact_law.h"
#include "model/model.h"

namespace zelk {

class BodyContact {
public:
    using Vector3 = std::array<double, 3>;

    explicit BodyContact(ContactLaw law) : law_(law) {}

    // Spheres and masses of the contact nodes (model node numbers, ascending);
    // mass[I] is the lumped mass of model node I.
    void prepare(const Model& model, const std::vector<int>& contactNodes, const std::vector<double>& mass);

    // Forces on the contact nodes (entry s for contactNodes[s]) from their
    // current positions and velocities; dt sizes the penalty.
    void forces(const std::vector<Vector3>& x, const std::vector<Vector3>& v, double dt, std::vector<Vector3>& f);

    // Searches done since prepare, for the record of the run.
    int searchCount() const { return searches_; }
    // Touching pairs and the sum of their normal forces [force] at the last call of forces.
    int touching() const { return touching_; }
    double totalNormalForce() const { return totalForce_; }

private:
    void search(const std::vector<Vector3>& x);

    ContactLaw law_;
    std::vector<int> body_;        // per contact node: its body
    std::vector<double> radius_;   // per contact node: sphere radius [length]
    std::vector<double> mass_;     // per contact node [mass]
    std::vector<std::array<int, 2>> candidates_;  // pairs (a < b) within reach at the last search
    std::vector<Vector3> searchedAt_;             // positions at the last search
    double margin_ = 0.0;          // reach beyond touching kept in the candidate list [length]
    double largestRadius_ = 0.0;
    bool searched_ = false;
    int searches_ = 0;
    int touching_ = 0;
    double totalForce_ = 0.0;
};

}  // namespace zelk
