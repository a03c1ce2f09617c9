#include "analysis/StartupCharts.h"

#include "analysis/ChartParts.h"

#include <QChart>
#include <QLineSeries>
#include <QPen>
#include <QValueAxis>

#include <algorithm>
#include <cmath>
#include <functional>

using namespace parvex::analysis;

namespace {

using Value = std::function<double(const StartupSample &)>;

StartupChart Make(const QString &title, const QString &axis,
                  std::initializer_list<const char *> names) {
  StartupChart c;
  c.chart = NewChart(title);
  QLineSeries **targets[] = {&c.first, &c.second, &c.third};
  std::size_t i = 0;
  for (const char *name : names) {
    // The forced speed dashed: it is what the rotor is asked to follow.
    const bool dashed = i == 0 && names.size() == 3;
    *targets[i++] = AddSeries(c.chart, QString::fromUtf8(name), dashed);
  }
  c.marker = AddSeries(c.chart, QStringLiteral("Switch to the estimate"), true);
  QPen pen = c.marker->pen();
  pen.setColor(Qt::darkGray);
  c.marker->setPen(pen);
  c.time = TitledAxis(QStringLiteral("Time from the ramp's start (s)"));
  c.value = TitledAxis(axis);
  Attach(c.chart, c.time, c.value, {c.first, c.second, c.marker});
  if (c.third) {
    c.third->attachAxis(c.time);
    c.third->attachAxis(c.value);
  }
  return c;
}

// Fills the series from the samples (NaN values left out) and fits the
// axes: the value axis to the first `fitted` series, at most +-`reach`.
void Fill(const StartupChart &c, const StartupResult &r, std::initializer_list<Value> values,
          double reach = INFINITY, std::size_t fitted = 3) {
  QLineSeries *series[] = {c.first, c.second, c.third};
  double low = 0;
  double high = 0;
  std::size_t i = 0;
  for (const Value &value : values) {
    const bool fit = i < fitted;
    QList<QPointF> points;
    points.reserve(static_cast<qsizetype>(r.series.size()));
    for (const StartupSample &s : r.series) {
      const double v = value(s);
      if (std::isnan(v))
        continue;
      points.append(QPointF(s.time, v));
      if (fit) {
        low = std::min(low, v);
        high = std::max(high, v);
      }
    }
    series[i++]->replace(points);
  }
  const double start = r.series.empty() ? 0.0 : r.series.front().time;
  const double end = r.series.empty() ? 1.0 : r.series.back().time;
  c.time->setRange(start, end > start ? end : start + 1.0);
  SetRange(c.value, std::max(low, -reach), std::min(high, reach));
  QList<QPointF> marker;
  if (r.converged)
    marker = {QPointF(r.convergenceTime, c.value->min()),
              QPointF(r.convergenceTime, c.value->max())};
  c.marker->replace(marker);
}

} // namespace

StartupChart MakeStartupSpeedChart() {
  return Make(QStringLiteral("Speeds"), QStringLiteral("Speed (rpm)"),
              {"Forced (rpm)", "Rotor (rpm)", "Estimated (rpm)"});
}

StartupChart MakeStartupAngleChart() {
  return Make(QStringLiteral("Angles"), QStringLiteral("Electrical degrees"),
              {"Estimate's error (deg)", "Load angle (deg)"});
}

StartupChart MakeStartupCurrentChart() {
  return Make(QStringLiteral("Currents in the rotor's frame"), QStringLiteral("Current (A)"),
              {"q (A)", "d (A)"});
}

void ShowStartupSpeeds(const StartupChart &c, const StartupResult &r) {
  // Fitted to what the rotor is asked and does: an estimate that has not
  // locked yet swings far beyond both and would flatten them.
  Fill(c, r,
       {[](const StartupSample &s) { return s.forcedSpeed; },
        [](const StartupSample &s) { return s.rotorSpeed; },
        [](const StartupSample &s) { return s.estimatedSpeed; }},
       INFINITY, 2);
}

void ShowStartupAngles(const StartupChart &c, const StartupResult &r) {
  // A rotor that slips runs its load angle up by turns; a turn either way
  // keeps the estimate's error readable.
  Fill(c, r,
       {[](const StartupSample &s) { return s.angleError; },
        [](const StartupSample &s) { return s.loadAngle; }},
       360.0);
}

void ShowStartupCurrents(const StartupChart &c, const StartupResult &r) {
  Fill(c, r,
       {[](const StartupSample &s) { return s.iq; }, [](const StartupSample &s) { return s.id; }});
}
