// Reading the bytes of a project file, for the program, its comparison and
// torvio-gen alike.
#pragma once

#include <QByteArray>
#include <QString>

namespace torvio {

// The bytes of the project file at `path`: at most kMaxProjectFileSize + 1,
// so that the decoder can tell a file that is too large, and only from a
// regular file (a pipe would block until a writer comes, a device may never
// end). False with the reason in `error` when nothing could be read.
bool ReadProjectBytes(const QString &path, QByteArray &bytes, QString &error);

} // namespace torvio
