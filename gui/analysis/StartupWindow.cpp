#include "analysis/StartupWindow.h"

#include "analysis/AnalysisTables.h"
#include "analysis/ChartParts.h"
#include "analysis/MechanicsFields.h"
#include "keys/DialogKeys.h"
#include "parvex/AnalysisText.h"
#include "strings/ResString.h"

#include <QChart>
#include <QChartView>
#include <QCloseEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>

#include <cmath>
#include <cstring>

using namespace parvex::analysis;
using torvio::ResString;

namespace {

bool SameMechanics(const std::optional<parvex::Mechanics> &a,
                   const std::optional<parvex::Mechanics> &b) {
  return a.has_value() == b.has_value() &&
         (!a || std::memcmp(&*a, &*b, sizeof(parvex::Mechanics)) == 0);
}

} // namespace

StartupWindow::StartupWindow(std::function<const UserData *()> record, QWidget *parent)
    : QWidget(parent, Qt::Window), record_(std::move(record)), mechanics_(new MechanicsFields),
      rotorAngle_(new QLineEdit), status_(new QLabel), results_(new QTableWidget(0, 1)),
      findings_(new QListWidget), speeds_(MakeStartupSpeedChart()),
      angles_(MakeStartupAngleChart()), currents_(MakeStartupCurrentChart()) {
  setWindowTitle(ResString(torvio::IDS_STARTUP_CAPTION));
  setAccessibleName(ResString(torvio::IDS_STARTUP_NAME));

  rotorAngle_->setAccessibleName(QStringLiteral("Rotor at rest (electrical deg)"));
  rotorAngle_->setObjectName(rotorAngle_->accessibleName());
  auto *angle = new QFormLayout;
  angle->setContentsMargins(0, 0, 0, 0);
  angle->addRow(rotorAngle_->accessibleName(), rotorAngle_);
  status_->setWordWrap(true);
  status_->setObjectName(QStringLiteral("startupStatus"));
  results_->setAccessibleName(QStringLiteral("Start-up figures"));
  results_->setHorizontalHeaderLabels({QStringLiteral("start-up")});
  results_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  results_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  findings_->setAccessibleName(QStringLiteral("Start-up findings"));
  findings_->setWordWrap(true);

  auto *inputs = new QVBoxLayout;
  inputs->addWidget(mechanics_);
  inputs->addLayout(angle);
  inputs->addStretch(1);
  auto *top = new QHBoxLayout;
  top->addLayout(inputs, 2);
  top->addWidget(results_, 3);
  top->addWidget(findings_, 4);
  auto *charts = new QHBoxLayout;
  charts->addWidget(ChartView(speeds_.chart, this));
  charts->addWidget(ChartView(angles_.chart, this));
  charts->addWidget(ChartView(currents_.chart, this));
  auto *layout = new QVBoxLayout(this);
  layout->addWidget(status_);
  layout->addLayout(top, 2);
  layout->addLayout(charts, 3);
  resize(1400, 900);

  connect(mechanics_, &MechanicsFields::entered, this,
          [this](const std::optional<parvex::Mechanics> &m) {
            source_.Enter(m);
            Refresh();
          });
  connect(mechanics_, &MechanicsFields::refused, status_, &QLabel::setText);
  connect(rotorAngle_, &QLineEdit::editingFinished, this, &StartupWindow::Refresh);
  connect(&watcher_, &QFutureWatcher<StartupResult>::finished, this, [this] {
    running_ = false;
    Show(watcher_.result());
    if (pending_) {
      pending_ = false;
      Refresh();
    }
  });
  torvio::CloseOnEscape(this);
  Refresh();
}

StartupWindow::~StartupWindow() {
  watcher_.waitForFinished();
}

void StartupWindow::SetMechanicsAccess(
    std::function<std::optional<parvex::Mechanics>()> get,
    std::function<void(const std::optional<parvex::Mechanics> &)> set) {
  source_.Connect(std::move(get), std::move(set));
  Refresh();
}

// The typed angle; none when the field is empty or holds no number.
std::optional<double> StartupWindow::TypedAngle() const {
  bool ok = false;
  const double v = QLocale::c().toDouble(rotorAngle_->text().trimmed(), &ok);
  return ok && std::isfinite(v) ? std::optional<double>(v) : std::nullopt;
}

bool StartupWindow::SameAsComputed(const Inputs &in) const {
  return computed_ && std::memcmp(&in.record, &computed_->record, sizeof(UserData)) == 0 &&
         SameMechanics(in.mechanics, computed_->mechanics) &&
         in.rotorAngle == computed_->rotorAngle;
}

void StartupWindow::Refresh() {
  const UserData *record = record_ ? record_() : nullptr;
  if (!record)
    return;
  Inputs in;
  // Byte for byte, padding included, for the comparison above.
  std::memcpy(&in.record, record, sizeof(UserData));
  in.mechanics = source_.Current();
  in.rotorAngle = TypedAngle();
  if (SameAsComputed(in))
    return;
  if (running_) {
    pending_ = true; // simulated again once the running one is shown
    return;
  }
  running_ = true;
  computed_ = in;
  mechanics_->Show(in.mechanics);
  StartupOptions options;
  options.rotorAngle = in.rotorAngle;
  rotorAngle_->setPlaceholderText(
      QStringLiteral("worst case, %1").arg(WorstCaseRotorAngle(in.record, options), 0, 'g', 4));
  if (!in.mechanics) {
    watcher_.setFuture(QtConcurrent::run([copy = in.record] {
      return SimulateStartup(copy, parvex::Mechanics{}, StartupOptions{});
    }));
    return;
  }
  watcher_.setFuture(QtConcurrent::run([copy = in.record, m = *in.mechanics, options] {
    return SimulateStartup(copy, m, options);
  }));
}

void StartupWindow::Show(const StartupResult &r) {
  shown_ = r;
  status_->setText(
      QString::fromStdString(r.notSimulated.empty() ? StartupHead(r) : r.notSimulated));
  const std::vector<StartupFigure> figures = StartupFigures(r);
  results_->setRowCount(static_cast<int>(figures.size()));
  QStringList labels;
  for (std::size_t i = 0; i < figures.size(); ++i) {
    labels << QString::fromStdString(figures[i].name);
    auto *item = new QTableWidgetItem(QString::fromStdString(figures[i].value));
    item->setToolTip(QString::fromUtf8(figures[i].group) + QStringLiteral(": ") + item->text());
    results_->setItem(static_cast<int>(i), 0, item);
  }
  results_->setVerticalHeaderLabels(labels);
  findings_->clear();
  for (const StartupFinding &f : r.findings) {
    auto *item = new QListWidgetItem(
        QString::fromStdString(LevelText(f.level, f.subject + ": " + f.reason)), findings_);
    item->setBackground(LevelColour(f.level));
  }
  if (r.notSimulated.empty() && r.findings.empty())
    new QListWidgetItem(QStringLiteral("Nothing flagged."), findings_);
  ShowStartupSpeeds(speeds_, r);
  ShowStartupAngles(angles_, r);
  ShowStartupCurrents(currents_, r);
}

void StartupWindow::closeEvent(QCloseEvent *event) {
  mechanics_->Commit();
  QWidget::closeEvent(event);
}
