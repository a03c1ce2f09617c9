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
    : QMainWindow(parent), m_doc(doc), m_view(new CTORVIOView(doc, this, std::move(factory))),
      m_history(new ProjectHistory(doc, this)), m_timer1(new QTimer(this)),
      m_timer2(new QTimer(this)) {
  // A fixed-size window without a maximise button.
  setWindowFlag(Qt::WindowMaximizeButtonHint, false);
  setWindowFlag(Qt::MSWindowsFixedSizeDialogHint, true);
  setWindowIcon(torvio::AppIcon());
  setCentralWidget(m_view);
  CreateActions();
  CreateMenus();
  CreateToolBar();
  CreateStatusBar();
  // The window always just holds the sheet, the toolbar and the status bar.
  layout()->setSizeConstraint(QLayout::SetFixedSize);

  connect(m_doc, &CTORVIODoc::modifiedChanged, this, &CMainFrame::UpdateSaveEnabled);
  connect(m_doc, &CTORVIODoc::titleChanged, this, &CMainFrame::UpdateTitle);
  connect(m_doc, &CTORVIODoc::modifiedChanged, this, &CMainFrame::UpdateTitle);
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

  connect(m_timer1, &QTimer::timeout, this, [this] { OnTimer(kFirstRunTimer); });
  connect(m_timer2, &QTimer::timeout, this, [this] { OnTimer(kStatusTimer); });
  // The chart follows every change of the record.
  connect(m_doc, &CTORVIODoc::recordChanged, this, [this] {
    if (m_chart)
      m_chart->Refresh();
    if (m_analysis)
      m_analysis->Refresh();
    if (m_startup)
      m_startup->Refresh();
  });
  connect(m_doc, &CTORVIODoc::mechanicsChanged, this, [this] {
    if (m_analysis)
      m_analysis->Refresh();
    if (m_startup)
      m_startup->Refresh();
  });

  m_timer1->start(1000);
  m_timer2->start(1500);
}

CMainFrame::~CMainFrame() {
  // The focus moves while the children go; this frame no longer follows it.
  disconnect(qApp, nullptr, this, nullptr);
  m_timer1->stop();
  m_timer2->stop();
}

QAction *CMainFrame::Action(unsigned commandId) const {
  const auto found = m_actions.find(commandId);
  return found == m_actions.end() ? nullptr : found->second;
}

bool CMainFrame::TimerActive(int id) const {
  return (id == kFirstRunTimer ? m_timer1 : m_timer2)->isActive();
}

void CMainFrame::UpdateSaveEnabled() {
  const auto *field = qobject_cast<NumericField *>(focusWidget());
  m_actions.at(torvio::ID_FILE_SAVE)
      ->setEnabled(m_doc->IsModified() || (field && field->isModified()));
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
  m_actions[id] = action;
  return action;
}

void CMainFrame::CreateActions() {
  using namespace torvio;
  QStyle *s = style();
  AddCommand(ID_FILE_NEW, ResString(IDS_TEXT_NEW), [this] { m_doc->OnFileNew(this); },
             {QKeySequence(Qt::CTRL | Qt::Key_N)})
      ->setIcon(s->standardIcon(QStyle::SP_FileIcon));
  AddCommand(ID_FILE_OPEN, ResString(IDS_TEXT_OPEN), [this] { m_doc->OnFileOpen(this); },
             {QKeySequence(Qt::CTRL | Qt::Key_O)})
      ->setIcon(s->standardIcon(QStyle::SP_DialogOpenButton));
  AddCommand(ID_FILE_SAVE, ResString(IDS_TEXT_SAVE), [this] { m_doc->OnFileSave(this); },
             {QKeySequence(Qt::CTRL | Qt::Key_S)})
      ->setIcon(s->standardIcon(QStyle::SP_DialogSaveButton));
  AddCommand(ID_FILE_SAVE_AS, ResString(IDS_TEXT_SAVE_AS), [this] { m_doc->OnFileSaveAs(this); });
  AddCommand(ID_FILE_COMPARE, ResString(IDS_TEXT_COMPARE), [this] { OnCompareWith(); });
  AddCommand(ID_FILE_EXPORT, ResString(IDS_TEXT_EXPORT),
             [this] { ExportProjectCommand(*m_doc, this); });
  AddCommand(ID_FILE_IMPORT, ResString(IDS_TEXT_IMPORT),
             [this] { ImportProjectCommand(*m_doc, this); });
  AddCommand(ID_APP_EXIT, ResString(IDS_TEXT_EXIT), [this] { close(); });

  QUndoStack *stack = m_history->Stack();
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
    m_doc->GenerateSources(this);
  })->setIcon(s->standardIcon(QStyle::SP_MediaPlay));
  AddCommand(ID_TOOLS_PREVIEW, ResString(IDS_TEXT_PREVIEW),
             [this] { m_doc->PreviewGeneration(this); });
  AddCommand(ID_TOOLS_OPTIONS, ResString(IDS_TEXT_OPTIONS),
             [this] { m_doc->OnToolsOptions(this); });
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
  m_actions[ID_CONTEXT_HELP] = whatsThis;
}

void CMainFrame::CreateMenus() {
  using namespace torvio;
  const auto menu = [this](const QString &title, std::initializer_list<unsigned> ids) {
    QMenu *m = menuBar()->addMenu(title);
    for (unsigned id : ids) {
      if (id == 0)
        m->addSeparator();
      else
        m->addAction(m_actions.at(id));
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
      bar->addAction(m_actions.at(id));
  }
}

void CMainFrame::CreateStatusBar() {
  m_messagePane = new QLabel(ResString(torvio::IDS_IDLE_MESSAGE));
  m_messagePane->setFixedWidth(250);
  m_messagePane->setAccessibleName(ResString(torvio::IDS_MESSAGE_PANE));
  m_statusPane = new QLabel;
  m_statusPane->setAccessibleName(ResString(torvio::IDS_OUTPUT_DIRECTORY));
  // The name says what the pane is; its text reaches screen readers as the
  // description.
  statusBar()->setSizeGripEnabled(false); // the window has a fixed size
  statusBar()->addWidget(m_messagePane);
  statusBar()->addWidget(m_statusPane, 1);
}

bool CMainFrame::event(QEvent *event) {
  if (event->type() == QEvent::StatusTip) {
    // Prompts go to pane 0, which shows "Ready" when no command is pointed at.
    const QString tip = static_cast<QStatusTipEvent *>(event)->tip();
    m_messagePane->setText(tip.isEmpty() ? ResString(torvio::IDS_IDLE_MESSAGE) : tip);
    return true;
  }
  return QMainWindow::event(event);
}

void CMainFrame::closeEvent(QCloseEvent *event) {
  CommitPendingEdit();
  if (m_doc->SaveModified(this)) {
    event->accept();
  } else {
    event->ignore();
  }
}

void CMainFrame::UpdateTitle() {
  // "motor1.tvd* - TORVIO" while there are unsaved changes.
  const QString marker = m_doc->IsModified() ? QStringLiteral("*") : QString();
  setWindowTitle(m_doc->GetTitle() + marker + QStringLiteral(" - ") +
                 ResString(torvio::IDS_APP_TITLE));
}

void CMainFrame::OnTimer(int id) {
  if (id == kFirstRunTimer) {
    m_timer1->stop();
    OnFirstRun();
  } else if (id == kStatusTimer) {
    const QString outputDir = torvio::ReadFolders().outputDir;
    m_statusText = outputDir.isEmpty()
                       ? ResString(torvio::IDS_OUTPUT_DIR_NOT_SPECIFIED)
                       : ResString(torvio::IDS_STATUS_OUTPUT_DIR)
                             .arg(torvio::ShortenPath(torvio::ShownPath(outputDir), 45));
    m_statusPane->setText(m_statusText);
    m_statusPane->setAccessibleDescription(m_statusText);
  }
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
  const QString side = m_doc->IsModified() ? QStringLiteral("this project (unsaved)")
                                           : QStringLiteral("this project");
  CompareDialog dialog(side, *path, CompareWithFile(m_doc->Record(), *path), this);
  dialog.exec();
}

MmiChartWindow *CMainFrame::ChartWindow() const {
  return m_chart;
}

void CMainFrame::OnModulationIndexChart() {
  if (!m_chart) {
    m_chart = new MmiChartWindow([doc = m_doc] { return &doc->Record(); }, this);
    m_chart->setAttribute(Qt::WA_DeleteOnClose);
  }
  m_chart->show();
  m_chart->raise();
  m_chart->activateWindow();
}

void CMainFrame::ApplySpeedGains(const parvex::analysis::SpeedGains &gains) {
  // Entered as the Control Settings page enters them, as one undo step.
  const auto entry = [](const char *name, std::int64_t value) {
    return std::string("CONTROLSETTINGS/SPEEDCONTROLLER/") + name + "=" + std::to_string(value);
  };
  UserData edited = m_doc->Record();
  if (const torvio::Status applied = torvio::scripting::ApplyAssignments(
          edited,
          {entry("SpeedPDivisor", gains.pDivisor), entry("SpeedPDividend", gains.pDividend),
           entry("SpeedIDivisor", gains.iDivisor), entry("SpeedIDividend", gains.iDividend)});
      !applied) {
    torvio::Prompts().Message(this, QString::fromStdString(applied.error()),
                              torvio::Prompter::Icon::Error, torvio::Prompter::Buttons::Ok);
    return;
  }
  m_doc->EditRecord(edited, ResString(torvio::IDS_DESIGN_SPEED_STEP));
}

StartupWindow *CMainFrame::StartupSimulation() const {
  return m_startup;
}

void CMainFrame::OnStartupSimulation() {
  if (!m_startup) {
    m_startup = new StartupWindow([doc = m_doc] { return &doc->Record(); }, this);
    m_startup->setAttribute(Qt::WA_DeleteOnClose);
    m_startup->SetMechanicsAccess(
        [doc = m_doc] { return doc->Mechanics(); },
        [doc = m_doc](const std::optional<parvex::Mechanics> &m) { doc->SetMechanics(m); });
  }
  m_startup->show();
  m_startup->raise();
  m_startup->activateWindow();
}

ControllerAnalysisWindow *CMainFrame::AnalysisWindow() const {
  return m_analysis;
}

void CMainFrame::OnControllerAnalysis() {
  if (!m_analysis) {
    m_analysis = new ControllerAnalysisWindow([doc = m_doc] { return &doc->Record(); }, this);
    m_analysis->setAttribute(Qt::WA_DeleteOnClose);
    m_analysis->SetMechanicsAccess(
        [doc = m_doc] { return doc->Mechanics(); },
        [doc = m_doc](const std::optional<parvex::Mechanics> &m) { doc->SetMechanics(m); });
    m_analysis->SetSpeedGainsApplier(
        [this](const parvex::analysis::SpeedGains &gains) { ApplySpeedGains(gains); });
  }
  m_analysis->show();
  m_analysis->raise();
  m_analysis->activateWindow();
}
