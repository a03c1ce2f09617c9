// Checking, and creating level by level, the absolute folder paths typed in
// the folder browser. POSIX paths: "/" is the root and the separator.
#pragma once

#include <QString>

class QWidget;

namespace torvio {

enum FolderCheck { FolderOk = 0, FolderInvalid = 1, FolderNotCreated = 2 };

// One path component: not empty, no blank, tab or "." at either end, none of
// the characters " * / : < > ? \ | anywhere (portable to every file system).
bool IsValidFolderName(const QString &name);

// Validates `path` component by component; in create mode also creates each
// missing level. Returns 0 (valid or created), 1 (invalid), 2 (not created).
int CheckFolderPath(const QString &path, bool checkOnly);

// Validates `path`, asks whether to create a missing folder and creates it.
// Returns 0 when the folder exists or was created, -1 when the user declined,
// else the CheckFolderPath result after telling the user.
int ValidateFolder(const QString &path, QWidget *parent = nullptr);

} // namespace torvio
