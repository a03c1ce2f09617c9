// The folder browser: a modal dialog around CPathDialogSub that ends with OK
// only when a folder was confirmed (it exists when the dialog closes).
#pragma once

#include <QDialog>

class CPathDialogSub;

class CPathDialog : public QDialog {
  Q_OBJECT

public:
  CPathDialog(const QString &caption, const QString &title, const QString &initialFolder,
              QWidget *parent = nullptr);

  // Runs the browser; QDialog::Accepted only when OK confirmed a folder.
  int DoModal();
  QString GetPathName() const { return path_; }
  CPathDialogSub *Browser() const { return browser_; }

private:
  CPathDialogSub *browser_;
  QString initialFolder_;
  QString path_;
  bool done_ = false;
};
