// "Message Log": the lines of the last generation, errors red, warnings
// blue, information black, opened on its last full page so that the end of
// the run is in view.
#pragma once

#include "parvex/Generation.h"

#include <QDialog>

#include <vector>

class CColorListBox;
class QPushButton;

class CLogDialog : public QDialog {
  Q_OBJECT

public:
  explicit CLogDialog(const std::vector<parvex::ReportLine> &lines, QWidget *parent = nullptr);

  CColorListBox *List() const { return list_; }
  QPushButton *CloseButton() const { return close_; }

  // The colour of a line of this severity.
  static QColor SeverityColor(parvex::Severity severity);

protected:
  void showEvent(QShowEvent *event) override;

private:
  CColorListBox *list_;
  QPushButton *close_;
};
