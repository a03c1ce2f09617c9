// Tools > Controller Analysis: every gain TORVIO computes beside the value it
// was meant to be and its physical meaning, naming the header definition it
// lands in; the q- and d-axis step responses of the firmware's integer
// controller against the ideal first-order response; the closed loops' Bode
// magnitude; the loop figures. It follows the record while open (Refresh on
// every change) and never writes it.
#pragma once

#include "analysis/LoopCharts.h"
#include "parvex.h"
#include "parvex/ControllerAnalysis.h"

#include <QWidget>

#include <functional>

class QLabel;
class QTableWidget;

class ControllerAnalysisWindow : public QWidget {
  Q_OBJECT

public:
  // The gain table's columns.
  enum Column { Quantity, Header, Definition, Exact, Written, Error, Physical, Level, ColumnCount };

  // `record` gives the open document's record each time it is called (the
  // document may be replaced while the window is open).
  explicit ControllerAnalysisWindow(std::function<const UserData *()> record,
                                    QWidget *parent = nullptr);

  // Analyses the record again when it changed since the last time.
  void Refresh();

  const parvex::analysis::ControllerAnalysis &Shown() const { return shown_; }
  QLabel *Summary() const { return summary_; }
  QTableWidget *GainTable() const { return gains_; }
  QTableWidget *LoopTable() const { return loops_; }
  // 0: q axis, 1: d axis.
  const StepChart &Step(int axis) const { return axis == 0 ? qStep_ : dStep_; }
  const BodeChart &Bode() const { return bode_; }

protected:
  // The gain table's columns follow the window's width.
  bool eventFilter(QObject *watched, QEvent *event) override;

private:
  void Show(const UserData &record);

  std::function<const UserData *()> record_;
  UserData analysed_{};
  bool computed_ = false;
  parvex::analysis::ControllerAnalysis shown_;
  QLabel *summary_;
  QTableWidget *gains_;
  QTableWidget *loops_;
  StepChart qStep_;
  StepChart dStep_;
  BodeChart bode_;
};
