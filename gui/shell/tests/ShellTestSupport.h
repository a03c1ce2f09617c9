// What the shell's tests share: a settings store in a temporary folder, a
// prompter that records every message and answers from a script, and pages
// that remember which kind they stand for.
#pragma once

#include "pages/CTORVIOPropertyPage.h"
#include "pages/NumericField.h"
#include "parvex/Generation.h"
#include "shell/CMainFrame.h"
#include "shell/CMainSheet.h"
#include "shell/CTORVIODoc.h"
#include "shell/CTORVIOView.h"
#include "shell/Prompter.h"
#include "shell/SheetPages.h"

#include <QSettings>
#include <QStringList>
#include <QTemporaryDir>

#include <deque>
#include <functional>
#include <memory>

namespace torvio::test {

// Points the per-user settings store at a fresh temporary folder. Call in
// initTestCase before anything makes a QSettings.
class TemporarySettings {
public:
  TemporarySettings();
  QString Path() const { return dir_.path(); }
  // Removes every entry, so each test starts from an empty store.
  void Clear();

private:
  QTemporaryDir dir_;
};

struct RecordedMessage {
  QString text;
  Prompter::Icon icon;
  Prompter::Buttons buttons;
};

class ScriptedPrompter final : public Prompter {
public:
  ScriptedPrompter() { SetPrompter(this); }
  ~ScriptedPrompter() override { SetPrompter(nullptr); }

  Answer Message(QWidget *parent, const QString &text, Icon icon, Buttons buttons) override;
  int Choose(QWidget *parent, const QString &text, const QStringList &choices,
             int defaultChoice) override;
  std::optional<QString> OpenFileName(QWidget *parent, const QString &title,
                                      const QString &filter) override;
  std::optional<QString> SaveFileName(QWidget *parent, const QString &title,
                                      const QString &suggested, const QString &filter) override;
  std::optional<QString> BrowseFolder(QWidget *parent, const QString &caption, const QString &title,
                                      const QString &initial) override;

  // Answers of the next message boxes; an unscripted box answers Cancel.
  std::deque<Answer> answers;
  // Results of the next file or folder questions; a null string or none
  // left means cancel.
  std::deque<QString> fileNames;
  std::deque<QString> folders;

  std::vector<RecordedMessage> messages;
  // Indexes of the next choices; an unscripted question gets its last one.
  std::deque<int> choices;
  struct Question {
    QString text;
    QStringList choices;
    int defaultChoice;
  };
  std::vector<Question> questions;
  // Runs when a question is asked, before it is answered.
  std::function<void()> onQuestion;
  // The filter of every file question, and the name a save question
  // suggested.
  QStringList fileFilters;
  QStringList fileTitles;
  QStringList suggestedNames;
  QStringList folderTitles;
  QStringList folderInitials;
};

class KindPage final : public CTORVIOPropertyPage {
public:
  KindPage(PageKind kind, PageHost *host, const QString &caption)
      : CTORVIOPropertyPage(host, caption), kind(kind) {}
  bool OnSetActive() override {
    ++activations;
    return CTORVIOPropertyPage::OnSetActive();
  }
  void RefreshDependentFields() override {}
  void UpdateToolTips() override {}
  const PageKind kind;
  int activations = 0;
};

// A factory of KindPage objects carrying each kind's tab caption.
PageFactory KindPageFactory();

// Report lines as "<severity digit><text>", so that tests compare them at a
// glance.
QStringList Digits(const std::vector<parvex::ReportLine> &lines);

// Runs `answer` on the next modal dialog as soon as it is shown.
void OnNextModal(std::function<void(QWidget *)> answer);

// Clicks into `field` and types `text` over what it holds, as a user does;
// nothing commits it yet.
void TypeOver(QWidget *field, const QString &text);

// The main window over a new document, as the program builds it.
struct MainWindow {
  CTORVIODoc doc;
  CMainFrame frame{&doc};
  CMainSheet *sheet = frame.View()->Sheet();

  // Shows the window and waits until it is active; false when it never was.
  bool Show();
  // The widget of that accessible name on the page of `slot`, which becomes
  // the current page; null when there is none.
  template <class W>
  W *Find(CMainSheet::Slot slot, const QString &name) {
    sheet->setCurrentWidget(sheet->Page(slot));
    for (W *w : sheet->Page(slot)->findChildren<W *>())
      if (w->accessibleName() == name)
        return w;
    return nullptr;
  }
  // Types over the named field (TypeOver), committing nothing; null when
  // there is no such field.
  NumericField *Type(CMainSheet::Slot slot, const QString &name, const QString &text);
};

// A file's bytes; empty when it cannot be read.
QByteArray ReadAll(const QString &path);
// Writes `bytes` as the whole file; false when that failed.
[[nodiscard]] bool WriteAll(const QString &path, const QByteArray &bytes);

} // namespace torvio::test
