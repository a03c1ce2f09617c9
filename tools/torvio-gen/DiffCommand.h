// torvio-gen --diff A B: every setting in which project B differs from A.
#pragma once

#include <QStringList>

// 0 equal, 1 different, 2 a file could not be read.
int RunDiff(const QStringList &files);
