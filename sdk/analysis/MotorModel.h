// The motor of the start-up simulation: a permanent-magnet synchronous
// machine in its rotor's d-q frame, the stator voltage given in the fixed
// alpha-beta frame and held over each step, the rotor on its mechanics.
//   Ld did/dt = vd - R id + we Lq iq
//   Lq diq/dt = vq - R iq - we Ld id - we psi
//   J dwm/dt  = 3/2 P (psi iq + (Ld - Lq) id iq) - B wm - TL,   we = P wm
#pragma once

namespace parvex::analysis {

struct MotorParameters {
  double resistance = 0; // Ohm
  double ld = 0;         // H
  double lq = 0;         // H
  double flux = 0;       // psi, Wb
  int polePairs = 1;
  double inertia = 0;    // kg m^2
  double friction = 0;   // N m s/rad
  double loadTorque = 0; // N m, constant, against positive rotation
};

struct MotorState {
  double id = 0;    // A
  double iq = 0;    // A
  double speed = 0; // mechanical, rad/s
  double angle = 0; // electrical, rad, not wrapped
};

// The stator currents in the fixed frame.
struct AlphaBeta {
  double alpha = 0;
  double beta = 0;
};
AlphaBeta StatorCurrents(const MotorState &s);

double ElectromagneticTorque(const MotorParameters &m, const MotorState &s);

// The state `dt` seconds on, with (valpha, vbeta) volts held: fourth-order
// Runge-Kutta in as many steps as the electrical time constants and the
// rotation over dt need.
MotorState AdvanceMotor(const MotorParameters &m, const MotorState &s, AlphaBeta volts, double dt);

} // namespace parvex::analysis
