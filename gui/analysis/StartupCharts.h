// The start-up simulation's charts over time: the forced, rotor and
// estimated speeds; the estimate's angle error and the load angle; the q and
// d currents. Each marks the switch to the estimate.
#pragma once

#include "parvex/StartupSimulation.h"

class QChart;
class QLineSeries;
class QValueAxis;

struct StartupChart {
  QChart *chart = nullptr;
  QLineSeries *first = nullptr;
  QLineSeries *second = nullptr;
  QLineSeries *third = nullptr;  // the speeds' estimate; null on the others
  QLineSeries *marker = nullptr; // the switch: a vertical line, empty without one
  QValueAxis *time = nullptr;
  QValueAxis *value = nullptr;
};

StartupChart MakeStartupSpeedChart();
StartupChart MakeStartupAngleChart();
StartupChart MakeStartupCurrentChart();

void ShowStartupSpeeds(const StartupChart &chart, const parvex::analysis::StartupResult &r);
void ShowStartupAngles(const StartupChart &chart, const parvex::analysis::StartupResult &r);
void ShowStartupCurrents(const StartupChart &chart, const parvex::analysis::StartupResult &r);
