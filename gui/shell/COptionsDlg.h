// Tools Options: the templates folder and the output folder.
#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

class COptionsDlg : public QDialog {
  Q_OBJECT

public:
  explicit COptionsDlg(QWidget *parent = nullptr);

  QLineEdit *TemplatesEdit() const { return templates_; }
  QLineEdit *OutputEdit() const { return output_; }
  QPushButton *TemplatesBrowse() const { return templatesBrowse_; }
  QPushButton *OutputBrowse() const { return outputBrowse_; }
  // Shown when a folder's name is not valid text.
  QLabel *RawBytesNote() const { return rawNote_; }

  // Stores both texts, each non-empty one ending with "/", without further
  // checks, and closes with OK. A folder shown escaped and left as it was
  // keeps its bytes.
  void accept() override;

private:
  void Browse(QLineEdit *edit, const QString &title);

  QLineEdit *templates_;
  QLineEdit *output_;
  QPushButton *templatesBrowse_;
  QPushButton *outputBrowse_;
  QLabel *rawNote_;
  QString templatesRead_; // the folders as read, bytes kept
  QString outputRead_;
};
