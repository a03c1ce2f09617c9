// What else differs between the systems beyond opening files (Files.h):
// replacing a file by another in one step, syncing and removing files, the
// generation lock, the loaded library's file, and the command line.
#pragma once

#include "torvio/platform/Files.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace torvio {

// What a name is, not following a last symbolic link.
enum class PathKind { None, Regular, Link, Other };

// The lock file's handle: a descriptor on POSIX, a HANDLE on Windows.
using LockHandle = std::intptr_t;
inline constexpr LockHandle kNoLock = -1;

enum class LockAttempt { Locked, Busy, Failed };

} // namespace torvio

#if defined(_WIN32)
#include "torvio/platform/windows/System.h"
#else
#include "torvio/platform/posix/System.h"
#endif
