#include "ProjectTools.h"

#include "chart/MmiChartWindow.h"
#include "compare/CompareDialog.h"
#include "history/ProjectHistory.h"
#include "shell/CMainFrame.h"
#include "shell/CTORVIODoc.h"
#include "shell/Prompter.h"
#include "strings/StringTable.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QStyle>
#include <QToolBar>
#include <QUndoStack>

namespace {

// The menu or tool bar of the frame that holds `action`.
template <class T>
T *HolderOf(QAction *action) {
  if (!action)
    return nullptr;
  for (QObject *o : action->associatedObjects())
    if (auto *holder = qobject_cast<T *>(o))
      return holder;
  return nullptr;
}

// The action right after `action` in `w` (a separator, typically), or null.
QAction *After(QWidget *w, QAction *action) {
  const auto actions = w->actions();
  const auto i = actions.indexOf(action);
  return i >= 0 && i + 1 < actions.size() ? actions[i + 1] : nullptr;
}

} // namespace

ProjectTools::ProjectTools(CMainFrame *frame, CTORVIODoc *doc, CMainSheet *sheet)
    : QObject(frame), frame_(frame), doc_(doc), history_(new ProjectHistory(doc, sheet, this)) {
  using namespace torvio;
  QStyle *style = frame->style();
  QUndoStack *stack = history_->Stack();
  undo_ = stack->createUndoAction(frame, tr("&Undo"));
  undo_->setShortcut(QKeySequence(tr("Ctrl+Z")));
  undo_->setIcon(style->standardIcon(QStyle::SP_ArrowBack));
  undo_->setStatusTip(tr("Undo the last edit"));
  redo_ = stack->createRedoAction(frame, tr("&Redo"));
  redo_->setShortcuts({QKeySequence(tr("Ctrl+Y")), QKeySequence(tr("Ctrl+Shift+Z"))});
  redo_->setIcon(style->standardIcon(QStyle::SP_ArrowForward));
  redo_->setStatusTip(tr("Redo the edit last undone"));
  compare_ = new QAction(tr("Compare &With..."), frame);
  compare_->setStatusTip(tr("List the settings in which a project file differs from this one"));
  chart_ = new QAction(tr("Modulation Index &Chart..."), frame);
  chart_->setStatusTip(
      tr("Chart the maximum available modulation index against the PWM frequency"));
  connect(compare_, &QAction::triggered, this, &ProjectTools::CompareWith);
  connect(chart_, &QAction::triggered, this, &ProjectTools::ShowChart);

  // Edit sits between File and Tools.
  QMenu *tools = HolderOf<QMenu>(frame->Action(ID_TOOLS_OPTIONS));
  edit_ = new QMenu(tr("&Edit"), frame);
  edit_->addAction(undo_);
  edit_->addAction(redo_);
  frame->menuBar()->insertMenu(tools ? tools->menuAction() : nullptr, edit_);

  // File: after Save As, before the separator above Exit.
  QAction *saveAs = frame->Action(ID_FILE_SAVE_AS);
  if (QMenu *file = HolderOf<QMenu>(saveAs))
    file->insertAction(After(file, saveAs), compare_);
  if (tools) {
    tools->addSeparator();
    tools->addAction(chart_);
  }
  // Tool bar: after Save.
  QAction *save = frame->Action(ID_FILE_SAVE);
  if (QToolBar *bar = HolderOf<QToolBar>(save)) {
    QAction *next = After(bar, save);
    bar->insertSeparator(next);
    bar->insertAction(next, undo_);
    bar->insertAction(next, redo_);
  }

  // The chart follows every commit, undo and redo, and New and Open.
  connect(history_, &ProjectHistory::recordChanged, this, [this] {
    if (chartWindow_)
      chartWindow_->Refresh();
  });
  connect(doc_, &CTORVIODoc::updated, this, [this] {
    if (chartWindow_)
      chartWindow_->Refresh();
  });
}

void ProjectTools::CompareWith() {
  const QString filter =
      QString::fromLatin1(torvio::LoadResString(torvio::IDR_MAINFRAME)).split(u'\n').value(3);
  const auto path = torvio::Prompts().OpenFileName(frame_, filter);
  if (!path || path->isEmpty())
    return;
  CompareDialog dialog(doc_->GetTitle(), *path, CompareWithFile(doc_->Record(), *path), frame_);
  dialog.exec();
}

MmiChartWindow *ProjectTools::ChartWindow() const {
  return chartWindow_;
}

void ProjectTools::ShowChart() {
  if (!chartWindow_) {
    chartWindow_ = new MmiChartWindow([doc = doc_] { return &doc->Record(); }, frame_);
    chartWindow_->setAttribute(Qt::WA_DeleteOnClose);
  }
  chartWindow_->show();
  chartWindow_->raise();
  chartWindow_->activateWindow();
}
