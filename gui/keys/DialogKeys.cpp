#include "keys/DialogKeys.h"

#include <QAction>
#include <QDialog>
#include <QKeySequence>
#include <QPushButton>

namespace torvio {

void MakeDefault(QPushButton *button) {
  Q_ASSERT_X(qobject_cast<QDialog *>(button->window()), "MakeDefault",
             "the button must belong to its dialog");
  // setDefault does nothing when the flag is set already, also when it was
  // set before the dialog knew the button.
  button->setDefault(false);
  button->setDefault(true);
}

void CloseOnEscape(QWidget *window) {
  auto *close = new QAction(window);
  QList<QKeySequence> keys = {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)};
  for (const QKeySequence &key : QKeySequence::keyBindings(QKeySequence::Close))
    if (!keys.contains(key))
      keys.append(key);
  close->setShortcuts(keys);
  close->setShortcutContext(Qt::WindowShortcut);
  QObject::connect(close, &QAction::triggered, window, &QWidget::close);
  window->addAction(close);
}

} // namespace torvio
