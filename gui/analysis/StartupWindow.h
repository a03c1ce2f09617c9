// Tools > Start-up Simulation: the sensorless start-up the record
// configures, simulated with the motor's mechanics: the figures and flags,
// the speeds, angles and currents over time with the switch to the estimate
// marked. It follows the record and the mechanics while open, computing
// away from the window so that it stays responsive, and never writes the
// record.
#pragma once

#include "analysis/MechanicsSource.h"
#include "analysis/StartupCharts.h"
#include "parvex.h"
#include "parvex/StartupSimulation.h"

#include <QFutureWatcher>
#include <QWidget>

#include <functional>
#include <optional>

class MechanicsFields;
class QLabel;
class QLineEdit;
class QListWidget;
class QTableWidget;

class StartupWindow : public QWidget {
  Q_OBJECT

public:
  explicit StartupWindow(std::function<const UserData *()> record, QWidget *parent = nullptr);
  ~StartupWindow() override;

  // Where the mechanics come from and go to (the open project); without it
  // the window keeps what is typed to itself.
  void SetMechanicsAccess(std::function<std::optional<parvex::Mechanics>()> get,
                          std::function<void(const std::optional<parvex::Mechanics> &)> set);

  // Simulates again when the record, the mechanics or the rotor's angle
  // changed since the last time.
  void Refresh();
  // A simulation started and not yet shown.
  bool Busy() const { return running_ || pending_; }

  const parvex::analysis::StartupResult &Shown() const { return shown_; }
  MechanicsFields *Mechanics() const { return mechanics_; }
  QLineEdit *RotorAngle() const { return rotorAngle_; }
  QLabel *Status() const { return status_; }
  QTableWidget *Results() const { return results_; }
  QListWidget *Findings() const { return findings_; }
  const StartupChart &Speeds() const { return speeds_; }
  const StartupChart &Angles() const { return angles_; }
  const StartupChart &Currents() const { return currents_; }

protected:
  // Values typed and not yet entered count as entered.
  void closeEvent(QCloseEvent *event) override;

private:
  struct Inputs {
    UserData record;
    std::optional<parvex::Mechanics> mechanics;
    std::optional<double> rotorAngle;
  };
  std::optional<double> TypedAngle() const;
  bool SameAsComputed(const Inputs &in) const;
  void Show(const parvex::analysis::StartupResult &result);

  std::function<const UserData *()> record_;
  MechanicsSource source_;
  std::optional<Inputs> computed_; // the inputs of the last simulation started
  bool pending_ = false;
  bool running_ = false;
  QFutureWatcher<parvex::analysis::StartupResult> watcher_;
  parvex::analysis::StartupResult shown_;
  MechanicsFields *mechanics_;
  QLineEdit *rotorAngle_;
  QLabel *status_;
  QTableWidget *results_;
  QListWidget *findings_;
  StartupChart speeds_;
  StartupChart angles_;
  StartupChart currents_;
};
