#include "ShellTestSupport.h"

#include <QFile>

#include "shell/Settings.h"

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <QWidget>

namespace torvio::test {

TemporarySettings::TemporarySettings() {
  QCoreApplication::setOrganizationName(QStringLiteral("TORVIO"));
  QCoreApplication::setApplicationName(QStringLiteral("TORVIO"));
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir_.path());
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir_.path());
  SetSettingsFolder(dir_.path());
}

void TemporarySettings::Clear() {
  QSettings().clear();
}

Prompter::Answer ScriptedPrompter::Message(QWidget *, const QString &text, Icon icon,
                                           Buttons buttons) {
  messages.push_back({text, icon, buttons});
  if (answers.empty()) {
    return buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel;
  }
  const Answer answer = answers.front();
  answers.pop_front();
  return answer;
}

int ScriptedPrompter::Choose(QWidget *, const QString &text, const QStringList &offered,
                             int defaultChoice) {
  questions.push_back({text, offered, defaultChoice});
  if (onQuestion)
    onQuestion();
  if (choices.empty())
    return static_cast<int>(offered.size()) - 1;
  const int choice = choices.front();
  choices.pop_front();
  return choice;
}

std::optional<QString> ScriptedPrompter::OpenFileName(QWidget *, const QString &title,
                                                      const QString &filter) {
  fileTitles.append(title);
  fileFilters.append(filter);
  const QString name = fileNames.empty() ? QString() : fileNames.front();
  if (!fileNames.empty()) {
    fileNames.pop_front();
  }
  if (name.isNull()) {
    return std::nullopt;
  }
  return name;
}

std::optional<QString> ScriptedPrompter::SaveFileName(QWidget *parent, const QString &title,
                                                      const QString &suggested,
                                                      const QString &filter) {
  suggestedNames.append(suggested);
  return OpenFileName(parent, title, filter);
}

std::optional<QString> ScriptedPrompter::BrowseFolder(QWidget *, const QString &,
                                                      const QString &title,
                                                      const QString &initial) {
  folderTitles.append(title);
  folderInitials.append(initial);
  const QString folder = folders.empty() ? QString() : folders.front();
  if (!folders.empty()) {
    folders.pop_front();
  }
  if (folder.isNull()) {
    return std::nullopt;
  }
  return folder;
}

QStringList Digits(const std::vector<parvex::ReportLine> &lines) {
  QStringList out;
  for (const parvex::ReportLine &l : lines)
    out << QString::number(static_cast<int>(l.severity)) + QString::fromUtf8(l.text);
  return out;
}

void OnNextModal(std::function<void(QWidget *)> answer) {
  QTimer::singleShot(10, [answer = std::move(answer)] {
    if (QWidget *modal = QApplication::activeModalWidget()) {
      answer(modal);
    } else {
      OnNextModal(answer);
    }
  });
}

PageFactory KindPageFactory() {
  return [](PageKind kind, PageHost *host) -> CTORVIOPropertyPage * {
    return new KindPage(kind, host, PageCaption(kind));
  };
}

void TypeOver(QWidget *field, const QString &text) {
  QTest::mouseClick(field, Qt::LeftButton);
  QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(field, text);
}

bool MainWindow::Show() {
  frame.show();
  frame.activateWindow();
  return QTest::qWaitForWindowActive(&frame);
}

NumericField *MainWindow::Type(CMainSheet::Slot slot, const QString &name, const QString &text) {
  NumericField *field = Find<NumericField>(slot, name);
  if (field)
    TypeOver(field, text);
  return field;
}

QByteArray ReadAll(const QString &path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool WriteAll(const QString &path, const QByteArray &bytes) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

} // namespace torvio::test
