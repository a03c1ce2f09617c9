#include "PageStrings.h"

QString PageString(int id) {
  switch (id) {
  case kStrMinimumSpeedDescription:
    return QStringLiteral("MINIMUM MECHANICAL SPEED TO VALIDATE THE CLOSED LOOP");
  default:
    return {};
  }
}
