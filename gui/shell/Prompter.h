// Every message box and every file or folder question of the shell goes
// through one small interface, so tests can see and answer them.
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class QWidget;

namespace torvio {

class Prompter {
public:
  enum class Icon { Information, Exclamation, Error, Question };
  enum class Buttons { Ok, YesNo, YesNoCancel };
  enum class Answer { Ok, Yes, No, Cancel };

  virtual ~Prompter() = default;

  virtual Answer Message(QWidget *parent, const QString &text, Icon icon, Buttons buttons) = 0;
  // A question with buttons of its own, in order; returns the index of the
  // one chosen. Enter gives `defaultChoice`, which must never be the
  // destructive one; the last choice is the one Escape and the close button
  // give.
  virtual int Choose(QWidget *parent, const QString &text, const QStringList &choices,
                     int defaultChoice) = 0;
  // A file to open, in a dialog titled for what the file is for ("Open",
  // "Import", "Compare With"); nothing when the user cancels.
  virtual std::optional<QString> OpenFileName(QWidget *parent, const QString &title,
                                              const QString &filter) = 0;
  // A file to save to, starting from `suggested`; nothing on cancel.
  virtual std::optional<QString> SaveFileName(QWidget *parent, const QString &title,
                                              const QString &suggested, const QString &filter) = 0;
  // A folder chosen in the folder browser; nothing on cancel.
  virtual std::optional<QString> BrowseFolder(QWidget *parent, const QString &caption,
                                              const QString &title, const QString &initial) = 0;
};

// The prompter in use: the interactive one unless a test installed its own.
Prompter &Prompts();
// Installs `prompter` (not owned) until called again; null restores the
// interactive one.
void SetPrompter(Prompter *prompter);

} // namespace torvio
