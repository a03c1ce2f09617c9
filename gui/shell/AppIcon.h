// The program's icon, painted in code (the same motif as the installed SVG)
// so no image plugin is needed.
#pragma once

#include <QIcon>

namespace torvio {

QIcon AppIcon();

} // namespace torvio
