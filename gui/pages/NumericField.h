// The numeric entry field of every page. Unlike QDoubleSpinBox it keeps its
// limits exactly as given (a maximum of 2.9182879377431905 shown with two
// decimals stays that maximum), commits only on Enter or when the focus
// leaves an edited field, and can keep the Tab key so that the page decides
// where the focus goes next. Numbers use "." whatever the locale; a typed ","
// is read as ".".
#pragma once

#include <QColor>
#include <QLineEdit>

class NumericField : public QLineEdit {
  Q_OBJECT

public:
  explicit NumericField(QWidget *parent = nullptr);

  void SetMin(double min);
  void SetMax(double max);
  // Shows the value; never raises Changed.
  void SetValue(double value);
  void SetPrecision(int decimals);
  double GetValue() const { return value_; }
  double Min() const { return min_; }
  double Max() const { return max_; }
  int Precision() const { return precision_; }

  void SetTextColor(const QColor &colour);
  QColor TextColor() const { return textColour_; }

  // While set, Tab and Shift+Tab are reported through KeyDown instead of
  // moving the focus.
  void SetKeepsTab(bool keep) { keepsTab_ = keep; }
  bool KeepsTab() const { return keepsTab_; }

  // Commits an edit typed but not yet committed, exactly as Enter does; a
  // text that is no number brings the last value back. Nothing happens when
  // nothing was typed.
  void CommitPendingEdit() { Commit(); }

  // Reads text the way the field does: "." or "," as decimal point, blanks
  // around it ignored. False when it is no number.
  static bool ParseNumber(const QString &text, double *value);

signals:
  // The user committed a new value, already kept within [Min, Max].
  void Changed();
  // A key was pressed; Tab is reported as 9 with shift state 0 or 1. A
  // handler that sets keyCode to 0 consumes the key.
  void KeyDown(quint16 &keyCode, quint16 shiftState);

public:
  // The key code KeyDown reports for Tab, and its two shift states.
  static constexpr quint16 kTabKeyCode = 9;
  static constexpr quint16 kNoShift = 0;
  static constexpr quint16 kShift = 1;

protected:
  bool event(QEvent *e) override;
  bool focusNextPrevChild(bool next) override;
  void keyPressEvent(QKeyEvent *e) override;
  void focusInEvent(QFocusEvent *e) override;
  void focusOutEvent(QFocusEvent *e) override;
  void resizeEvent(QResizeEvent *e) override;

private:
  void Commit();
  void Step(int steps);
  void ShowValue();
  QString Format(double v) const;
  double Clamp(double v) const;

  double min_ = 0.0;
  double max_ = 0.0;
  double value_ = 0.0;
  int precision_ = 0;
  bool keepsTab_ = false;
  QColor textColour_ = QColor(0, 0, 0);
};
