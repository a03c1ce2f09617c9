#include "model/Clamp.h"
#include "model/ConsistencyRules.h"

namespace parvex {

void CorrectAuxiliaryFeedbackFlags(UserData &d) {
  // With a speed sensor, no other sensor is read as auxiliary feedback.
  if (IsSet(d.QuadratureEncoder) || IsSet(d.HallSensors)) {
    d.ViewEncoderFeedback = 0;
    d.ViewHallSensorsFeedback = 0;
    d.None = 1;
  }
}

void CorrectSensorlessDebugOptions(UserData &d) {
  if (!IsSet(d.NoSpeedSensors))
    return;
  // A viewed auxiliary sensor is shown through the DAC.
  if (!IsSet(d.None))
    d.EnableDACFunctionality = 1;
  d.EnableModality = 0;
}

} // namespace parvex
