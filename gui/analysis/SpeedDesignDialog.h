// "Design speed gains": the speed gains designed for a wanted bandwidth
// beside the ones the project holds, with both loops' figures and speed
// steps. Apply ends the dialog with the proposal; the caller enters it.
#pragma once

#include "analysis/SpeedCharts.h"
#include "parvex/ControllerAnalysis.h"

#include <QDialog>

#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

class SpeedDesignDialog : public QDialog {
  Q_OBJECT

public:
  SpeedDesignDialog(const UserData &record, const parvex::Mechanics &mechanics,
                    QWidget *parent = nullptr);

  // The gains of the last design; nothing when none could be made.
  const std::optional<parvex::analysis::SpeedGains> &Proposed() const { return proposed_; }
  // Designs again for the bandwidth in its field (Enter there does it).
  void Recompute();

  QLineEdit *BandwidthEdit() const { return bandwidth_; }
  QLabel *Summary() const { return summary_; }
  QTableWidget *Comparison() const { return comparison_; }
  QPushButton *ApplyButton() const { return apply_; }
  QPushButton *CloseButton() const { return close_; }

protected:
  bool eventFilter(QObject *watched, QEvent *event) override;

private:
  UserData record_;
  parvex::Mechanics mechanics_;
  std::optional<parvex::analysis::SpeedGains> proposed_;
  QLineEdit *bandwidth_;
  QLabel *summary_;
  QTableWidget *comparison_;
  SpeedComparisonChart chart_;
  QPushButton *apply_;
  QPushButton *close_;
};
