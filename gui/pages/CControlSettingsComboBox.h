// A drop-down list of numeric choices: each item stores one value in the
// record and shows another (the sampling times are shown at the converter
// clock but stored as the firmware counts them).
#pragma once

#include "parvex/Edits.h"

#include <QComboBox>

#include <span>

#include <vector>

class CControlSettingsComboBox : public QComboBox {
  Q_OBJECT

public:
  explicit CControlSettingsComboBox(QWidget *parent = nullptr);

  // Replaces the items: one per value, its text the shown value printed with
  // the printf-style format; selects the first item.
  void SetItems(const double *values, const double *shownValues, int count, const char *format);
  // The same from the model's items of a list setting, with their texts.
  void SetItems(std::span<const parvex::Choice> choices);
  // Selects the first item whose stored value equals v exactly; otherwise
  // the selection stays.
  void SelectValue(double v);
  // The stored value of the selected item (0 when the list is empty).
  double SelectedValue() const;

  const std::vector<double> &Values() const { return values_; }

private:
  std::vector<double> values_;
};
