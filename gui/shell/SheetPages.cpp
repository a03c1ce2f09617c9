#include "shell/SheetPages.h"

namespace torvio {

std::optional<PageKind> SpeedFeedbackPageFor(const UserData &data) {
  if (data.QuadratureEncoder) {
    return PageKind::SpeedFeedback1;
  }
  if (data.HallSensors) {
    return PageKind::SpeedFeedback2;
  }
  if (data.NoSpeedSensors) {
    return PageKind::SpeedFeedback3;
  }
  return std::nullopt;
}

std::optional<PageKind> AuxSpeedFeedbackPageFor(const UserData &data) {
  if (data.QuadratureEncoder || data.HallSensors) {
    if (data.EnableObserverGainTuning) {
      return PageKind::AuxSpeedFeedback3;
    }
    return std::nullopt;
  }
  if (data.ViewEncoderFeedback) {
    return PageKind::AuxSpeedFeedback1;
  }
  if (data.ViewHallSensorsFeedback) {
    return PageKind::AuxSpeedFeedback2;
  }
  return std::nullopt;
}

} // namespace torvio
