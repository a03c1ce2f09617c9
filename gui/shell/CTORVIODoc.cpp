#include "shell/CTORVIODoc.h"

#include "shell/COptionsDlg.h"
#include "shell/ProjectBytes.h"
#include "shell/ProjectFile.h"
#include "shell/Prompter.h"
#include "shell/ResString.h"
#include "shell/Settings.h"

#include <QDialog>
#include <QFileInfo>
#include <QSaveFile>

#include <string>

using torvio::LoadResString;
using torvio::Prompter;
using torvio::Prompts;

namespace {

QString Res(unsigned id) {
  return QString::fromLatin1(LoadResString(id));
}

// The file dialogs' filter, the fourth item of the document strings.
QString FileFilter() {
  return Res(torvio::IDR_MAINFRAME).split(u'\n').value(3);
}

void ShowError(QWidget *parent, const QString &text) {
  Prompts().Message(parent, text, Prompter::Icon::Error, Prompter::Buttons::Ok);
}

} // namespace

CTORVIODoc::CTORVIODoc(QObject *parent) : QObject(parent) {
  PARVEX_SetDefault(&m_data);
}

bool CTORVIODoc::OnNewDocument() {
  SetPathName(QString());
  PARVEX_SetDefault(&m_data);
  SetModifiedFlag(true);
  torvio::WriteOutputDir(QString());
  UpdateAllViews();
  return true;
}

bool CTORVIODoc::OnOpenDocument(const QString &path) {
  QByteArray bytes;
  QString reason;
  if (!torvio::ReadProjectBytes(path, bytes, reason)) {
    ShowError(nullptr, Res(torvio::IDS_OPEN_FAILED).arg(reason));
    return false;
  }
  torvio::ProjectContents contents;
  const auto status = torvio::DecodeProject(reinterpret_cast<const std::uint8_t *>(bytes.data()),
                                            static_cast<std::size_t>(bytes.size()), contents);
  if (status == torvio::ProjectReadStatus::UnknownFormat) {
    ShowError(nullptr, Res(torvio::IDS_UNKNOWN_FORMAT));
    return false;
  }
  if (status != torvio::ProjectReadStatus::Ok) {
    ShowError(
        nullptr,
        Res(torvio::IDS_OPEN_FAILED).arg(QString::fromUtf8(torvio::ProjectReadStatusText(status))));
    return false;
  }
  m_data = contents.data;
  torvio::WriteOutputDir(QString::fromStdString(contents.outputDir));
  SetPathName(path);
  SetModifiedFlag(false);
  UpdateAllViews();
  return true;
}

bool CTORVIODoc::OnSaveDocument(const QString &path) {
  const std::string outputDir = torvio::ReadFolders().outputDir.toStdString();
  const std::vector<std::uint8_t> bytes = torvio::EncodeProject(m_data, outputDir);
  QSaveFile file(path);
  const auto size = static_cast<qint64>(bytes.size());
  // commit() replaces the old file even when buffered bytes failed to reach
  // the new one (a full disk): flush first and give up on a short write, so
  // the previous project file stays as it was.
  bool written = file.open(QIODevice::WriteOnly) &&
                 file.write(reinterpret_cast<const char *>(bytes.data()), size) == size &&
                 file.flush();
  QString reason = file.errorString();
  if (written) {
    written = file.commit();
    reason = file.errorString();
  } else {
    file.cancelWriting();
  }
  if (!written) {
    // A write cut short by the system may carry no error text of its own.
    if (reason.isEmpty() || reason == QStringLiteral("Unknown error"))
      reason = Res(torvio::IDS_SAVE_INCOMPLETE);
    ShowError(nullptr, Res(torvio::IDS_SAVE_FAILED).arg(reason));
    return false;
  }
  SetPathName(path);
  SetModifiedFlag(false);
  return true;
}

void CTORVIODoc::SetModifiedFlag(bool modified) {
  if (m_modified != modified) {
    m_modified = modified;
    emit modifiedChanged(modified);
  }
}

QString CTORVIODoc::GetTitle() const {
  return m_path.isEmpty() ? Res(torvio::IDS_UNTITLED) : QFileInfo(m_path).fileName();
}

void CTORVIODoc::SetPathName(const QString &path) {
  m_path = path;
  emit titleChanged(GetTitle());
}

bool CTORVIODoc::SaveModified(QWidget *parent) {
  if (!m_modified) {
    return true;
  }
  switch (Prompts().Message(parent, Res(torvio::IDS_SAVE_CHANGES).arg(GetTitle()),
                            Prompter::Icon::Exclamation, Prompter::Buttons::YesNoCancel)) {
  case Prompter::Answer::Yes:
    return OnFileSave(parent);
  case Prompter::Answer::No:
    return true;
  default:
    return false;
  }
}

bool CTORVIODoc::OnFileNew(QWidget *parent) {
  return SaveModified(parent) && OnNewDocument();
}

bool CTORVIODoc::OnFileOpen(QWidget *parent) {
  if (!SaveModified(parent)) {
    return false;
  }
  const auto path = Prompts().OpenFileName(parent, FileFilter());
  return path && OnOpenDocument(*path);
}

bool CTORVIODoc::OnFileSave(QWidget *parent) {
  if (m_path.isEmpty()) {
    return OnFileSaveAs(parent);
  }
  return OnSaveDocument(m_path);
}

bool CTORVIODoc::OnFileSaveAs(QWidget *parent) {
  const QString suggested = m_path.isEmpty() ? Res(torvio::IDR_MAINFRAME).split(u'\n').value(2) +
                                                   Res(torvio::IDR_MAINFRAME).split(u'\n').value(4)
                                             : m_path;
  const auto path = Prompts().SaveFileName(parent, suggested, FileFilter());
  return path && OnSaveDocument(*path);
}

void CTORVIODoc::OnToolsOptions(QWidget *parent) {
  COptionsDlg dialog(parent);
  if (dialog.exec() == QDialog::Accepted) {
    SetModifiedFlag(true);
    emit optionsChanged();
  }
}

void CTORVIODoc::UpdateAllViews() {
  emit updated();
}
