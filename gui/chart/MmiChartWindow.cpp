#include "MmiChartWindow.h"

#include "keys/DialogKeys.h"

#include <QChart>
#include <QChartView>
#include <QCursor>
#include <QLabel>
#include <QLineSeries>
#include <QScatterSeries>
#include <QToolTip>
#include <QVBoxLayout>
#include <QValueAxis>
#include <QtConcurrent/QtConcurrentRun>

#include <algorithm>

using namespace torvio;

namespace {

constexpr double kHzPerKHz = 1000.0;

QString SensingName(MmiSensing sensing) {
  return sensing == MmiSensing::SingleShunt ? QStringLiteral("Single shunt")
                                            : QStringLiteral("Three shunts");
}

void Fill(QLineSeries *series, const std::vector<MmiPoint> &curve) {
  QList<QPointF> points;
  points.reserve(static_cast<qsizetype>(curve.size()));
  for (const MmiPoint &p : curve)
    points.append(QPointF(p.frequency / kHzPerKHz, p.index));
  series->replace(points);
}

} // namespace

MmiChartWindow::MmiChartWindow(std::function<const UserData *()> record, QWidget *parent)
    : QWidget(parent, Qt::Window), record_(std::move(record)), chart_(new QChart),
      single_(new QLineSeries), three_(new QLineSeries), mark_(new QScatterSeries),
      status_(new QLabel(this)) {
  setWindowTitle(QStringLiteral("Modulation Index Chart - TORVIO"));
  setAccessibleName(QStringLiteral("Modulation Index Chart"));
  torvio::CloseOnEscape(this);

  single_->setName(SensingName(MmiSensing::SingleShunt));
  three_->setName(SensingName(MmiSensing::ThreeShunts));
  mark_->setName(QStringLiteral("This project"));
  mark_->setMarkerSize(12);
  for (QLineSeries *s : {single_, three_}) {
    s->setPointsVisible(true);
    chart_->addSeries(s);
  }
  chart_->addSeries(mark_);

  auto *x = new QValueAxis;
  x->setTitleText(QStringLiteral("PWM frequency (kHz)"));
  x->setRange(kMmiFirstHz / kHzPerKHz, kMmiLastHz / kHzPerKHz);
  x->setTickType(QValueAxis::TicksDynamic);
  x->setTickAnchor(4);
  x->setTickInterval(4);
  x->setLabelFormat(QStringLiteral("%.0f"));
  auto *y = new QValueAxis;
  y->setTitleText(QStringLiteral("Maximum available modulation index (%)"));
  // Whole percent steps of five, with room above 100 for the points there.
  y->setRange(70, 101);
  y->setTickType(QValueAxis::TicksDynamic);
  y->setTickAnchor(70);
  y->setTickInterval(5);
  y->setLabelFormat(QStringLiteral("%.0f"));
  chart_->addAxis(x, Qt::AlignBottom);
  chart_->addAxis(y, Qt::AlignLeft);
  for (QAbstractSeries *s : chart_->series()) {
    s->attachAxis(x);
    s->attachAxis(y);
  }
  chart_->setTitle(QStringLiteral("Maximum available modulation index"));
  chart_->legend()->setVisible(true);
  chart_->legend()->setAlignment(Qt::AlignBottom);

  connect(single_, &QLineSeries::hovered, this,
          [this](const QPointF &p, bool on) { ShowToolTip(single_->name(), p, on); });
  connect(three_, &QLineSeries::hovered, this,
          [this](const QPointF &p, bool on) { ShowToolTip(three_->name(), p, on); });
  connect(mark_, &QScatterSeries::hovered, this,
          [this](const QPointF &p, bool on) { ShowToolTip(mark_->name(), p, on); });

  view_ = new QChartView(chart_, this);
  view_->setRenderHint(QPainter::Antialiasing);
  auto *layout = new QVBoxLayout(this);
  layout->addWidget(view_);
  layout->addWidget(status_);
  resize(760, 520);

  connect(&watcher_, &QFutureWatcher<MmiChartData>::finished, this, [this] {
    Show(watcher_.result());
    if (pending_) {
      pending_ = false;
      Refresh();
    }
  });
  Refresh();
}

MmiChartWindow::~MmiChartWindow() {
  watcher_.waitForFinished();
}

QLineSeries *MmiChartWindow::Curve(MmiSensing sensing) const {
  return sensing == MmiSensing::SingleShunt ? single_ : three_;
}

void MmiChartWindow::Refresh() {
  const UserData *record = record_ ? record_() : nullptr;
  if (!record)
    return;
  if (computed_ && MmiInputsOf(*record) == shown_.inputs)
    return;
  if (watcher_.isRunning()) {
    pending_ = true; // computed again once the running one is shown
    return;
  }
  status_->setText(QStringLiteral("Computing..."));
  const UserData copy = *record;
  watcher_.setFuture(QtConcurrent::run([copy] { return ComputeMmiChart(copy, true); }));
}

void MmiChartWindow::Show(const MmiChartData &data) {
  shown_ = data;
  computed_ = true;
  Fill(single_, data.singleShunt);
  Fill(three_, data.threeShunts);
  QString text = QStringLiteral("Dead time %1 ns, sampling time %2 ns, rise time %3 ns, noise "
                                "time %4 ns.")
                     .arg(data.inputs.deadTime)
                     .arg(data.inputs.samplingTime)
                     .arg(data.inputs.riseTime)
                     .arg(data.inputs.noiseTime);
  if (data.project) {
    const MmiPoint &p = data.project->point;
    mark_->replace({QPointF(p.frequency / kHzPerKHz, p.index)});
    mark_->setName(QStringLiteral("This project (%1)").arg(SensingName(data.project->sensing)));
    text += QStringLiteral(" This project: %1 Hz, %2, index %3 %.")
                .arg(p.frequency)
                .arg(SensingName(data.project->sensing).toLower())
                .arg(p.index);
  } else {
    mark_->clear();
    mark_->setName(QStringLiteral("This project"));
    text += QStringLiteral(" This project uses isolated current sensors (index 100 %).");
  }
  status_->setText(text);
}

QString MmiChartWindow::PointText(const QString &series, double kHz, double index) {
  return QStringLiteral("%1: %2 Hz, index %3 %")
      .arg(series)
      .arg(qRound(kHz * kHzPerKHz))
      .arg(qRound(index));
}

void MmiChartWindow::ShowToolTip(const QString &series, const QPointF &point, bool state) {
  if (!state) {
    QToolTip::hideText();
    return;
  }
  // The nearest computed point: the cursor lies between points on a line.
  const QLineSeries *line = series == single_->name()  ? single_
                            : series == three_->name() ? three_
                                                       : nullptr;
  QPointF shown = point;
  if (line && line->count() > 0) {
    const double step = kMmiStepHz / kHzPerKHz;
    const int i = std::clamp(qRound((point.x() - kMmiFirstHz / kHzPerKHz) / step), 0,
                             static_cast<int>(line->count()) - 1);
    shown = line->at(i);
  } else if (mark_->count() > 0) {
    shown = mark_->at(0);
  }
  QToolTip::showText(QCursor::pos(), PointText(series, shown.x(), shown.y()), view_);
}
