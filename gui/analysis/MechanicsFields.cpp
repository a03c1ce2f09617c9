#include "analysis/MechanicsFields.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QLocale>

#include <cmath>

namespace {

QString Number(double v) {
  return QLocale::c().toString(v, 'g', 12);
}

// A field's number, "." as decimal point whatever the locale; nothing for
// an empty field; NaN for text that is no number.
std::optional<double> Read(const QLineEdit *edit) {
  const QString text = edit->text().trimmed();
  if (text.isEmpty())
    return std::nullopt;
  bool ok = false;
  const double v = QLocale::c().toDouble(text, &ok);
  return ok && std::isfinite(v) ? v : NAN;
}

bool Same(const std::optional<parvex::Mechanics> &a, const std::optional<parvex::Mechanics> &b) {
  return a.has_value() == b.has_value() &&
         (!a || (a->inertia == b->inertia && a->friction == b->friction &&
                 a->loadTorque == b->loadTorque));
}

QLineEdit *Field(const QString &name, const QString &placeholder) {
  auto *edit = new QLineEdit;
  edit->setAccessibleName(name);
  edit->setObjectName(name);
  edit->setPlaceholderText(placeholder);
  return edit;
}

} // namespace

MechanicsFields::MechanicsFields(QWidget *parent)
    : QWidget(parent),
      inertia_(Field(QStringLiteral("Inertia J (kg m^2)"), QStringLiteral("motor and load"))),
      friction_(Field(QStringLiteral("Friction B (N m s/rad)"), QStringLiteral("0"))),
      load_(Field(QStringLiteral("Load torque (N m)"), QStringLiteral("0"))) {
  auto *form = new QFormLayout(this);
  form->setContentsMargins(0, 0, 0, 0);
  for (QLineEdit *edit : {inertia_, friction_, load_}) {
    form->addRow(edit->accessibleName(), edit);
    connect(edit, &QLineEdit::editingFinished, this, &MechanicsFields::Commit);
  }
}

void MechanicsFields::Show(const std::optional<parvex::Mechanics> &mechanics) {
  shown_ = mechanics;
  const auto put = [](QLineEdit *edit, const QString &text) {
    if (edit->text() != text)
      edit->setText(text);
  };
  put(inertia_, mechanics ? Number(mechanics->inertia) : QString());
  put(friction_, mechanics && mechanics->friction != 0 ? Number(mechanics->friction) : QString());
  put(load_, mechanics && mechanics->loadTorque != 0 ? Number(mechanics->loadTorque) : QString());
}

void MechanicsFields::Commit() {
  const std::optional<double> j = Read(inertia_);
  std::optional<parvex::Mechanics> typed;
  if (j) {
    typed = parvex::Mechanics{*j, Read(friction_).value_or(0.0), Read(load_).value_or(0.0)};
    if (!parvex::Usable(*typed)) {
      emit refused(QStringLiteral("The inertia must be a number above 0 and the friction a number "
                                  "not below 0; the last ones are kept."));
      return;
    }
  }
  if (!Same(typed, shown_))
    emit entered(typed);
}
