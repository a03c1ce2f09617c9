// The charts of the controller-analysis window: a current loop's step
// response (the firmware's integers solid, the ideal first-order response
// dashed) and the closed loops' Bode magnitude.
#pragma once

#include "parvex/ControllerAnalysis.h"

class QChart;
class QLineSeries;
class QLogValueAxis;
class QValueAxis;

struct StepChart {
  QChart *chart = nullptr;
  QLineSeries *simulated = nullptr;
  QLineSeries *ideal = nullptr;
  QValueAxis *time = nullptr;
  QValueAxis *current = nullptr;
};

struct BodeChart {
  QChart *chart = nullptr;
  QLineSeries *q = nullptr;
  QLineSeries *d = nullptr;
  QLogValueAxis *frequency = nullptr;
  QValueAxis *magnitude = nullptr;
};

StepChart MakeStepChart();
void ShowStep(const StepChart &chart, const parvex::analysis::LoopFigures &loop);

BodeChart MakeBodeChart();
void ShowBode(const BodeChart &chart, const parvex::analysis::LoopFigures &q,
              const parvex::analysis::LoopFigures &d);
