// What the motor drives: the mechanical data of the speed loop. They are
// not part of the record (its bytes stay as they are); the program keeps
// them beside the project file.
#pragma once

namespace parvex {

struct Mechanics {
  double inertia = 0;    // J, kg m^2, motor and load together; the analysis needs it > 0
  double friction = 0;   // B, viscous, N m s/rad
  double loadTorque = 0; // N m, applied as a step after the speed step
};

// A mechanics the speed loop can be analysed with: a finite inertia above 0,
// finite friction and load torque, friction not negative.
inline bool Usable(const Mechanics &m) {
  return m.inertia > 0 && m.inertia < 1e300 && m.friction >= 0 && m.friction < 1e300 &&
         m.loadTorque > -1e300 && m.loadTorque < 1e300;
}

} // namespace parvex
