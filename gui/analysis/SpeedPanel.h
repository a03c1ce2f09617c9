// The speed-loop part of the controller-analysis window: the mechanics the
// loop needs (inertia, friction, load torque), the loop's figures, its step
// chart, and the button that opens the design of its gains.
#pragma once

#include "analysis/SpeedCharts.h"
#include "parvex/ControllerAnalysis.h"

#include <QWidget>

#include <optional>

class MechanicsFields;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

class SpeedPanel : public QWidget {
  Q_OBJECT

public:
  explicit SpeedPanel(QWidget *parent = nullptr);

  // Shows the mechanics in their fields and the loop's figures.
  void Show(const std::optional<parvex::Mechanics> &mechanics,
            const parvex::analysis::SpeedLoopFigures &speed);
  // Takes what the fields hold as entered (a typed value counts, whatever
  // the user does next): mechanicsEntered when they changed, a message in
  // the status line when they are no numbers.
  void CommitFields();

  QLineEdit *InertiaEdit() const;
  QLineEdit *FrictionEdit() const;
  QLineEdit *LoadTorqueEdit() const;
  QPushButton *DesignButton() const { return design_; }
  QLabel *Status() const { return status_; }
  QTableWidget *Figures() const { return figures_; }
  const SpeedStepChart &StepChart() const { return chart_; }

signals:
  void mechanicsEntered(const std::optional<parvex::Mechanics> &mechanics);
  void designRequested();

private:
  MechanicsFields *mechanics_;
  QPushButton *design_;
  QLabel *status_;
  QTableWidget *figures_;
  SpeedStepChart chart_;
};
