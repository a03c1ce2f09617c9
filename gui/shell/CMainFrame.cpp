#include "shell/CMainFrame.h"

#include "ScriptedEdit.h"
#include "analysis/ControllerAnalysisWindow.h"
#include "analysis/StartupWindow.h"
#include "chart/MmiChartWindow.h"
#include "compare/CompareDialog.h"
#include "history/ProjectHistory.h"
#include "pages/NumericField.h"
#include "shell/AppIcon.h"
#include "shell/CAboutDlg.h"
#include "shell/CMainSheet.h"
#include "shell/CTORVIODoc.h"
#include "shell/CTORVIOView.h"
#include "shell/FileCommands.h"
#include "shell/GenerateSources.h"
#include "shell/HelpWindow.h"
#include "shell/JsonCommands.h"
#include "shell/PathBytes.h"
#include "shell/Prompter.h"
#include "shell/Settings.h"
#include "shell/ShortenPath.h"
#include "strings/ResString.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QUndoStack>
#include <QWhatsThis>

using torvio::ResString;

namespace {

// A command's string holds "prompt\ntooltip".
QString Prompt(unsigned id) {
  return torvio::ResString(id).section(u'\n', 0, 0);
}
QString ToolTip(unsigned id) {
  return torvio::ResString(id).section(u'\n', 1, 1);
}

} // namespace

QString torvio::FirstRunTemplatesDir() {
  const QString beside = QCoreApplication::applicationDirPath() + QStringLiteral("/Templates");
  if (QFileInfo(beside).isDir()) {
    return beside;
  }
  return QDir::cleanPath(QCoreApplication::applicationDirPath() +
                         QStringLiteral("/../share/torvio/Templates"));
}

CMainFrame::CMainFrame(CTORVIODoc *doc, QWidget *parent, torvio::PageFactory factory)
    : QMainWindow(parent), doc_(doc), view_(new CTORVIOView(doc, this, std::move(factory))),
      timer1_(new QTimer(this)), timer2_(new QTimer(this)) {
  // A fixed-size window without a maximise button.
  setWindowFlag(Qt::WindowMaximizeButtonHint, false);
  setWindowFlag(Qt::MSWindowsFixedSizeDialogHint, true);
  setWindowIcon(torvio::AppIcon());
  setCentralWidget(view_);
  CreateActions();
  CreateMenus();
  CreateToolBar();
  CreateStatusBar();
  // The window always just holds the sheet, the toolbar and the status bar.
  layout()->setSizeConstraint(QLayout::SetFixedSize);

  connect(doc_, &CTORVIODoc::modifiedChanged, this, &CMainFrame::UpdateSaveEnabled);
  connect(doc_, &CTORVIODoc::titleChanged, this, &CMainFrame::UpdateTitle);
  connect(doc_, &CTORVIODoc::modifiedChanged, this, &CMainFrame::UpdateTitle);
  // A value typed and not yet committed is an unsaved change too: Save
  // (and Ctrl+S) must be there to commit and save it.
  connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) {
    if (auto *field = qobject_cast<NumericField *>(now))
      connect(field, &QLineEdit::textEdited, this, &CMainFrame::UpdateSaveEnabled,
              Qt::UniqueConnection);
    UpdateSaveEnabled();
  });
  UpdateSaveEnabled();
  UpdateTitle();

  connect(timer1_, &QTimer::timeout, this, &CMainFrame::OnFirstRunTimer);
  connect(timer2_, &QTimer::timeout, this, &CMainFrame::OnStatusTimer);
  // The chart follows every change of the record.
  connect(doc_, &CTORVIODoc::recordChanged, this, [this] {
    if (chart_)
      chart_->Refresh();
    if (analysis_)
      analysis_->Refresh();
    if (startup_)
      startup_->Refresh();
  });
  connect(doc_, &CTORVIODoc::mechanicsChanged, this, [this] {
    if (analysis_)
      analysis_->Refresh();
    if (startup_)
      startup_->Refresh();
  });

  timer1_->start(1000);
  timer2_->start(1500);
}

CMainFrame::~CMainFrame() {
  // The focus moves while the children go; this frame no longer follows it.
  disconnect(qApp, nullptr, this, nullptr);
  timer1_->stop();
  timer2_->stop();
}

QAction *CMainFrame::Action(unsigned commandId) const {
  const auto found = actions_.find(commandId);
  return found == actions_.end() ? nullptr : found->second;
}

void CMainFrame::UpdateSaveEnabled() {
  const auto *field = qobject_cast<NumericField *>(focusWidget());
  actions_.at(torvio::ID_FILE_SAVE)
      ->setEnabled(doc_->IsModified() || (field && field->isModified()));
}

void CMainFrame::CommitPendingEdit() {
  // The focus stays in the field while a shortcut, a menu or a tool button
  // runs a command, so the field has not committed on its own.
  if (auto *field = qobject_cast<NumericField *>(focusWidget()))
    field->CommitPendingEdit();
}

QAction *CMainFrame::AddCommand(unsigned id, const QString &text, std::function<void()> handler,
                                const QList<QKeySequence> &shortcuts) {
  auto *action = new QAction(text, this);
  action->setStatusTip(Prompt(id));
  action->setToolTip(ToolTip(id));
  action->setShortcuts(shortcuts);
  connect(action, &QAction::triggered, this, [this, handler = std::move(handler)] {
    CommitPendingEdit();
    handler();
  });
  actions_[id] = action;
  return action;
}

void CMainFrame::CreateActions() {
  using namespace torvio;
  QStyle *s = style();
  AddCommand(ID_FILE_NEW, ResString(IDS_TEXT_NEW), [this] { FileNewCommand(*doc_, this); },
             {QKeySequence(Qt::CTRL | Qt::Key_N)})
      ->setIcon(s->standardIcon(QStyle::SP_FileIcon));
  AddCommand(ID_FILE_OPEN, ResString(IDS_TEXT_OPEN), [this] { FileOpenCommand(*doc_, this); },
             {QKeySequence(Qt::CTRL | Qt::Key_O)})
      ->setIcon(s->standardIcon(QStyle::SP_DialogOpenButton));
  AddCommand(ID_FILE_SAVE, ResString(IDS_TEXT_SAVE), [this] { FileSaveCommand(*doc_, this); },
             {QKeySequence(Qt::CTRL | Qt::Key_S)})
      ->setIcon(s->standardIcon(QStyle::SP_DialogSaveButton));
  AddCommand(ID_FILE_SAVE_AS, ResString(IDS_TEXT_SAVE_AS),
             [this] { FileSaveAsCommand(*doc_, this); });
  AddCommand(ID_FILE_COMPARE, ResString(IDS_TEXT_COMPARE), [this] { OnCompareWith(); });
  AddCommand(ID_FILE_EXPORT, ResString(IDS_TEXT_EXPORT),
             [this] { ExportProjectCommand(*doc_, this); });
  AddCommand(ID_FILE_IMPORT, ResString(IDS_TEXT_IMPORT),
             [this] { ImportProjectCommand(*doc_, this); });
  AddCommand(ID_APP_EXIT, ResString(IDS_TEXT_EXIT), [this] { close(); });

  QUndoStack *stack = History()->Stack();
  QAction *undo = AddCommand(ID_EDIT_UNDO, ResString(IDS_TEXT_UNDO), [stack] { stack->undo(); },
                             {QKeySequence(Qt::CTRL | Qt::Key_Z)});
  undo->setIcon(s->standardIcon(QStyle::SP_ArrowBack));
  QAction *redo = AddCommand(
      ID_EDIT_REDO, ResString(IDS_TEXT_REDO), [stack] { stack->redo(); },
      {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
  redo->setIcon(s->standardIcon(QStyle::SP_ArrowForward));
  // "&Undo PWM Frequency (Hz)": the step's name follows the command's.
  const auto follow = [](QAction *action, const QString &command) {
    return [action, command](const QString &step) {
      action->setText(step.isEmpty() ? command : command + u' ' + step);
    };
  };
  undo->setEnabled(stack->canUndo());
  redo->setEnabled(stack->canRedo());
  connect(stack, &QUndoStack::canUndoChanged, undo, &QAction::setEnabled);
  connect(stack, &QUndoStack::canRedoChanged, redo, &QAction::setEnabled);
  connect(stack, &QUndoStack::undoTextChanged, undo, follow(undo, undo->text()));
  connect(stack, &QUndoStack::redoTextChanged, redo, follow(redo, redo->text()));

  AddCommand(ID_TOOLS_GENERATE, ResString(IDS_TEXT_GENERATE), [this] {
    GenerateSourcesCommand(*doc_, this);
  })->setIcon(s->standardIcon(QStyle::SP_MediaPlay));
  AddCommand(ID_TOOLS_PREVIEW, ResString(IDS_TEXT_PREVIEW),
             [this] { PreviewGenerationCommand(*doc_, this); });
  AddCommand(ID_TOOLS_OPTIONS, ResString(IDS_TEXT_OPTIONS),
             [this] { OptionsCommand(*doc_, this); });
  AddCommand(ID_TOOLS_MMI_CHART, ResString(IDS_TEXT_MMI_CHART),
             [this] { OnModulationIndexChart(); });
  AddCommand(ID_TOOLS_ANALYSIS, ResString(IDS_TEXT_ANALYSIS), [this] { OnControllerAnalysis(); });
  AddCommand(ID_TOOLS_STARTUP, ResString(IDS_TEXT_STARTUP), [this] { OnStartupSimulation(); });
  AddCommand(ID_HELP_FINDER, ResString(IDS_TEXT_HELP_TOPICS), [this] { OnHelpFinder(); });
  AddCommand(ID_HELP_SUPPORT, ResString(IDS_TEXT_SUPPORT),
             [] { torvio::HelpWindow::Instance().ShowContext(torvio::kHelpContextSupport); });
  AddCommand(ID_APP_ABOUT, ResString(IDS_TEXT_ABOUT), [this] {
    OnAppAbout();
  })->setIcon(s->standardIcon(QStyle::SP_MessageBoxInformation));
  QAction *whatsThis = QWhatsThis::createAction(this);
  whatsThis->setText(ResString(IDS_TEXT_CONTEXT_HELP));
  whatsThis->setStatusTip(Prompt(ID_CONTEXT_HELP));
  whatsThis->setToolTip(ToolTip(ID_CONTEXT_HELP));
  actions_[ID_CONTEXT_HELP] = whatsThis;
}

void CMainFrame::CreateMenus() {
  using namespace torvio;
  const auto menu = [this](const QString &title, std::initializer_list<unsigned> ids) {
    QMenu *m = menuBar()->addMenu(title);
    for (unsigned id : ids) {
      if (id == 0)
        m->addSeparator();
      else
        m->addAction(actions_.at(id));
    }
  };
  menu(ResString(IDS_MENU_FILE),
       {ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, ID_FILE_SAVE_AS, ID_FILE_COMPARE, 0,
        ID_FILE_EXPORT, ID_FILE_IMPORT, 0, ID_APP_EXIT});
  menu(ResString(IDS_MENU_EDIT), {ID_EDIT_UNDO, ID_EDIT_REDO});
  menu(ResString(IDS_MENU_TOOLS), {ID_TOOLS_GENERATE, ID_TOOLS_PREVIEW, 0, ID_TOOLS_OPTIONS, 0,
                                   ID_TOOLS_MMI_CHART, ID_TOOLS_ANALYSIS, ID_TOOLS_STARTUP});
  menu(ResString(IDS_MENU_HELP), {ID_HELP_FINDER, ID_HELP_SUPPORT, 0, ID_APP_ABOUT});
}

void CMainFrame::CreateToolBar() {
  using namespace torvio;
  QToolBar *bar = addToolBar(ResString(IDS_TOOLBAR));
  bar->setObjectName(QStringLiteral("toolbar"));
  bar->setMovable(false);
  bar->setFloatable(false);
  const unsigned order[] = {ID_FILE_NEW,
                            ID_FILE_OPEN,
                            ID_FILE_SAVE,
                            0,
                            ID_EDIT_UNDO,
                            ID_EDIT_REDO,
                            0,
                            ID_TOOLS_GENERATE,
                            0,
                            ID_APP_ABOUT,
                            ID_CONTEXT_HELP};
  for (unsigned id : order) {
    if (id == 0)
      bar->addSeparator();
    else
      bar->addAction(actions_.at(id));
  }
}

void CMainFrame::CreateStatusBar() {
  messagePane_ = new QLabel(ResString(torvio::IDS_IDLE_MESSAGE));
  messagePane_->setFixedWidth(250);
  messagePane_->setAccessibleName(ResString(torvio::IDS_MESSAGE_PANE));
  statusPane_ = new QLabel;
  statusPane_->setAccessibleName(ResString(torvio::IDS_OUTPUT_DIRECTORY));
  // The name says what the pane is; its text reaches screen readers as the
  // description.
  statusBar()->setSizeGripEnabled(false); // the window has a fixed size
  statusBar()->addWidget(messagePane_);
  statusBar()->addWidget(statusPane_, 1);
}

bool CMainFrame::event(QEvent *event) {
  if (event->type() == QEvent::StatusTip) {
    // Prompts go to pane 0, which shows "Ready" when no command is pointed at.
    const QString tip = static_cast<QStatusTipEvent *>(event)->tip();
    messagePane_->setText(tip.isEmpty() ? ResString(torvio::IDS_IDLE_MESSAGE) : tip);
    return true;
  }
  return QMainWindow::event(event);
}

void CMainFrame::closeEvent(QCloseEvent *event) {
  CommitPendingEdit();
  if (SaveModifiedCommand(*doc_, this)) {
    event->accept();
  } else {
    event->ignore();
  }
}

void CMainFrame::UpdateTitle() {
  // "motor1.tvd* - TORVIO" while there are unsaved changes.
  const QString marker = doc_->IsModified() ? QStringLiteral("*") : QString();
  setWindowTitle(doc_->GetTitle() + marker + QStringLiteral(" - ") +
                 ResString(torvio::IDS_APP_TITLE));
}

void CMainFrame::OnFirstRunTimer() {
  timer1_->stop();
  OnFirstRun();
}

void CMainFrame::OnStatusTimer() {
  const QString outputDir = torvio::ReadFolders().outputDir;
  statusText_ = outputDir.isEmpty()
                    ? ResString(torvio::IDS_OUTPUT_DIR_NOT_SPECIFIED)
                    : ResString(torvio::IDS_STATUS_OUTPUT_DIR)
                          .arg(torvio::ShortenPath(torvio::ShownPath(outputDir), 45));
  statusPane_->setText(statusText_);
  statusPane_->setAccessibleDescription(statusText_);
}

void CMainFrame::OnFirstRun() {
  if (torvio::ReadFirstRun() != 1) {
    return;
  }
  torvio::WriteFirstRun(0);
  torvio::WriteTemplatesDir(torvio::FirstRunTemplatesDir());
  torvio::HelpWindow::Instance().ShowContext(torvio::kHelpContextFirstRun);
}

void CMainFrame::OnHelpFinder() {
  torvio::HelpWindow::Instance().ShowContents();
}

void CMainFrame::OnAppAbout() {
  CAboutDlg about(this);
  about.exec();
}

void CMainFrame::OnCompareWith() {
  const QString filter = ResString(torvio::IDR_MAINFRAME).split(u'\n').value(3);
  const auto path =
      torvio::Prompts().OpenFileName(this, ResString(torvio::IDS_COMPARE_CAPTION), filter);
  if (!path || path->isEmpty())
    return;
  const QString side = doc_->IsModified() ? QStringLiteral("this project (unsaved)")
                                          : QStringLiteral("this project");
  CompareDialog dialog(side, *path, CompareWithFile(doc_->Record(), *path), this);
  dialog.exec();
}

ProjectHistory *CMainFrame::History() const {
  return doc_->History();
}

MmiChartWindow *CMainFrame::ChartWindow() const {
  return chart_;
}

void CMainFrame::OnModulationIndexChart() {
  if (!chart_) {
    chart_ = new MmiChartWindow([doc = doc_] { return &doc->Record(); }, this);
    chart_->setAttribute(Qt::WA_DeleteOnClose);
  }
  chart_->show();
  chart_->raise();
  chart_->activateWindow();
}

void CMainFrame::ApplySpeedGains(const parvex::analysis::SpeedGains &gains) {
  // Entered as the Control Settings page enters them, as one undo step.
  const auto entry = [](const char *name, std::int64_t value) {
    return std::string("CONTROLSETTINGS/SPEEDCONTROLLER/") + name + "=" + std::to_string(value);
  };
  UserData edited = doc_->Record();
  if (const torvio::Status applied = torvio::scripting::ApplyAssignments(
          edited,
          {entry("SpeedPDivisor", gains.pDivisor), entry("SpeedPDividend", gains.pDividend),
           entry("SpeedIDivisor", gains.iDivisor), entry("SpeedIDividend", gains.iDividend)});
      !applied) {
    torvio::Prompts().Message(this, QString::fromStdString(applied.error()),
                              torvio::Prompter::Icon::Error, torvio::Prompter::Buttons::Ok);
    return;
  }
  doc_->SetRecord(edited, ResString(torvio::IDS_DESIGN_SPEED_STEP));
}

StartupWindow *CMainFrame::StartupSimulation() const {
  return startup_;
}

void CMainFrame::OnStartupSimulation() {
  if (!startup_) {
    startup_ = new StartupWindow([doc = doc_] { return &doc->Record(); }, this);
    startup_->setAttribute(Qt::WA_DeleteOnClose);
    startup_->SetMechanicsAccess(
        [doc = doc_] { return doc->Mechanics(); },
        [doc = doc_](const std::optional<parvex::Mechanics> &m) { doc->SetMechanics(m); });
  }
  startup_->show();
  startup_->raise();
  startup_->activateWindow();
}

ControllerAnalysisWindow *CMainFrame::AnalysisWindow() const {
  return analysis_;
}

void CMainFrame::OnControllerAnalysis() {
  if (!analysis_) {
    analysis_ = new ControllerAnalysisWindow([doc = doc_] { return &doc->Record(); }, this);
    analysis_->setAttribute(Qt::WA_DeleteOnClose);
    analysis_->SetMechanicsAccess(
        [doc = doc_] { return doc->Mechanics(); },
        [doc = doc_](const std::optional<parvex::Mechanics> &m) { doc->SetMechanics(m); });
    analysis_->SetSpeedGainsApplier(
        [this](const parvex::analysis::SpeedGains &gains) { ApplySpeedGains(gains); });
  }
  analysis_->show();
  analysis_->raise();
  analysis_->activateWindow();
}
