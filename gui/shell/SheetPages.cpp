#include "shell/SheetPages.h"

#include <algorithm>
#include <iterator>

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

bool SelectsPages(const parvex::Parameter &parameter) {
  static const parvex::ParamMember selecting[] = {
      &UserData::QuadratureEncoder,        &UserData::HallSensors,
      &UserData::NoSpeedSensors,           &UserData::ViewEncoderFeedback,
      &UserData::ViewHallSensorsFeedback,  &UserData::None,
      &UserData::EnableObserverGainTuning,
  };
  return std::find(std::begin(selecting), std::end(selecting), parameter.member) !=
         std::end(selecting);
}

} // namespace torvio
