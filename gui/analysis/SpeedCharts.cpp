#include "analysis/SpeedCharts.h"

#include "analysis/ChartParts.h"

#include <QChart>
#include <QLineSeries>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

using namespace parvex::analysis;

namespace {

constexpr double kMsPerSecond = 1000.0;

// The samples' speed as points; `low` and `high` widened to them.
QList<QPointF> SpeedPoints(const SpeedLoopFigures &f, double &low, double &high) {
  QList<QPointF> points;
  points.reserve(static_cast<qsizetype>(f.step.size()));
  for (const SpeedSample &s : f.step) {
    points.append(QPointF(s.time * kMsPerSecond, s.speed));
    low = std::min(low, s.speed);
    high = std::max(high, s.speed);
  }
  return points;
}

double EndMs(const SpeedLoopFigures &f) {
  const double end = f.step.empty() ? 0.0 : f.step.back().time * kMsPerSecond;
  return end > 0 ? end : 1.0;
}

} // namespace

SpeedStepChart MakeSpeedStepChart() {
  SpeedStepChart c;
  c.chart = NewChart(QStringLiteral("Speed step"));
  c.speed = AddSeries(c.chart, QStringLiteral("Speed (rpm)"), false);
  c.reference = AddSeries(c.chart, QStringLiteral("Reference (rpm)"), true);
  c.current = AddSeries(c.chart, QStringLiteral("q current (A)"), false);
  c.time = TitledAxis(QStringLiteral("Time (ms)"));
  c.rpm = TitledAxis(QStringLiteral("Speed (rpm)"));
  c.amps = TitledAxis(QStringLiteral("q current (A)"));
  Attach(c.chart, c.time, c.rpm, {c.speed, c.reference});
  c.chart->addAxis(c.amps, Qt::AlignRight);
  c.current->attachAxis(c.time);
  c.current->attachAxis(c.amps);
  return c;
}

void ShowSpeedStep(const SpeedStepChart &c, const SpeedLoopFigures &f) {
  double low = 0;
  double high = f.stepRpm;
  c.speed->replace(SpeedPoints(f, low, high));
  QList<QPointF> reference;
  QList<QPointF> current;
  double lowAmps = 0;
  double highAmps = 0;
  for (const SpeedSample &s : f.step) {
    reference.append(QPointF(s.time * kMsPerSecond, s.reference));
    current.append(QPointF(s.time * kMsPerSecond, s.current));
    lowAmps = std::min(lowAmps, s.current);
    highAmps = std::max(highAmps, s.current);
  }
  c.reference->replace(reference);
  c.current->replace(current);
  c.time->setRange(0, EndMs(f));
  SetRange(c.rpm, low, high);
  SetRange(c.amps, lowAmps, highAmps);
}

SpeedComparisonChart MakeSpeedComparisonChart() {
  SpeedComparisonChart c;
  c.chart = NewChart(QStringLiteral("Speed step"));
  c.written = AddSeries(c.chart, QStringLiteral("Gains now"), true);
  c.proposed = AddSeries(c.chart, QStringLiteral("Gains proposed"), false);
  c.time = TitledAxis(QStringLiteral("Time (ms)"));
  c.rpm = TitledAxis(QStringLiteral("Speed (rpm)"));
  Attach(c.chart, c.time, c.rpm, {c.written, c.proposed});
  return c;
}

void ShowSpeedComparison(const SpeedComparisonChart &c, const SpeedLoopFigures &written,
                         const SpeedLoopFigures &proposed) {
  double low = 0;
  double high = std::max(written.stepRpm, proposed.stepRpm);
  c.written->replace(SpeedPoints(written, low, high));
  c.proposed->replace(SpeedPoints(proposed, low, high));
  c.time->setRange(0, std::max(EndMs(written), EndMs(proposed)));
  SetRange(c.rpm, low, high);
}
