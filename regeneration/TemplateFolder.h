// How many of the nine templates a templates folder holds: the headers'
// names with ".th" for ".h".
#pragma once

#include <string>

namespace torvio {

// `dir` is a prefix ending with "/"; only regular files count.
int TemplatesIn(const std::string &dir);

} // namespace torvio
