#include "Defaults.h"

namespace sirenta {

namespace {
// The two techniques differ only in the span of angles examined.
SirentaParams CommonDefaults(double angleSpan) {
  SirentaParams p{};
  p.pwmFrequency = 14400;
  p.deadTime = 800;
  p.samplingTime = 700;
  p.riseTime = 2550;
  p.noiseTime = 2550;
  p.startIndex = 72;
  p.angleStep = 0.01;
  p.angleSpan = angleSpan;
  p.maxModulationIndex = 0;
  return p;
}
} // namespace

SirentaParams SingleShuntDefaults() {
  return CommonDefaults(30.0);
}
SirentaParams ThreeShuntDefaults() {
  return CommonDefaults(60.0);
}

} // namespace sirenta
