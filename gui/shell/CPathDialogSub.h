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

  QLineEdit *Edit() const { return edit_; }
  QTreeView *Tree() const { return tree_; }
  QPushButton *OkButton() const { return ok_; }
  QPushButton *CancelButton() const { return cancel_; }
  QString Result() const { return result_; }

signals:
  // The typed folder exists (it was there or was created).
  void confirmed();
  void cancelled();

private:
  void OnSelectionChanged();
  void OnEditChanged(const QString &text);
  void OnOK();

  QFileSystemModel *model_;
  QLabel *status_;
  QLineEdit *edit_;
  QTreeView *tree_;
  QPushButton *ok_;
  QPushButton *cancel_;
  QString result_;
};
