// Replacing a file's contents so that a reader sees the old file or the new
// one, never a mix, and never anything but a regular file written.
#pragma once

#include "torvio/Result.h"

#include <string>
#include <string_view>

namespace torvio {

// Writes `bytes` as the file at `path` (the bytes of the path, as the file
// system takes them), by what is there now:
//  - nothing, or a regular file: a temporary file beside it, written, synced
//    and renamed over it, with the old file's permissions;
//  - a symbolic link to a regular file: the link's target, the same way, so
//    the link stays;
//  - anything else (a folder, a device, a pipe, a socket, a link to one of
//    those or to nothing): refused, nothing written.
// One English sentence when the file was not replaced; the previous file is
// then untouched.
Status ReplaceFile(const std::string &path, std::string_view bytes);

} // namespace torvio
