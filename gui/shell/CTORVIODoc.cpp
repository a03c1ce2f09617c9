#include "shell/CTORVIODoc.h"

#include "ProjectStore.h"
#include "parvex/Plausibility.h"
#include "shell/COptionsDlg.h"
#include "shell/MessageLines.h"
#include "shell/PathBytes.h"
#include "shell/Prompter.h"
#include "shell/Settings.h"
#include "strings/ResString.h"

#include <QDialog>
#include <QFile>
#include <QFileInfo>

#include <string>

using torvio::Prompter;
using torvio::Prompts;

namespace {

// The file dialogs' filter, the fourth item of the document strings.
QString FileFilter() {
  return torvio::ResString(torvio::IDR_MAINFRAME).split(u'\n').value(3);
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
  m_mechanics.reset();
  SetModifiedFlag(true);
  torvio::WriteOutputDir(QString());
  UpdateAllViews();
  emit mechanicsChanged();
  return true;
}

bool CTORVIODoc::OnOpenDocument(const QString &path) {
  const torvio::LoadedProject loaded = torvio::LoadProject(torvio::PathBytes(path));
  if (loaded.status == torvio::ProjectReadStatus::UnknownFormat) {
    ShowError(nullptr, torvio::ResString(torvio::IDS_UNKNOWN_FORMAT));
    return false;
  }
  if (!loaded.project) {
    ShowError(nullptr, torvio::ResString(torvio::IDS_OPEN_FAILED)
                           .arg(torvio::ShownPath(path), QString::fromLocal8Bit(loaded.error)));
    return false;
  }
  m_data = loaded.project->data;
  m_mechanics = loaded.project->mechanics;
  torvio::WriteOutputDir(torvio::PathFromBytes(loaded.project->outputDir));
  SetPathName(path);
  SetModifiedFlag(false);
  UpdateAllViews();
  emit mechanicsChanged();
  WarnOfImplausibleSettings();
  if (!loaded.mechanicsWarning.empty())
    Prompts().Message(nullptr,
                      torvio::ResString(torvio::IDS_MECHANICS_UNREADABLE)
                          .arg(QString::fromLocal8Bit(loaded.mechanicsWarning)),
                      Prompter::Icon::Exclamation, Prompter::Buttons::Ok);
  return true;
}

bool CTORVIODoc::OnSaveDocument(const QString &path) {
  const std::string outputDir = torvio::PathBytes(torvio::ReadFolders().outputDir);
  const torvio::Status saved =
      torvio::SaveProject(torvio::PathBytes(path), m_data, outputDir, m_mechanics);
  if (!saved.ok()) {
    ShowError(nullptr, torvio::ResString(torvio::IDS_SAVE_FAILED)
                           .arg(torvio::ShownPath(path), QString::fromLocal8Bit(saved.error())));
    return false;
  }
  SetPathName(path);
  SetModifiedFlag(false);
  return true;
}

void CTORVIODoc::WarnOfImplausibleSettings() {
  std::vector<std::string> lines;
  for (const auto &setting : parvex::FindImplausibleSettings(m_data))
    lines.push_back(setting.text);
  if (lines.empty())
    return;
  Prompts().Message(
      nullptr, torvio::ResString(torvio::IDS_IMPLAUSIBLE_SETTINGS).arg(torvio::MessageLines(lines)),
      Prompter::Icon::Exclamation, Prompter::Buttons::Ok);
}

void CTORVIODoc::SetMechanics(const std::optional<parvex::Mechanics> &mechanics) {
  const auto same = [](const std::optional<parvex::Mechanics> &a,
                       const std::optional<parvex::Mechanics> &b) {
    return a.has_value() == b.has_value() &&
           (!a || (a->inertia == b->inertia && a->friction == b->friction &&
                   a->loadTorque == b->loadTorque));
  };
  if (same(m_mechanics, mechanics))
    return;
  m_mechanics = mechanics;
  SetModifiedFlag(true);
  emit mechanicsChanged();
}

void CTORVIODoc::SetModifiedFlag(bool modified) {
  if (m_modified != modified) {
    m_modified = modified;
    emit modifiedChanged(modified);
  }
}

QString CTORVIODoc::GetTitle() const {
  return m_path.isEmpty() ? torvio::ResString(torvio::IDS_UNTITLED) : QFileInfo(m_path).fileName();
}

void CTORVIODoc::SetPathName(const QString &path) {
  m_path = path;
  emit titleChanged(GetTitle());
}

bool CTORVIODoc::SaveModified(QWidget *parent) {
  if (!m_modified) {
    return true;
  }
  switch (Prompts().Message(parent, torvio::ResString(torvio::IDS_SAVE_CHANGES).arg(GetTitle()),
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
  const auto path =
      Prompts().OpenFileName(parent, torvio::ResString(torvio::IDS_OPEN_CAPTION), FileFilter());
  return path && OnOpenDocument(*path);
}

bool CTORVIODoc::OnFileSave(QWidget *parent) {
  if (m_path.isEmpty()) {
    return OnFileSaveAs(parent);
  }
  return OnSaveDocument(m_path);
}

bool CTORVIODoc::OnFileSaveAs(QWidget *parent) {
  const QString suggested = m_path.isEmpty()
                                ? torvio::ResString(torvio::IDR_MAINFRAME).split(u'\n').value(2) +
                                      torvio::ResString(torvio::IDR_MAINFRAME).split(u'\n').value(4)
                                : m_path;
  const auto path = Prompts().SaveFileName(parent, torvio::ResString(torvio::IDS_SAVE_AS_CAPTION),
                                           suggested, FileFilter());
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
  emit recordChanged();
}

void CTORVIODoc::RecordCommitted(const UserData &before, const QString &label) {
  emit committed(before, label);
  emit recordChanged();
}

void CTORVIODoc::ApplyRecord(const UserData &state) {
  m_data = state;
  emit recordApplied();
  emit recordChanged();
}

void CTORVIODoc::EditRecord(const UserData &state, const QString &label) {
  const UserData before = m_data;
  m_data = state;
  emit recordApplied();
  SetModifiedFlag(true);
  emit committed(before, label);
  emit recordChanged();
}
