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
