#include "analysis/LoopCharts.h"

#include "analysis/ChartParts.h"

#include "strings/ResString.h"

#include <QChart>
#include <QLegend>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QPen>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

using namespace parvex::analysis;
using torvio::ResString;

namespace {

constexpr double kMsPerSecond = 1000.0;
// An unstable loop's magnitude reaches far below anything worth reading.
constexpr double kLowestDb = -60.0;

void AttachAll(QChart *chart, QAbstractAxis *x, QAbstractAxis *y) {
  chart->addAxis(x, Qt::AlignBottom);
  chart->addAxis(y, Qt::AlignLeft);
  for (QAbstractSeries *s : chart->series()) {
    s->attachAxis(x);
    s->attachAxis(y);
  }
}

} // namespace

StepChart MakeStepChart() {
  StepChart c;
  c.chart = NewChart();
  c.simulated = new QLineSeries;
  c.simulated->setName(ResString(torvio::IDS_ANALYSIS_SIMULATED));
  c.ideal = new QLineSeries;
  c.ideal->setName(ResString(torvio::IDS_ANALYSIS_IDEAL));
  c.chart->addSeries(c.simulated);
  c.chart->addSeries(c.ideal);
  QPen dashed = c.ideal->pen();
  dashed.setStyle(Qt::DashLine);
  dashed.setWidth(2);
  c.ideal->setPen(dashed);
  c.time = new QValueAxis;
  c.time->setTitleText(ResString(torvio::IDS_ANALYSIS_TIME_AXIS));
  c.current = new QValueAxis;
  c.current->setTitleText(ResString(torvio::IDS_ANALYSIS_CURRENT_AXIS));
  AttachAll(c.chart, c.time, c.current);
  return c;
}

void ShowStep(const StepChart &c, const LoopFigures &loop) {
  c.chart->setTitle(ResString(torvio::IDS_ANALYSIS_STEP_TITLE)
                        .arg(QString::fromStdString(loop.axis))
                        .arg(loop.stepAmps, 0, 'g', 3));
  QList<QPointF> simulated;
  QList<QPointF> ideal;
  simulated.reserve(static_cast<qsizetype>(loop.step.size()));
  ideal.reserve(static_cast<qsizetype>(loop.ideal.size()));
  double low = 0;
  double high = loop.stepAmps;
  for (const Sample &s : loop.step) {
    simulated.append(QPointF(s.time * kMsPerSecond, s.current));
    low = std::min(low, s.current);
    high = std::max(high, s.current);
  }
  for (const Sample &s : loop.ideal)
    ideal.append(QPointF(s.time * kMsPerSecond, s.current));
  c.simulated->replace(simulated);
  c.ideal->replace(ideal);
  const double end = loop.step.empty() ? 1.0 : loop.step.back().time * kMsPerSecond;
  c.time->setRange(0, end > 0 ? end : 1.0);
  SetRange(c.current, low, high);
}

BodeChart MakeBodeChart() {
  BodeChart c;
  c.chart = NewChart();
  c.q = new QLineSeries;
  c.d = new QLineSeries;
  c.chart->addSeries(c.q);
  c.chart->addSeries(c.d);
  QPen dashed = c.d->pen();
  dashed.setStyle(Qt::DashLine);
  c.d->setPen(dashed);
  c.chart->setTitle(ResString(torvio::IDS_ANALYSIS_BODE_TITLE));
  c.frequency = new QLogValueAxis;
  c.frequency->setBase(10);
  c.frequency->setLabelFormat(QStringLiteral("%g"));
  c.frequency->setMinorTickCount(-1);
  c.frequency->setTitleText(ResString(torvio::IDS_ANALYSIS_FREQUENCY_AXIS));
  c.magnitude = new QValueAxis;
  c.magnitude->setTitleText(ResString(torvio::IDS_ANALYSIS_MAGNITUDE_AXIS));
  AttachAll(c.chart, c.frequency, c.magnitude);
  return c;
}

void ShowBode(const BodeChart &c, const LoopFigures &q, const LoopFigures &d) {
  double lowOmega = INFINITY;
  double highOmega = 0;
  double low = 0;
  double high = 0;
  const auto fill = [&](QLineSeries *series, const LoopFigures &loop) {
    series->setName(QString::fromStdString(loop.axis));
    QList<QPointF> points;
    points.reserve(static_cast<qsizetype>(loop.closedLoop.size()));
    for (const FrequencyPoint &p : loop.closedLoop) {
      if (!(p.omega > 0) || !std::isfinite(p.magnitudeDb))
        continue;
      const double db = std::max(p.magnitudeDb, kLowestDb);
      points.append(QPointF(p.omega, db));
      lowOmega = std::min(lowOmega, p.omega);
      highOmega = std::max(highOmega, p.omega);
      low = std::min(low, db);
      high = std::max(high, db);
    }
    series->replace(points);
  };
  fill(c.q, q);
  fill(c.d, d);
  if (highOmega > lowOmega)
    c.frequency->setRange(lowOmega, highOmega);
  SetRange(c.magnitude, low, high);
}
