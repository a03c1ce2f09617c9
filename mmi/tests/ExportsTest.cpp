// The four exports, called through libsirenta.so the way PARVEX calls them.
#include "sirenta.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

SirentaParams Garbage() {
  SirentaParams p;
  std::memset(&p, 0xA5, sizeof p);
  return p;
}

void ExpectCommonDefaults(const SirentaParams &p) {
  EXPECT_EQ(p.pwmFrequency, 14400u);
  EXPECT_EQ(p.deadTime, 800u);
  EXPECT_EQ(p.samplingTime, 700u);
  EXPECT_EQ(p.riseTime, 2550u);
  EXPECT_EQ(p.noiseTime, 2550u);
  EXPECT_EQ(p.startIndex, 72);
  EXPECT_EQ(p.angleStep, 0.01);
  EXPECT_EQ(p.maxModulationIndex, 0);
}

TEST(SirentaExports, SingleShuntDefaultsFillEveryField) {
  SirentaParams p = Garbage();
  EXPECT_EQ(SIRENTA_SetDefaut1sh(&p), 0);
  ExpectCommonDefaults(p);
  EXPECT_EQ(p.angleSpan, 30.0);
}

TEST(SirentaExports, ThreeShuntDefaultsFillEveryField) {
  SirentaParams p = Garbage();
  EXPECT_EQ(SIRENTA_SetDefaut3sh(&p), 0);
  ExpectCommonDefaults(p);
  EXPECT_EQ(p.angleSpan, 60.0);
}

TEST(SirentaExports, DefaultSearchesGive95) {
  SirentaParams single;
  ASSERT_EQ(SIRENTA_SetDefaut1sh(&single), 0);
  EXPECT_EQ(SIRENTA_1shMMI(&single), 0);
  EXPECT_EQ(single.maxModulationIndex, 95);

  SirentaParams three;
  ASSERT_EQ(SIRENTA_SetDefaut3sh(&three), 0);
  EXPECT_EQ(SIRENTA_3shMMI(&three), 0);
  EXPECT_EQ(three.maxModulationIndex, 95);
}

TEST(SirentaExports, NoLimitAt8000Hz) {
  SirentaParams single;
  SIRENTA_SetDefaut1sh(&single);
  single.pwmFrequency = 8000;
  EXPECT_EQ(SIRENTA_1shMMI(&single), 2);
  EXPECT_EQ(single.maxModulationIndex, 100);

  SirentaParams three;
  SIRENTA_SetDefaut3sh(&three);
  three.pwmFrequency = 8000;
  EXPECT_EQ(SIRENTA_3shMMI(&three), 2);
  EXPECT_EQ(three.maxModulationIndex, 100);
}

TEST(SirentaExports, NullRecordIsRefused) {
  EXPECT_EQ(SIRENTA_SetDefaut1sh(nullptr), 3);
  EXPECT_EQ(SIRENTA_1shMMI(nullptr), 3);
  EXPECT_EQ(SIRENTA_SetDefaut3sh(nullptr), 3);
  EXPECT_EQ(SIRENTA_3shMMI(nullptr), 3);
}

TEST(SirentaExports, ZeroFrequencyLeavesTheRecordUntouched) {
  for (int (*search)(SirentaParams *) : {SIRENTA_1shMMI, SIRENTA_3shMMI}) {
    SirentaParams p;
    SIRENTA_SetDefaut3sh(&p);
    p.pwmFrequency = 0;
    p.maxModulationIndex = 42;
    const SirentaParams before = p;
    EXPECT_EQ(search(&p), 3);
    EXPECT_EQ(std::memcmp(&p, &before, sizeof p), 0);
  }
}

TEST(SirentaExports, ZeroAngleStepLeavesTheRecordUntouched) {
  for (int (*search)(SirentaParams *) : {SIRENTA_1shMMI, SIRENTA_3shMMI}) {
    SirentaParams p;
    SIRENTA_SetDefaut1sh(&p);
    p.angleStep = 0.0;
    p.maxModulationIndex = 42;
    const SirentaParams before = p;
    EXPECT_EQ(search(&p), 3);
    EXPECT_EQ(std::memcmp(&p, &before, sizeof p), 0);
  }
}

} // namespace
