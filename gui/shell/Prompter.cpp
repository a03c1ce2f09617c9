#include "shell/Prompter.h"

#include "shell/CPathDialog.h"
#include "strings/ResString.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>

namespace torvio {
namespace {

class DialogPrompter final : public Prompter {
public:
  Answer Message(QWidget *parent, const QString &text, Icon icon, Buttons buttons) override {
    QMessageBox box(parent);
    box.setWindowTitle(ResString(IDS_APP_TITLE));
    box.setText(text);
    switch (icon) {
    case Icon::Information:
      box.setIcon(QMessageBox::Information);
      break;
    case Icon::Exclamation:
      box.setIcon(QMessageBox::Warning);
      break;
    case Icon::Error:
      box.setIcon(QMessageBox::Critical);
      break;
    case Icon::Question:
      box.setIcon(QMessageBox::Question);
      break;
    }
    // Enter gives the first answer, which every question of the program
    // words as the safe one (save, create); Escape the one that does least.
    switch (buttons) {
    case Buttons::Ok:
      box.setStandardButtons(QMessageBox::Ok);
      box.setDefaultButton(QMessageBox::Ok);
      box.setEscapeButton(QMessageBox::Ok);
      break;
    case Buttons::YesNo:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
      box.setDefaultButton(QMessageBox::Yes);
      box.setEscapeButton(QMessageBox::No);
      break;
    case Buttons::YesNoCancel:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
      box.setDefaultButton(QMessageBox::Yes);
      box.setEscapeButton(QMessageBox::Cancel);
      break;
    }
    switch (box.exec()) {
    case QMessageBox::Yes:
      return Answer::Yes;
    case QMessageBox::No:
      return Answer::No;
    case QMessageBox::Ok:
      return Answer::Ok;
    default:
      return Answer::Cancel;
    }
  }

  int Choose(QWidget *parent, const QString &text, const QStringList &choices,
             int defaultChoice) override {
    QMessageBox box(parent);
    box.setWindowTitle(ResString(IDS_APP_TITLE));
    box.setIcon(QMessageBox::Question);
    box.setText(text);
    QList<QAbstractButton *> buttons;
    for (const QString &choice : choices)
      buttons.append(box.addButton(choice, QMessageBox::ActionRole));
    if (!buttons.isEmpty()) {
      box.setDefaultButton(qobject_cast<QPushButton *>(buttons.value(defaultChoice)));
      box.setEscapeButton(buttons.constLast());
    }
    box.exec();
    const qsizetype chosen = buttons.indexOf(box.clickedButton());
    return static_cast<int>(chosen < 0 ? choices.size() - 1 : chosen);
  }

  std::optional<QString> OpenFileName(QWidget *parent, const QString &title,
                                      const QString &filter) override {
    const QString name = QFileDialog::getOpenFileName(parent, title, QString(), filter);
    return name.isEmpty() ? std::nullopt : std::optional<QString>(name);
  }

  std::optional<QString> SaveFileName(QWidget *parent, const QString &title,
                                      const QString &suggested, const QString &filter) override {
    QFileDialog dialog(parent, title, suggested, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // "TORVIO Files (*.tvd)" adds ".tvd" to a name typed without one.
    static const QRegularExpression pattern(QStringLiteral(R"(\*\.(\w+))"));
    dialog.setDefaultSuffix(pattern.match(filter).captured(1));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
      return std::nullopt;
    }
    return dialog.selectedFiles().constFirst();
  }

  std::optional<QString> BrowseFolder(QWidget *parent, const QString &caption, const QString &title,
                                      const QString &initial) override {
    CPathDialog dialog(caption, title, initial, parent);
    if (dialog.DoModal() != QDialog::Accepted) {
      return std::nullopt;
    }
    return dialog.GetPathName();
  }
};

DialogPrompter interactive;
Prompter *current = &interactive;

} // namespace

Prompter &Prompts() {
  return *current;
}

void SetPrompter(Prompter *prompter) {
  current = prompter ? prompter : &interactive;
}

} // namespace torvio
