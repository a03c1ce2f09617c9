// File > Compare With: the settings in which a project file differs from
// the open project, by the same comparison as `torvio-gen --diff`.
#pragma once

#include "parvex.h"

#include <QString>
#include <QStringList>

struct ProjectComparison {
  bool readable = false;
  QString error;     // why the file could not be read
  QStringList lines; // "PATH: open value -> file value", empty when equal
};

// Reads the file at `path` and compares the open project's record with it.
ProjectComparison CompareWithFile(const UserData &open, const QString &path);
