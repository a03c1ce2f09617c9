#include "MmiReport.h"

#include "parvex/SamplingWindow.h"
#include "sirenta.h"

namespace {

void Apply(const MmiOverrides &o, SirentaParams &p) {
  p.pwmFrequency = o.pwmFrequency.value_or(p.pwmFrequency);
  p.deadTime = o.deadTime.value_or(p.deadTime);
  p.samplingTime = o.samplingTime.value_or(p.samplingTime);
  p.riseTime = o.riseTime.value_or(p.riseTime);
  p.noiseTime = o.noiseTime.value_or(p.noiseTime);
}

QString Meaning(int result) {
  switch (result) {
  case 0:
    return QStringLiteral("limit found");
  case 1:
    return QStringLiteral("limit found, clipped to the supported range");
  case 2:
    return QStringLiteral("no limit found");
  default:
    return QStringLiteral("settings refused");
  }
}

QString Line(const char *technique, const SirentaParams &p, int result) {
  if (result == 3)
    return QStringLiteral("%1: not computed (settings refused)\n").arg(QLatin1String(technique));
  return QStringLiteral("%1: %2 % (%3)\n")
      .arg(QLatin1String(technique))
      .arg(p.maxModulationIndex)
      .arg(Meaning(result));
}

} // namespace

MmiReport ComputeMmiReport(const MmiOverrides &overrides) {
  SirentaParams single{};
  SIRENTA_SetDefaut1sh(&single);
  Apply(overrides, single);
  SirentaParams three{};
  SIRENTA_SetDefaut3sh(&three);
  Apply(overrides, three);

  const int singleResult = SIRENTA_1shMMI(&single);
  const int threeResult = SIRENTA_3shMMI(&three);

  MmiReport report;
  report.valid = singleResult != 3 && threeResult != 3;
  report.text = QStringLiteral("PWM frequency %1 Hz, dead time %2 ns, sampling time %3 ns, "
                               "rise time %4 ns, noise time %5 ns\n")
                    .arg(three.pwmFrequency)
                    .arg(three.deadTime)
                    .arg(three.samplingTime)
                    .arg(three.riseTime)
                    .arg(three.noiseTime);
  report.text += Line("single shunt", single, singleResult);
  // The search's index means nothing where no index leaves room to sample.
  const parvex::SingleShuntWindow window = parvex::SingleShuntWindowFor(
      single.pwmFrequency, single.deadTime, single.samplingTime, single.riseTime);
  if (singleResult != 3 && !window.feasible) {
    report.text += QStringLiteral("single shunt: %1\n")
                       .arg(QString::fromStdString(parvex::SingleShuntInfeasibleText(window)));
    report.valid = false;
  }
  report.text += Line("three shunt", three, threeResult);
  return report;
}
