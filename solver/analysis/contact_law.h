// The normal law of a penalty contact: a linear spring on the penetration and
// a dashpot on the closing speed, never pulling the surfaces together.
//
// The spring is scaled to the step so that the contact stays stable: with
// k = stiffnessFactor * m / dt^2 the contact oscillator has omega * dt =
// sqrt(stiffnessFactor), and central differences are stable below 2; the
// dashpot is the fraction dampingRatio of the critical damping 2 sqrt(k m).
#pragma once

namespace zelk {

struct ContactLaw {
    double stiffnessFactor = 0.5;  // k dt^2 / m [-]
    double dampingRatio = 0.1;     // fraction of critical damping [-]

    // Spring stiffness for the mass m [mass] at the step dt [time], in force / length.
    double stiffness(double mass, double dt) const { return stiffnessFactor * mass / (dt * dt); }

    // Normal force [force] for the penetration (> 0 in contact) and the closing
    // speed (> 0 while the surfaces approach), the mass m and step dt; 0 when
    // apart, and never negative.
    double normalForce(double penetration, double closingSpeed, double mass, double dt) const;
};

}  // namespace zelk
