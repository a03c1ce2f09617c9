// "Message Log": the lines of the last generation, errors red, warnings
// blue, information black, the last line scrolled to the top.
#pragma once

#include <QDialog>
#include <QStringList>

class CColorListBox;
class QPushButton;

class CLogDialog : public QDialog {
  Q_OBJECT

public:
  // `lines` (may be null) must outlive the dialog's construction only.
  explicit CLogDialog(const QStringList *lines, QWidget *parent = nullptr);

  CColorListBox *List() const { return m_list; }
  QPushButton *CloseButton() const { return m_close; }

  // The colour of a line from its severity digit.
  static QColor SeverityColor(const QString &line);

protected:
  void showEvent(QShowEvent *event) override;

private:
  CColorListBox *m_list;
  QPushButton *m_close;
};
