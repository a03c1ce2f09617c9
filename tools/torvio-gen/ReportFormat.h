// A report line of a generation run as torvio-gen prints it.
#pragma once

#include "parvex/Generation.h"

#include <QString>

// One line for a terminal: errors and warnings marked (unless the line says
// what it is already), coloured when `colour` is set.
QString FormatReportLine(const parvex::ReportLine &line, bool colour);
