#include "shell/FileCommands.h"

#include "shell/CTORVIODoc.h"
#include "shell/Prompter.h"
#include "strings/ResString.h"

using torvio::Prompter;
using torvio::Prompts;

namespace {

// The file dialogs' filter, the fourth item of the document strings.
QString FileFilter() {
  return torvio::ResString(torvio::IDR_MAINFRAME).split(u'\n').value(3);
}

} // namespace

bool SaveModifiedCommand(CTORVIODoc &doc, QWidget *parent) {
  if (!doc.IsModified()) {
    return true;
  }
  switch (Prompts().Message(parent, torvio::ResString(torvio::IDS_SAVE_CHANGES).arg(doc.GetTitle()),
                            Prompter::Icon::Exclamation, Prompter::Buttons::YesNoCancel)) {
  case Prompter::Answer::Yes:
    return FileSaveCommand(doc, parent);
  case Prompter::Answer::No:
    return true;
  default:
    return false;
  }
}

bool FileNewCommand(CTORVIODoc &doc, QWidget *parent) {
  return SaveModifiedCommand(doc, parent) && doc.OnNewDocument();
}

bool FileOpenCommand(CTORVIODoc &doc, QWidget *parent) {
  if (!SaveModifiedCommand(doc, parent)) {
    return false;
  }
  const auto path =
      Prompts().OpenFileName(parent, torvio::ResString(torvio::IDS_OPEN_CAPTION), FileFilter());
  return path && doc.OnOpenDocument(*path);
}

bool FileSaveCommand(CTORVIODoc &doc, QWidget *parent) {
  if (doc.GetPathName().isEmpty()) {
    return FileSaveAsCommand(doc, parent);
  }
  return doc.OnSaveDocument(doc.GetPathName());
}

bool FileSaveAsCommand(CTORVIODoc &doc, QWidget *parent) {
  const QString suggested = doc.GetPathName().isEmpty()
                                ? torvio::ResString(torvio::IDR_MAINFRAME).split(u'\n').value(2) +
                                      torvio::ResString(torvio::IDR_MAINFRAME).split(u'\n').value(4)
                                : doc.GetPathName();
  const auto path = Prompts().SaveFileName(parent, torvio::ResString(torvio::IDS_SAVE_AS_CAPTION),
                                           suggested, FileFilter());
  return path && doc.OnSaveDocument(*path);
}
