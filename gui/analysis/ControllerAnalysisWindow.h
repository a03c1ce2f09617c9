// Tools > Controller Analysis: every gain TORVIO computes beside the value it
// was meant to be and its physical meaning, naming the header definition it
// lands in; the q- and d-axis step responses of the firmware's integer
// controller against the ideal first-order response; the closed loops' Bode
// magnitude; the loop figures. It follows the record while open (Refresh on
// every change) and never writes it.
#pragma once

#include "analysis/LoopCharts.h"
#include "analysis/MechanicsSource.h"
#include "parvex.h"
#include "parvex/ControllerAnalysis.h"

#include <QWidget>

#include <functional>
#include <optional>

class QLabel;
class QTableWidget;
class SpeedPanel;

class ControllerAnalysisWindow : public QWidget {
  Q_OBJECT

public:
  // The gain table's columns.
  enum Column { Quantity, Header, Definition, Exact, Written, Error, Physical, Level, ColumnCount };

  // `record` gives the open document's record each time it is called (the
  // document may be replaced while the window is open).
  explicit ControllerAnalysisWindow(std::function<const UserData *()> record,
                                    QWidget *parent = nullptr);

  // Where the mechanics of the speed loop come from and go to (the open
  // project); without it the window keeps what is typed to itself.
  void SetMechanicsAccess(std::function<std::optional<parvex::Mechanics>()> get,
                          std::function<void(const std::optional<parvex::Mechanics> &)> set);
  // What "Apply" in the speed-gain design does with the gains (one edit of
  // the project); without it the design only shows.
  void SetSpeedGainsApplier(std::function<void(const parvex::analysis::SpeedGains &)> apply);

  // Analyses the record again when it (or the mechanics) changed since the
  // last time.
  void Refresh();

  const parvex::analysis::ControllerAnalysis &Shown() const { return shown_; }
  QLabel *Summary() const { return summary_; }
  QTableWidget *GainTable() const { return gains_; }
  QTableWidget *LoopTable() const { return loops_; }
  SpeedPanel *Speed() const { return speed_; }
  // Opens the speed-gain design for the shown record and mechanics.
  void DesignSpeedGains();
  // 0: q axis, 1: d axis.
  const StepChart &Step(int axis) const { return axis == 0 ? qStep_ : dStep_; }
  const BodeChart &Bode() const { return bode_; }

protected:
  // The gain table's columns follow the window's width.
  bool eventFilter(QObject *watched, QEvent *event) override;
  // A mechanics value typed and not yet entered counts as entered.
  void closeEvent(QCloseEvent *event) override;

private:
  void Show(const UserData &record);
  std::optional<parvex::Mechanics> CurrentMechanics() const;
  void EnterMechanics(const std::optional<parvex::Mechanics> &mechanics);

  std::function<const UserData *()> record_;
  MechanicsSource source_;
  std::function<void(const parvex::analysis::SpeedGains &)> applyGains_;
  UserData analysed_{};
  std::optional<parvex::Mechanics> analysedMechanics_;
  bool computed_ = false;
  parvex::analysis::ControllerAnalysis shown_;
  QLabel *summary_;
  QTableWidget *gains_;
  QTableWidget *loops_;
  StepChart qStep_;
  StepChart dStep_;
  BodeChart bode_;
  SpeedPanel *speed_;
};
