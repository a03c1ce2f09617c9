// The list of settings in which a project file differs from the open
// project, one per line, with the file's name in the title.
#pragma once

#include "ProjectComparison.h"

#include <QDialog>

class QPlainTextEdit;
class QLabel;

class CompareDialog : public QDialog {
  Q_OBJECT

public:
  CompareDialog(const QString &openName, const QString &path, const ProjectComparison &comparison,
                QWidget *parent = nullptr);

  QString Summary() const;
  QString Text() const;

private:
  QLabel *summary_;
  QPlainTextEdit *list_;
};
