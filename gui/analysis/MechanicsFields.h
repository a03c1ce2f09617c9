// The three fields of the motor's mechanics (inertia, friction, load
// torque), shared by the speed loop's panel and the start-up simulation:
// numbers with "." whatever the locale, an empty inertia meaning none.
#pragma once

#include "parvex/Mechanics.h"

#include <QWidget>

#include <optional>

class QLineEdit;

class MechanicsFields : public QWidget {
  Q_OBJECT

public:
  explicit MechanicsFields(QWidget *parent = nullptr);

  // Shows the mechanics, leaving a field alone that already reads so.
  void Show(const std::optional<parvex::Mechanics> &mechanics);
  // Takes what the fields hold as entered (a typed value counts, whatever
  // the user does next): `entered` when they differ from those shown,
  // `refused` when they are no usable mechanics.
  void Commit();

  QLineEdit *Inertia() const { return inertia_; }
  QLineEdit *Friction() const { return friction_; }
  QLineEdit *LoadTorque() const { return load_; }

signals:
  void entered(const std::optional<parvex::Mechanics> &mechanics);
  void refused(const QString &why);

private:
  std::optional<parvex::Mechanics> shown_;
  QLineEdit *inertia_;
  QLineEdit *friction_;
  QLineEdit *load_;
};
