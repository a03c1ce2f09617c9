// The one way the program reaches a text of its string table.
#pragma once

#include "strings/StringTable.h"

#include <QString>

namespace torvio {

// The text of a string id (UTF-8), empty for an unknown id.
inline QString ResString(unsigned id) {
  return QString::fromUtf8(LoadResString(id));
}

} // namespace torvio
