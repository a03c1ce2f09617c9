#include "shell/CTORVIODoc.h"

#include "ProjectStore.h"
#include "history/ProjectHistory.h"
#include "parvex/Plausibility.h"
#include "shell/EnterSetting.h"
#include "shell/MessageLines.h"
#include "shell/PathBytes.h"
#include "shell/Prompter.h"
#include "shell/Settings.h"
#include "strings/ResString.h"

#include <QFile>
#include <QFileInfo>
#include <QUndoStack>

#include <cstring>
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

CTORVIODoc::CTORVIODoc(QObject *parent)
    : QObject(parent), m_history(new ProjectHistory(
                           [this](const UserData &state) { Replace(state, false); }, this)) {
  PARVEX_SetDefault(&m_data);
  // Undoing back to the saved state clears the modified flag, redoing away
  // from it sets it again.
  connect(m_history->Stack(), &QUndoStack::cleanChanged, this, [this](bool clean) {
    if (!m_history->Restarting())
      SetModifiedFlag(!clean);
  });
  m_history->Restart(m_modified);
}

bool CTORVIODoc::OnNewDocument() {
  SetPathName(QString());
  UserData defaults{};
  PARVEX_SetDefault(&defaults);
  m_mechanics.reset();
  SetModifiedFlag(true);
  torvio::WriteOutputDir(QString());
  UpdateAllViews(defaults);
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
  m_mechanics = loaded.project->mechanics;
  torvio::WriteOutputDir(torvio::PathFromBytes(loaded.project->outputDir));
  SetPathName(path);
  SetModifiedFlag(false);
  UpdateAllViews(loaded.project->data);
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
  const torvio::SavedProject saved =
      torvio::SaveProject(torvio::PathBytes(path), m_data, outputDir, m_mechanics);
  if (!saved.ok) {
    ShowError(nullptr, torvio::ResString(torvio::IDS_SAVE_FAILED)
                           .arg(torvio::ShownPath(path), QString::fromLocal8Bit(saved.error)));
    return false;
  }
  SetPathName(path);
  SetModifiedFlag(false);
  m_history->MarkSaved();
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

void CTORVIODoc::OutputFolderChanged() {
  SetModifiedFlag(true);
  m_history->ForgetSaved();
  emit optionsChanged();
}

void CTORVIODoc::UpdateAllViews(const UserData &state) {
  Replace(state, true);
  m_history->Restart(m_modified);
}

void CTORVIODoc::Replace(const UserData &state, bool replaced) {
  const ChangedSettings changed = ChangesBetween(m_data, state);
  m_data = state;
  emit recordChanged(changed, replaced);
}

bool CTORVIODoc::Set(const parvex::Parameter &parameter, double value, const QString &label) {
  UserData edited = m_data;
  if (!EnterSetting(edited, parameter, value))
    return false;
  SetRecord(edited, label);
  return true;
}

void CTORVIODoc::SetRecord(const UserData &state, const QString &label) {
  const UserData before = m_data;
  Replace(state, false);
  // An edit that changed nothing (a selected option chosen again) is no
  // step, but it still counts as an edit of the project.
  if (std::memcmp(&before, &m_data, sizeof m_data) != 0)
    m_history->Push(before, m_data, label);
  SetModifiedFlag(true);
}
