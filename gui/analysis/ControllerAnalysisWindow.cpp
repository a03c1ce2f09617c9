#include "analysis/ControllerAnalysisWindow.h"

#include "analysis/AnalysisTables.h"
#include "analysis/ChartParts.h"
#include "analysis/SpeedDesignDialog.h"
#include "analysis/SpeedPanel.h"
#include "keys/DialogKeys.h"
#include "strings/ResString.h"

#include <QChart>
#include <QChartView>
#include <QCloseEvent>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

#include <cstring>

using namespace parvex::analysis;
using torvio::ResString;

namespace {

QString SummaryText(const ControllerAnalysis &a) {
  int flags = 0;
  int notes = 0;
  for (const Finding &f : a.findings)
    (f.level == Level::Flag ? flags : notes) += 1;
  const Scaling &s = a.scaling;
  return ResString(torvio::IDS_ANALYSIS_SUMMARY)
      .arg(flags)
      .arg(notes)
      .arg(s.controlPeriod * 1e6, 0, 'g', 4)
      .arg(s.cutOff, 0, 'g', 6)
      .arg(s.voltageLimit, 0, 'g', 4);
}

} // namespace

ControllerAnalysisWindow::ControllerAnalysisWindow(std::function<const UserData *()> record,
                                                   QWidget *parent)
    : QWidget(parent, Qt::Window), record_(std::move(record)), summary_(new QLabel(this)),
      gains_(new QTableWidget(0, ColumnCount, this)), loops_(new QTableWidget(this)),
      qStep_(MakeStepChart()), dStep_(MakeStepChart()), bode_(MakeBodeChart()),
      speed_(new SpeedPanel(this)) {
  setWindowTitle(ResString(torvio::IDS_ANALYSIS_CAPTION));
  setAccessibleName(ResString(torvio::IDS_ANALYSIS_NAME));

  gains_->setHorizontalHeaderLabels(ResString(torvio::IDS_ANALYSIS_GAIN_COLUMNS).split(u'\n'));
  gains_->setAccessibleName(ResString(torvio::IDS_ANALYSIS_GAINS_NAME));
  gains_->verticalHeader()->hide();
  gains_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  gains_->setWordWrap(false);
  gains_->setTextElideMode(Qt::ElideRight);
  gains_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  loops_->setAccessibleName(ResString(torvio::IDS_ANALYSIS_LOOPS_NAME));
  loops_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  loops_->setWordWrap(false);
  loops_->setTextElideMode(Qt::ElideRight);
  summary_->setWordWrap(true);

  auto *charts = new QHBoxLayout;
  charts->addWidget(loops_, 3);
  charts->addWidget(ChartView(qStep_.chart, this), 2);
  charts->addWidget(ChartView(dStep_.chart, this), 2);
  charts->addWidget(ChartView(bode_.chart, this), 2);
  auto *layout = new QVBoxLayout(this);
  layout->addWidget(summary_);
  layout->addWidget(gains_, 1);
  layout->addLayout(charts, 1);
  layout->addWidget(speed_, 1);
  resize(1500, 1000);
  connect(speed_, &SpeedPanel::mechanicsEntered, this,
          [this](const std::optional<parvex::Mechanics> &m) { EnterMechanics(m); });
  connect(speed_, &SpeedPanel::designRequested, this, &ControllerAnalysisWindow::DesignSpeedGains);
  torvio::CloseOnEscape(this);
  gains_->viewport()->installEventFilter(this);
  Refresh();
}

void ControllerAnalysisWindow::SetMechanicsAccess(
    std::function<std::optional<parvex::Mechanics>()> get,
    std::function<void(const std::optional<parvex::Mechanics> &)> set) {
  source_.Connect(std::move(get), std::move(set));
  Refresh();
}

void ControllerAnalysisWindow::SetSpeedGainsApplier(
    std::function<void(const parvex::analysis::SpeedGains &)> apply) {
  applyGains_ = std::move(apply);
}

std::optional<parvex::Mechanics> ControllerAnalysisWindow::CurrentMechanics() const {
  return source_.Current();
}

void ControllerAnalysisWindow::EnterMechanics(const std::optional<parvex::Mechanics> &m) {
  source_.Enter(m);
  Refresh();
}

void ControllerAnalysisWindow::DesignSpeedGains() {
  const std::optional<parvex::Mechanics> mechanics = CurrentMechanics();
  const UserData *record = record_ ? record_() : nullptr;
  if (!mechanics || !record)
    return;
  SpeedDesignDialog dialog(*record, *mechanics, this);
  if (dialog.exec() == QDialog::Accepted && dialog.Proposed() && applyGains_)
    applyGains_(*dialog.Proposed());
}

void ControllerAnalysisWindow::closeEvent(QCloseEvent *event) {
  speed_->CommitFields();
  QWidget::closeEvent(event);
}

bool ControllerAnalysisWindow::eventFilter(QObject *watched, QEvent *event) {
  if (watched == gains_->viewport() && event->type() == QEvent::Resize)
    FitGainColumns(gains_);
  return QWidget::eventFilter(watched, event);
}

void ControllerAnalysisWindow::Refresh() {
  const UserData *record = record_ ? record_() : nullptr;
  if (!record)
    return;
  // The document tells of every change, also of one that restores what is
  // shown (undo of an edit the window never saw); an unchanged record needs
  // no work.
  const std::optional<parvex::Mechanics> mechanics = CurrentMechanics();
  const bool sameMechanics =
      mechanics.has_value() == analysedMechanics_.has_value() &&
      (!mechanics || std::memcmp(&*mechanics, &*analysedMechanics_, sizeof *mechanics) == 0);
  if (computed_ && sameMechanics && std::memcmp(record, &analysed_, sizeof analysed_) == 0)
    return;
  Show(*record);
}

void ControllerAnalysisWindow::Show(const UserData &record) {
  // Byte for byte, padding included, for the comparison in Refresh.
  std::memcpy(&analysed_, &record, sizeof analysed_);
  analysedMechanics_ = CurrentMechanics();
  computed_ = true;
  AnalysisOptions options;
  options.mechanics = analysedMechanics_;
  shown_ = Analyse(record, options);
  summary_->setText(SummaryText(shown_));
  FillGainTable(gains_, shown_);
  FillLoopTable(loops_, shown_);
  if (shown_.loops.size() == 2) {
    ShowStep(qStep_, shown_.loops[0]);
    ShowStep(dStep_, shown_.loops[1]);
    ShowBode(bode_, shown_.loops[0], shown_.loops[1]);
  }
  FitGainColumns(gains_);
  FitLoopColumns(loops_);
  speed_->Show(analysedMechanics_, shown_.speed);
}
