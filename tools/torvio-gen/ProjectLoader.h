// Reads a .tvd project file for torvio-gen.
#pragma once

#include "parvex.h"

#include <QString>

// Fills `data` from the file; on failure leaves it alone and describes the
// problem in `error`.
bool LoadProject(const QString &path, UserData &data, QString &error);

// Writes the record as a project with no output folder.
bool SaveProject(const QString &path, const UserData &data, QString &error);
