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

void ShowError(QWidget *parent, const QString &text) {
  Prompts().Message(parent, text, Prompter::Icon::Error, Prompter::Buttons::Ok);
}

} // namespace

CTORVIODoc::CTORVIODoc(QObject *parent)
    : QObject(parent),
      history_(new ProjectHistory([this](const UserData &state) { Replace(state, false); }, this)) {
  PARVEX_SetDefault(&data_);
  // Undoing back to the saved state clears the modified flag, redoing away
  // from it sets it again.
  connect(history_->Stack(), &QUndoStack::cleanChanged, this, [this](bool clean) {
    if (!history_->Restarting())
      SetModifiedFlag(!clean);
  });
  history_->Restart(modified_);
}

bool CTORVIODoc::OnNewDocument() {
  SetPathName(QString());
  UserData defaults{};
  PARVEX_SetDefault(&defaults);
  mechanics_.reset();
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
  mechanics_ = loaded.project->mechanics;
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
  const torvio::Status saved =
      torvio::SaveProject(torvio::PathBytes(path), data_, outputDir, mechanics_);
  if (!saved.ok()) {
    ShowError(nullptr, torvio::ResString(torvio::IDS_SAVE_FAILED)
                           .arg(torvio::ShownPath(path), QString::fromLocal8Bit(saved.error())));
    return false;
  }
  SetPathName(path);
  SetModifiedFlag(false);
  history_->MarkSaved();
  return true;
}

void CTORVIODoc::WarnOfImplausibleSettings() {
  std::vector<std::string> lines;
  for (const auto &setting : parvex::FindImplausibleSettings(data_))
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
  if (same(mechanics_, mechanics))
    return;
  mechanics_ = mechanics;
  SetModifiedFlag(true);
  emit mechanicsChanged();
}

void CTORVIODoc::SetModifiedFlag(bool modified) {
  if (modified_ != modified) {
    modified_ = modified;
    emit modifiedChanged(modified);
  }
}

QString CTORVIODoc::GetTitle() const {
  return path_.isEmpty() ? torvio::ResString(torvio::IDS_UNTITLED) : QFileInfo(path_).fileName();
}

void CTORVIODoc::SetPathName(const QString &path) {
  path_ = path;
  emit titleChanged(GetTitle());
}

void CTORVIODoc::OutputFolderChanged() {
  SetModifiedFlag(true);
  history_->ForgetSaved();
  emit optionsChanged();
}

void CTORVIODoc::UpdateAllViews(const UserData &state) {
  Replace(state, true);
  history_->Restart(modified_);
}

void CTORVIODoc::Replace(const UserData &state, bool replaced) {
  const ChangedSettings changed = ChangesBetween(data_, state);
  data_ = state;
  emit recordChanged(changed, replaced);
}

bool CTORVIODoc::Set(const parvex::Parameter &parameter, double value, const QString &label) {
  UserData edited = data_;
  if (!EnterSetting(edited, parameter, value))
    return false;
  SetRecord(edited, label);
  return true;
}

void CTORVIODoc::SetRecord(const UserData &state, const QString &label) {
  const UserData before = data_;
  Replace(state, false);
  // An edit that changed nothing (a selected option chosen again) is no
  // step, but it still counts as an edit of the project.
  if (std::memcmp(&before, &data_, sizeof data_) != 0)
    history_->Push(before, data_, label);
  SetModifiedFlag(true);
}
