// Tools > Modulation Index Chart: the maximum available modulation index
// against PWM frequency for both shunt techniques, with the project's own
// point marked. The curves are computed on a worker thread from a copy of
// the record, so the window never blocks the program and never changes the
// project.
#pragma once

#include "MmiSeries.h"

#include <QFutureWatcher>
#include <QWidget>

#include <functional>

class QChart;
class QChartView;
class QLabel;
class QLineSeries;
class QScatterSeries;

class MmiChartWindow : public QWidget {
  Q_OBJECT

public:
  // `record` gives the open document's record each time it is called (the
  // document may be replaced while the window is open).
  explicit MmiChartWindow(std::function<const UserData *()> record, QWidget *parent = nullptr);
  ~MmiChartWindow() override;

  // Recomputes when the inputs of the chart changed since the last time.
  void Refresh();

  // For tests: true while a computation runs; the data last shown.
  bool Busy() const { return watcher_.isRunning(); }
  const torvio::MmiChartData &Shown() const { return shown_; }
  QChart *Chart() const { return chart_; }
  QLineSeries *Curve(torvio::MmiSensing sensing) const;
  QScatterSeries *ProjectMark() const { return mark_; }

  // The tooltip text of a point under the cursor.
  static QString PointText(const QString &series, double kHz, double index);

private:
  void Show(const torvio::MmiChartData &data);
  void ShowToolTip(const QString &series, const QPointF &point, bool state);

  std::function<const UserData *()> record_;
  QChart *chart_;
  QChartView *view_;
  QLineSeries *single_;
  QLineSeries *three_;
  QScatterSeries *mark_;
  QLabel *status_;
  QFutureWatcher<torvio::MmiChartData> watcher_;
  torvio::MmiChartData shown_;
  bool pending_ = false;
  bool computed_ = false;
};
