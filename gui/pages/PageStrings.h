// The pages' own texts that are referred to by number.
#pragma once

#include <QString>

constexpr int kStrMinimumSpeedDescription = 102;

// The text of a string id, or an empty string for an unknown id.
QString PageString(int id);
