#include "Banner.h"

#include <gtest/gtest.h>

namespace {

std::tm Time(int wday, int mon, int mday, int hour, int min, int sec, int year) {
  std::tm t{};
  t.tm_wday = wday;
  t.tm_mon = mon;
  t.tm_mday = mday;
  t.tm_hour = hour;
  t.tm_min = min;
  t.tm_sec = sec;
  t.tm_year = year - 1900;
  return t;
}

TEST(Banner, DayOfMonthHasLeadingZero) {
  EXPECT_EQ(parvex::FormatBanner(Time(1, 11, 7, 21, 3, 57, 2026)), "Mon Dec 07 21:03:57 2026\n");
}

TEST(Banner, EveryFieldTwoDigits) {
  EXPECT_EQ(parvex::FormatBanner(Time(0, 0, 1, 0, 0, 0, 2000)), "Sun Jan 01 00:00:00 2000\n");
  EXPECT_EQ(parvex::FormatBanner(Time(6, 8, 30, 9, 5, 9, 1999)), "Sat Sep 30 09:05:09 1999\n");
}

TEST(Banner, CurrentBannerHasTheLayout) {
  const std::string b = parvex::CurrentBanner();
  ASSERT_EQ(b.size(), 25u);
  EXPECT_EQ(b[3], ' ');
  EXPECT_EQ(b[7], ' ');
  EXPECT_EQ(b[13], ':');
  EXPECT_EQ(b[16], ':');
  EXPECT_EQ(b.back(), '\n');
}

} // namespace
