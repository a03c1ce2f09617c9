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

std::vector<StartupFigure> StartupFigures(const StartupResult &r) {
  if (!r.notSimulated.empty())
    return {};
  constexpr const char *kRotor = "Rotor";
  constexpr const char *kSwitch = "Switch to the estimate";
  constexpr const char *kElectrical = "Electrical";
  std::vector<StartupFigure> f;
  f.push_back({kRotor, "largest load angle",
               Significant(r.largestLoadAngle, 3) + " deg at " +
                   Significant(r.largestLoadAngleTime, 3) + " s"});
  f.push_back({kRotor, "lost step", r.lostStep ? "yes" : "no"});
  if (r.converged) {
    f.push_back({kSwitch, "converged", "at " + Significant(r.convergenceTime, 4) + " s"});
    f.push_back({kSwitch, "rotor speed", Significant(r.convergenceRotorSpeed, 4) + " rpm"});
    f.push_back({kSwitch, "estimated speed", Significant(r.convergenceEstimate, 4) + " rpm"});
    f.push_back({kSwitch, "angle error", Significant(r.convergenceAngleError, 3) + " deg"});
  } else {
    f.push_back({kSwitch, "converged", "no"});
  }
  f.push_back({kSwitch, "tests in a row",
               std::to_string(r.passedTests) + " of " + std::to_string(r.testsNeeded)});
  f.push_back({kElectrical, "peak current", Significant(r.peakCurrent, 3) + " A"});
  f.push_back({kElectrical, "peak voltage",
               Significant(r.peakVoltage, 3) + " V of " + Significant(r.voltageLimit, 3) + " V"});
  f.push_back({kElectrical, "voltage limit reached", r.voltageLimited ? "yes" : "no"});
  return f;
}

std::string StartupHead(const StartupResult &r) {
  if (!r.notSimulated.empty())
    return {};
  return std::string("Sensorless start-up") + (r.auxiliary ? " (auxiliary observer)" : "") +
         ": J " + Significant(r.mechanics.inertia) + " kg m^2, B " +
         Significant(r.mechanics.friction) + " N m s/rad, load " +
         Significant(r.mechanics.loadTorque) + " N m, rotor at rest at " +
         Significant(r.rotorAngle, 4) + " deg electrical";
}

std::string StartupText(const StartupResult &r) {
  if (!r.notSimulated.empty())
    return r.notSimulated + "\n";
  std::string t = StartupHead(r) + "\n";
  const char *group = nullptr;
  for (const StartupFigure &f : StartupFigures(r)) {
    if (group != f.group) {
      group = f.group;
      t += std::string(group) + "\n";
    }
    t += Line(f.name, f.value);
  }
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
