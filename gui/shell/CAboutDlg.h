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

  QLabel *VersionLine() const { return m_version; }
  QListWidget *Modules() const { return m_modules; }

private:
  void OnInitDialog();

  QLabel *m_version;
  QListWidget *m_modules;
};
