// Normal force of one node pressed against a contact surface.
//
// The law is a penalty spring whose stiffness follows from the node's mass
// and the time step, k = alpha m / dt^2, in parallel with a dashpot at a
// fraction xi of the spring's critical damping, c = 2 xi sqrt(k m): the mass-
// and step-scaled penalty of explicit contact (stable for any alpha < 4 by the
// central-difference limit) with the usual viscous contact damping. Both are
// per node, so no user factor has to be tuned to the mesh or the material.
// The force only ever pushes: it is clamped at zero, so the surface never
// pulls a separating node back, and the dashpot and the clamp can only take
// energy out of the node, never put it in.
//
// The defaults were chosen on the impact cases of validation/: a stiffer
// spring (alpha 0.05 to 1) throws the impact face of a plastic bar off the
// wall for a few microseconds, a softer one (0.02) lengthens the contact time
// of an elastic bar by several percent at coarse spacings; alpha = 0.03 with
// critical damping, xi = 1, keeps one contact episode and a peak wall stress
// near rho c0 v (xi = 0.7 let a plastic bar's face leave the wall once on a
// slightly larger support).
//
// Per node the caller gives the penetration depth (> 0 when in contact), the
// approach speed (rate of that depth, > 0 when moving further in), the mass
// that the force acts on and the step; the result is the push-out force.
#pragma once

namespace zelk {

struct ContactLaw {
    double stiffnessFraction = 0.03;  // alpha: spring stiffness in units of m / dt^2
    double dampingRatio = 1.0;        // xi: dashpot as a fraction of 2 sqrt(k m)

    // Push-out force (>= 0) on a node of the given mass; zero when depth <= 0.
    double normalForce(double depth, double approachSpeed, double mass, double dt) const;
};

// How the rigid walls act on the contact nodes.
enum class WallContact {
    Damped,   // the ContactLaw above
    Penalty,  // plain penalty: penaltyFactor * weight * E * depth, no damping
};

}  // namespace zelk
