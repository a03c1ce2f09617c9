// Which speed-feedback variants a record's sensor flags select, main and
// auxiliary, including records whose flags a file set against the pages.
#include "parvex/SpeedFeedbackMembers.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace parvex {
namespace {

using K = SpeedFeedbackKind;

struct Flags {
  std::uint32_t encoder, hall, sensorless, viewEncoder, viewHall, tuning;
};

struct Row {
  Flags flags;
  std::optional<K> main;
  std::optional<K> aux;
};

TEST(SpeedFeedbackKind, SensorFlagsSelectTheVariants) {
  const Row rows[] = {
      // encoder, hall, sensorless, view encoder, view hall, observer tuning
      {{1, 0, 0, 0, 0, 0}, K::Encoder, std::nullopt},
      {{1, 0, 0, 1, 1, 1}, K::Encoder, K::Observer},
      {{0, 1, 0, 0, 0, 1}, K::Hall, K::Observer},
      {{0, 1, 0, 1, 0, 0}, K::Hall, std::nullopt},
      {{0, 0, 1, 1, 0, 0}, K::Observer, K::Encoder},
      {{0, 0, 1, 0, 1, 1}, K::Observer, K::Hall},
      {{0, 0, 1, 1, 1, 0}, K::Observer, K::Encoder},
      {{0, 0, 1, 0, 0, 1}, K::Observer, std::nullopt},
      // Several sensor flags: the first one wins.
      {{1, 1, 1, 0, 0, 0}, K::Encoder, std::nullopt},
      {{0, 2, 1, 0, 0, 0}, K::Hall, std::nullopt},
      // No sensor flag at all.
      {{0, 0, 0, 0, 1, 1}, std::nullopt, K::Hall},
      {{0, 0, 0, 0, 0, 0}, std::nullopt, std::nullopt},
  };
  for (const Row &r : rows) {
    UserData d{};
    d.QuadratureEncoder = r.flags.encoder;
    d.HallSensors = r.flags.hall;
    d.NoSpeedSensors = r.flags.sensorless;
    d.ViewEncoderFeedback = r.flags.viewEncoder;
    d.ViewHallSensorsFeedback = r.flags.viewHall;
    d.EnableObserverGainTuning = r.flags.tuning;
    const auto &f = r.flags;
    const std::string row = std::to_string(f.encoder) + std::to_string(f.hall) +
                            std::to_string(f.sensorless) + std::to_string(f.viewEncoder) +
                            std::to_string(f.viewHall) + std::to_string(f.tuning);
    EXPECT_EQ(MainSpeedFeedback(d), r.main) << row;
    EXPECT_EQ(AuxSpeedFeedback(d), r.aux) << row;
  }
}

} // namespace
} // namespace parvex
