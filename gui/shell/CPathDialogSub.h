// The folder browser's window: a title, the edit box directly above the
// folder tree, OK and Cancel. OK validates (and may create) the typed folder
// and is confirmed only when it exists.
#pragma once

#include <QWidget>

class QFileSystemModel;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeView;

class CPathDialogSub : public QWidget {
  Q_OBJECT

public:
  // The result holds at most this many characters (the historical 260-byte
  // buffer); the edit box takes no more, so nothing is cut silently.
  static constexpr int kMaxPath = 259;

  CPathDialogSub(const QString &title, QWidget *parent = nullptr);

  // Selects `folder` in the tree, or the current working folder when empty.
  void SelectFolder(const QString &folder);

  QLineEdit *Edit() const { return m_edit; }
  QTreeView *Tree() const { return m_tree; }
  QPushButton *OkButton() const { return m_ok; }
  QPushButton *CancelButton() const { return m_cancel; }
  QString Result() const { return m_result; }

signals:
  // The typed folder exists (it was there or was created).
  void confirmed();
  void cancelled();

private:
  void OnSelectionChanged();
  void OnEditChanged(const QString &text);
  void OnOK();

  QFileSystemModel *m_model;
  QLabel *m_status;
  QLineEdit *m_edit;
  QTreeView *m_tree;
  QPushButton *m_ok;
  QPushButton *m_cancel;
  QString m_result;
};
