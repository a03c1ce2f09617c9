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

  QLineEdit *TemplatesEdit() const { return m_templates; }
  QLineEdit *OutputEdit() const { return m_output; }
  QPushButton *TemplatesBrowse() const { return m_templatesBrowse; }
  QPushButton *OutputBrowse() const { return m_outputBrowse; }
  // Shown when a folder's name is not valid text.
  QLabel *RawBytesNote() const { return m_rawNote; }

  // Stores both texts, each non-empty one ending with "/", without further
  // checks, and closes with OK. A folder shown escaped and left as it was
  // keeps its bytes.
  void accept() override;

private:
  void Browse(QLineEdit *edit, const QString &title);

  QLineEdit *m_templates;
  QLineEdit *m_output;
  QPushButton *m_templatesBrowse;
  QPushButton *m_outputBrowse;
  QLabel *m_rawNote;
  QString m_templatesRead; // the folders as read, bytes kept
  QString m_outputRead;
};
