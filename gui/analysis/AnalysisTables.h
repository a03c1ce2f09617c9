// The two tables of the controller-analysis window, filled from an analysis:
// the gain rows (flags and notes highlighted) and the current-loop figures.
#pragma once

#include "parvex/ControllerAnalysis.h"

#include <QColor>

class QTableWidget;

// The background of a flagged and of a noted row or loop.
QColor LevelColour(parvex::analysis::Level level);

void FillGainTable(QTableWidget *table, const parvex::analysis::ControllerAnalysis &analysis);
void FillLoopTable(QTableWidget *table, const parvex::analysis::ControllerAnalysis &analysis);

// Keeps every column of the gain table in view: the columns take the width
// of their contents, shrunk alike where that leaves the last one (the level
// and reason) less than a quarter of the table, which takes the rest. Cells
// too narrow for their text elide it and show it whole in their tooltip.
void FitGainColumns(QTableWidget *table);
// The loop table's axes share its width.
void FitLoopColumns(QTableWidget *table);
