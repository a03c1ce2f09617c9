// Paths between the program's text and the file system's bytes, losslessly:
// a folder whose name is not UTF-8 keeps its bytes through the settings, the
// project file and generation (see torvio/PathText.h).
#pragma once

#include "torvio/PathText.h"

#include <QString>

#include <string>

namespace torvio {

inline QString PathFromBytes(std::string_view bytes) {
  return QString::fromStdU16String(DecodePath(bytes));
}

inline std::string PathBytes(const QString &path) {
  return EncodePath(path.toStdU16String());
}

// True when the path stands for bytes that are not valid UTF-8.
inline bool PathHoldsRawBytes(const QString &path) {
  return HoldsRawBytes(path.toStdU16String());
}

// The path as it can be shown: raw bytes written "\xE9".
inline QString ShownPath(const QString &path) {
  return QString::fromStdU16String(ShowPath(path.toStdU16String()));
}

} // namespace torvio
