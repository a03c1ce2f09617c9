// "About TORVIO": the program's version and the versions of the modules
// loaded with it.
#pragma once

#include <QDialog>

class QLabel;
class QListWidget;

class CAboutDlg : public QDialog {
  Q_OBJECT

public:
  explicit CAboutDlg(QWidget *parent = nullptr);

  QLabel *VersionLine() const { return version_; }
  QListWidget *Modules() const { return modules_; }

private:
  void OnInitDialog();

  QLabel *version_;
  QListWidget *modules_;
};
