// The speed step charts: the speed against its reference with the q current
// on a second axis, and two designs' speed steps side by side.
#pragma once

#include "parvex/ControllerAnalysis.h"

#include <QString>

class QChart;
class QLineSeries;
class QValueAxis;

struct SpeedStepChart {
  QChart *chart = nullptr;
  QLineSeries *speed = nullptr;
  QLineSeries *reference = nullptr;
  QLineSeries *current = nullptr;
  QValueAxis *time = nullptr;
  QValueAxis *rpm = nullptr;
  QValueAxis *amps = nullptr;
};

SpeedStepChart MakeSpeedStepChart();
void ShowSpeedStep(const SpeedStepChart &chart, const parvex::analysis::SpeedLoopFigures &speed);

// Two speed steps (the gains written and the ones proposed) on one chart.
struct SpeedComparisonChart {
  QChart *chart = nullptr;
  QLineSeries *written = nullptr;
  QLineSeries *proposed = nullptr;
  QValueAxis *time = nullptr;
  QValueAxis *rpm = nullptr;
};

SpeedComparisonChart MakeSpeedComparisonChart();
void ShowSpeedComparison(const SpeedComparisonChart &chart,
                         const parvex::analysis::SpeedLoopFigures &written,
                         const parvex::analysis::SpeedLoopFigures &proposed);
