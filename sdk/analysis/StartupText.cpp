#include "NumberText.h"
#include "parvex/AnalysisText.h"
#include "parvex/StartupSimulation.h"

#include <cmath>

namespace parvex::analysis {

namespace {

std::string Line(const std::string &name, const std::string &value) {
  std::string line = "  " + name;
  line.resize(std::max<std::size_t>(line.size() + 1, 26), ' ');
  return line + value + "\n";
}

std::string Field(double v) {
  return std::isnan(v) ? std::string() : Significant(v, 6);
}

} // namespace

const char *PhaseName(StartupPhase phase) {
  switch (phase) {
  case StartupPhase::Alignment:
    return "alignment";
  case StartupPhase::Ramp:
    return "ramp";
  case StartupPhase::Hold:
    return "hold";
  case StartupPhase::Closed:
    return "closed";
  }
  return "?";
}

std::string StartupText(const StartupResult &r) {
  if (!r.notSimulated.empty())
    return r.notSimulated + "\n";
  std::string t =
      std::string("Sensorless start-up") + (r.auxiliary ? " (auxiliary observer)" : "") + ": J " +
      Significant(r.mechanics.inertia) + " kg m^2, B " + Significant(r.mechanics.friction) +
      " N m s/rad, load " + Significant(r.mechanics.loadTorque) + " N m, rotor at rest at " +
      Significant(r.rotorAngle, 4) + " deg electrical\n";
  t += "Rotor\n";
  t += Line("largest load angle", Significant(r.largestLoadAngle, 3) + " deg at " +
                                      Significant(r.largestLoadAngleTime, 3) + " s");
  t += Line("lost step", r.lostStep ? "yes" : "no");
  t += "Switch to the estimate\n";
  if (r.converged) {
    t += Line("converged", "at " + Significant(r.convergenceTime, 4) + " s");
    t += Line("rotor speed", Significant(r.convergenceRotorSpeed, 4) + " rpm");
    t += Line("estimated speed", Significant(r.convergenceEstimate, 4) + " rpm");
    t += Line("angle error", Significant(r.convergenceAngleError, 3) + " deg");
  } else {
    t += Line("converged", "no");
  }
  t += Line("tests in a row",
            std::to_string(r.passedTests) + " of " + std::to_string(r.testsNeeded));
  t += "Electrical\n";
  t += Line("peak current", Significant(r.peakCurrent, 3) + " A");
  t += Line("peak voltage",
            Significant(r.peakVoltage, 3) + " V of " + Significant(r.voltageLimit, 3) + " V");
  t += Line("voltage limit reached", r.voltageLimited ? "yes" : "no");
  for (const StartupFinding &f : r.findings)
    t += LevelText(f.level, f.subject + ": " + f.reason) + "\n";
  return t;
}

std::string StartupCsv(const StartupResult &r) {
  std::string t = "time (s),phase,forced speed (rpm),rotor speed (rpm),estimated speed (rpm),"
                  "angle error (deg),load angle (deg),iq (A),id (A),voltage (V)\n";
  for (const StartupSample &p : r.series) {
    t += Field(p.time) + "," + PhaseName(p.phase) + "," + Field(p.forcedSpeed) + "," +
         Field(p.rotorSpeed) + "," + Field(p.estimatedSpeed) + "," + Field(p.angleError) + "," +
         Field(p.loadAngle) + "," + Field(p.iq) + "," + Field(p.id) + "," + Field(p.voltage) + "\n";
  }
  return t;
}

} // namespace parvex::analysis
