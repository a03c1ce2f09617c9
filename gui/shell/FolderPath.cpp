#include "shell/FolderPath.h"

#include "shell/Prompter.h"
#include "strings/ResString.h"

#include <QDir>
#include <QFileInfo>

namespace torvio {
namespace {

bool IsBlankOrDot(QChar c) {
  return c == u'\t' || c == u' ' || c == u'.';
}

bool Exists(const QString &path) {
  return QFileInfo::exists(path);
}

} // namespace

bool IsValidFolderName(const QString &name) {
  if (name.isEmpty() || IsBlankOrDot(name.front()) || IsBlankOrDot(name.back())) {
    return false;
  }
  static const QString forbidden = QStringLiteral("\"*/:<>?\\|");
  for (const QChar c : name) {
    if (forbidden.contains(c)) {
      return false;
    }
  }
  return true;
}

int CheckFolderPath(const QString &path, bool checkOnly) {
  if (path.isEmpty() || path.front() != u'/') {
    return FolderInvalid;
  }
  if (path.size() == 1) {
    return checkOnly || Exists(path) ? FolderOk : FolderNotCreated;
  }
  qsizetype start = 1;
  while (true) {
    const qsizetype slash = path.indexOf(u'/', start);
    const qsizetype end = slash < 0 ? path.size() : slash;
    if (!IsValidFolderName(path.mid(start, end - start))) {
      return FolderInvalid;
    }
    if (!checkOnly) {
      const QString level = path.left(end);
      QDir().mkdir(level); // a failure shows in the existence test
      if (!Exists(level)) {
        return FolderNotCreated;
      }
    }
    if (slash < 0) {
      return FolderOk;
    }
    if (slash == path.size() - 1) {
      return FolderInvalid; // a trailing separator
    }
    start = slash + 1;
  }
}

int ValidateFolder(const QString &path, QWidget *parent) {
  const auto report = [&](int result) {
    const unsigned id = result == FolderInvalid ? IDS_FOLDER_INVALID : IDS_FOLDER_CANNOT_CREATE;
    Prompts().Message(parent, ResString(id).arg(path), Prompter::Icon::Exclamation,
                      Prompter::Buttons::Ok);
    return result;
  };
  if (const int result = CheckFolderPath(path, true); result != FolderOk) {
    return report(result);
  }
  if (!Exists(path)) {
    const QString question = ResString(IDS_FOLDER_CREATE_QUESTION).arg(path);
    if (Prompts().Message(parent, question, Prompter::Icon::Question, Prompter::Buttons::YesNo) !=
        Prompter::Answer::Yes) {
      return -1;
    }
    if (const int result = CheckFolderPath(path, false); result != FolderOk) {
      return report(result);
    }
  }
  return FolderOk;
}

} // namespace torvio
