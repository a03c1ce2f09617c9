// The string table's texts as Qt strings.
#pragma once

#include "strings/StringTable.h"

#include <QString>

namespace torvio {

inline QString ResString(unsigned id) {
  return QString::fromUtf8(LoadResString(id));
}

} // namespace torvio
