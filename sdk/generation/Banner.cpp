#include "Banner.h"

#include "model/LocalTime.h"

#include <cstdio>

namespace parvex {

namespace {
const char *const kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
const char *const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                               "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

const char *Pick(const char *const *names, int count, int index) {
  return index >= 0 && index < count ? names[index] : "???";
}
} // namespace

std::string FormatBanner(const std::tm &t) {
  char text[80];
  std::snprintf(text, sizeof text, "%.3s %.3s %02d %02d:%02d:%02d %lld\n",
                Pick(kDays, 7, t.tm_wday), Pick(kMonths, 12, t.tm_mon), t.tm_mday, t.tm_hour,
                t.tm_min, t.tm_sec, 1900LL + t.tm_year);
  return text;
}

std::string CurrentBanner() {
  return FormatBanner(LocalNow());
}

} // namespace parvex
