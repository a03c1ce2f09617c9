#include "NumericField.h"

#include "parvex/Parameters.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLocale>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTimer>

#include <cmath>

NumericField::NumericField(QWidget *parent) : QLineEdit(parent) {
  // Signs, digits and one decimal point, either "." or ","; the value is
  // checked against the limits when it is committed.
  static const QRegularExpression pattern(QStringLiteral("[+-]?[0-9]*([.,][0-9]*)?"));
  setValidator(new QRegularExpressionValidator(pattern, this));
  setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  QFont f = font();
  f.setBold(true);
  setFont(f);
  ShowValue();
}

void NumericField::SetMin(double min) {
  min_ = min;
}

void NumericField::SetMax(double max) {
  max_ = max;
}

void NumericField::SetValue(double value) {
  value_ = value;
  ShowValue();
}

void NumericField::SetPrecision(int decimals) {
  precision_ = parvex::DecimalsShown(decimals, parvex::DecimalsUse::Field);
  ShowValue();
}

void NumericField::SetTextColor(const QColor &colour) {
  textColour_ = colour;
  QPalette p = palette();
  for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
    p.setColor(group, QPalette::Text, colour);
  setPalette(p);
}

bool NumericField::ParseNumber(const QString &text, double *value) {
  QString t = text.trimmed();
  t.replace(QLatin1Char(','), QLatin1Char('.'));
  if (t.isEmpty() || t == QLatin1String(".") || t == QLatin1String("-") || t == QLatin1String("+"))
    return false;
  bool ok = false;
  const double v = QLocale::c().toDouble(t, &ok);
  if (!ok || !std::isfinite(v))
    return false;
  *value = v;
  return true;
}

QString NumericField::Format(double v) const {
  return QString::number(v, 'f', precision_); // always ".", never grouped
}

double NumericField::Clamp(double v) const {
  // The bounds are used exactly as given, never rounded to the shown decimals.
  if (v < min_)
    v = min_;
  if (v > max_)
    v = max_;
  return v;
}

void NumericField::ShowValue() {
  // A value too wide for the field would show only its right end, a
  // plausible but wrong number; it shows cut at the right with a visible
  // ellipsis instead, and whole while the field has the focus.
  const QString full = Format(value_);
  QString shown = full;
  if (!hasFocus()) {
    QStyleOptionFrame option;
    initStyleOption(&option);
    const int room = style()->subElementRect(QStyle::SE_LineEditContents, &option, this).width() -
                     textMargins().left() - textMargins().right() - 4;
    if (room > 0 && fontMetrics().horizontalAdvance(full) > room)
      shown = fontMetrics().elidedText(full, Qt::ElideRight, room);
  }
  setText(shown);
  setModified(false);
}

void NumericField::Commit() {
  if (!isModified())
    return;
  double typed = 0.0;
  if (!ParseNumber(text(), &typed)) {
    ShowValue(); // not a number: the old value stays
    return;
  }
  const double v = Clamp(typed);
  const bool changed = v != value_;
  value_ = v;
  ShowValue();
  if (changed)
    emit Changed();
}

void NumericField::Step(int steps) {
  double base = value_;
  if (isModified())
    ParseNumber(text(), &base);
  const double unit = std::pow(10.0, -precision_);
  const double stepped = Clamp(base + steps * unit);
  setText(Format(stepped));
  setModified(true);
  selectAll();
}

bool NumericField::event(QEvent *e) {
  if (e->type() == QEvent::ShortcutOverride || e->type() == QEvent::KeyPress) {
    // Escape takes back an edit that is not committed yet, before any
    // window shortcut sees the key.
    auto *k = static_cast<QKeyEvent *>(e);
    if (k->key() == Qt::Key_Escape && isModified()) {
      if (e->type() == QEvent::KeyPress)
        ShowValue();
      e->accept();
      return true;
    }
  }
  if (e->type() == QEvent::KeyPress) {
    auto *k = static_cast<QKeyEvent *>(e);
    const bool tab = k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab;
    if (tab && keepsTab_ && !(k->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
      const bool shift = k->key() == Qt::Key_Backtab || (k->modifiers() & Qt::ShiftModifier);
      quint16 code = kTabKeyCode;
      emit KeyDown(code, shift ? kShift : kNoShift);
      return true; // the field keeps Tab whatever the handler did
    }
  }
  return QLineEdit::event(e);
}

bool NumericField::focusNextPrevChild(bool next) {
  if (keepsTab_)
    return false;
  return QLineEdit::focusNextPrevChild(next);
}

void NumericField::keyPressEvent(QKeyEvent *e) {
  quint16 code = static_cast<quint16>(e->key() & 0xFFFF);
  emit KeyDown(code, (e->modifiers() & Qt::ShiftModifier) ? 1 : 0);
  if (code == 0) {
    e->accept();
    return;
  }
  switch (e->key()) {
  case Qt::Key_Return:
  case Qt::Key_Enter:
    Commit();
    e->accept(); // Enter commits the field; it does not press a default button
    return;
  case Qt::Key_Up:
    Step(1);
    e->accept();
    return;
  case Qt::Key_Down:
    Step(-1);
    e->accept();
    return;
  case Qt::Key_PageUp:
    Step(10);
    e->accept();
    return;
  case Qt::Key_PageDown:
    Step(-10);
    e->accept();
    return;
  default:
    break;
  }
  QLineEdit::keyPressEvent(e);
}

void NumericField::focusInEvent(QFocusEvent *e) {
  QLineEdit::focusInEvent(e);
  if (!isModified())
    ShowValue(); // whole, for editing
  // Deferred: a mouse press that brought the focus would clear the selection.
  QTimer::singleShot(0, this, [this] {
    if (hasFocus())
      selectAll();
  });
}

void NumericField::focusOutEvent(QFocusEvent *e) {
  QLineEdit::focusOutEvent(e);
  Commit();
  if (!isModified())
    ShowValue(); // cut again if it does not fit
}

void NumericField::resizeEvent(QResizeEvent *e) {
  QLineEdit::resizeEvent(e);
  if (!isModified())
    ShowValue();
}
