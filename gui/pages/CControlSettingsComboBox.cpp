#include "CControlSettingsComboBox.h"

CControlSettingsComboBox::CControlSettingsComboBox(QWidget *parent) : QComboBox(parent) {}

void CControlSettingsComboBox::SetItems(const double *values, const double *shownValues, int count,
                                        const char *format) {
  clear();
  values_.clear();
  if (count <= 0 || !values || !shownValues)
    return;
  values_.assign(values, values + count);
  for (int i = 0; i < count; ++i)
    addItem(QString::asprintf(format, shownValues[i])); // "C" formatting: "." whatever the locale
  setCurrentIndex(0);
}

void CControlSettingsComboBox::SetItems(std::span<const parvex::Choice> choices) {
  clear();
  values_.clear();
  for (const parvex::Choice &choice : choices) {
    values_.push_back(choice.stored);
    addItem(QString::fromUtf8(choice.shown));
  }
  if (!values_.empty())
    setCurrentIndex(0);
}

void CControlSettingsComboBox::SelectValue(double v) {
  for (std::size_t i = 0; i < values_.size(); ++i)
    if (values_[i] == v) {
      setCurrentIndex(static_cast<int>(i));
      return;
    }
}

double CControlSettingsComboBox::SelectedValue() const {
  const int i = currentIndex();
  if (i < 0 || static_cast<std::size_t>(i) >= values_.size())
    return 0.0;
  return values_[static_cast<std::size_t>(i)];
}
