#include "LocalTime.h"

#include <time.h>

namespace parvex {

std::tm LocalNow() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
#if defined(_WIN32)
  _tzset();
  localtime_s(&local, &now);
#else
  tzset();
  localtime_r(&now, &local);
#endif
  return local;
}

} // namespace parvex
