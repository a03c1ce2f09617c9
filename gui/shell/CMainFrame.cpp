#include "shell/CMainFrame.h"

#include "projecttools/ProjectTools.h"
#include "shell/AppIcon.h"
#include "shell/CAboutDlg.h"
#include "shell/CMainSheet.h"
#include "shell/CTORVIODoc.h"
#include "shell/CTORVIOView.h"
#include "shell/HelpWindow.h"
#include "shell/ResString.h"
#include "shell/Settings.h"
#include "shell/ShortenPath.h"

#include <QAction>
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
#include <QWhatsThis>

using torvio::LoadResString;

namespace {

QString Res(unsigned id) {
  return QString::fromLatin1(LoadResString(id));
}

// A command's string holds "prompt\ntooltip".
QString Prompt(unsigned id) {
  return Res(id).section(u'\n', 0, 0);
}
QString ToolTip(unsigned id) {
  return Res(id).section(u'\n', 1, 1);
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
      m_timer1(new QTimer(this)), m_timer2(new QTimer(this)) {
  // A fixed-size window without a maximise button.
  setWindowFlag(Qt::WindowMaximizeButtonHint, false);
  setWindowFlag(Qt::MSWindowsFixedSizeDialogHint, true);
  setWindowIcon(torvio::AppIcon());
  setCentralWidget(m_view);
  CreateActions();
  CreateMenus();
  CreateToolBar();
  CreateStatusBar();
  new ProjectTools(this, m_doc, m_view->Sheet()); // Edit menu, Compare With, chart
  // The window always just holds the sheet, the toolbar and the status bar.
  layout()->setSizeConstraint(QLayout::SetFixedSize);

  connect(m_doc, &CTORVIODoc::modifiedChanged, m_actions.at(torvio::ID_FILE_SAVE),
          &QAction::setEnabled);
  connect(m_doc, &CTORVIODoc::titleChanged, this, &CMainFrame::UpdateTitle);
  connect(m_doc, &CTORVIODoc::modifiedChanged, this, &CMainFrame::UpdateTitle);
  m_actions.at(torvio::ID_FILE_SAVE)->setEnabled(m_doc->IsModified());
  UpdateTitle();

  connect(m_timer1, &QTimer::timeout, this, [this] { OnTimer(kFirstRunTimer); });
  connect(m_timer2, &QTimer::timeout, this, [this] { OnTimer(kStatusTimer); });
  m_timer1->start(1000);
  m_timer2->start(1500);
}

CMainFrame::~CMainFrame() {
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

QAction *CMainFrame::AddAction(unsigned id, const QString &text, const QKeySequence &shortcut) {
  auto *action = new QAction(text, this);
  action->setStatusTip(Prompt(id));
  action->setToolTip(ToolTip(id));
  if (!shortcut.isEmpty()) {
    action->setShortcut(shortcut);
  }
  m_actions[id] = action;
  return action;
}

void CMainFrame::CreateActions() {
  using namespace torvio;
  QStyle *s = style();
  AddAction(ID_FILE_NEW, tr("&New"), QKeySequence(tr("Ctrl+N")))
      ->setIcon(s->standardIcon(QStyle::SP_FileIcon));
  AddAction(ID_FILE_OPEN, tr("&Open..."), QKeySequence(tr("Ctrl+O")))
      ->setIcon(s->standardIcon(QStyle::SP_DialogOpenButton));
  AddAction(ID_FILE_SAVE, tr("&Save"), QKeySequence(tr("Ctrl+S")))
      ->setIcon(s->standardIcon(QStyle::SP_DialogSaveButton));
  AddAction(ID_FILE_SAVE_AS, tr("Save &As..."));
  AddAction(ID_APP_EXIT, tr("E&xit"));
  AddAction(ID_TOOLS_GENERATE, tr("&Generate Sources"))
      ->setIcon(s->standardIcon(QStyle::SP_MediaPlay));
  AddAction(ID_TOOLS_OPTIONS, tr("&Options..."));
  AddAction(ID_HELP_FINDER, tr("&Help Topics"));
  AddAction(ID_HELP_SUPPORT, tr("TORVIO &Support"));
  AddAction(ID_APP_ABOUT, tr("&About TORVIO..."))
      ->setIcon(s->standardIcon(QStyle::SP_MessageBoxInformation));
  QAction *whatsThis = QWhatsThis::createAction(this);
  whatsThis->setText(tr("Help"));
  whatsThis->setStatusTip(Prompt(ID_CONTEXT_HELP));
  whatsThis->setToolTip(ToolTip(ID_CONTEXT_HELP));
  m_actions[ID_CONTEXT_HELP] = whatsThis;

  connect(m_actions[ID_FILE_NEW], &QAction::triggered, this, [this] { m_doc->OnFileNew(this); });
  connect(m_actions[ID_FILE_OPEN], &QAction::triggered, this, [this] { m_doc->OnFileOpen(this); });
  connect(m_actions[ID_FILE_SAVE], &QAction::triggered, this, [this] { m_doc->OnFileSave(this); });
  connect(m_actions[ID_FILE_SAVE_AS], &QAction::triggered, this,
          [this] { m_doc->OnFileSaveAs(this); });
  connect(m_actions[ID_APP_EXIT], &QAction::triggered, this, &CMainFrame::close);
  connect(m_actions[ID_TOOLS_GENERATE], &QAction::triggered, this,
          [this] { m_doc->GenerateSources(this); });
  connect(m_actions[ID_TOOLS_OPTIONS], &QAction::triggered, this,
          [this] { m_doc->OnToolsOptions(this); });
  connect(m_actions[ID_HELP_FINDER], &QAction::triggered, this, &CMainFrame::OnHelpFinder);
  connect(m_actions[ID_HELP_SUPPORT], &QAction::triggered, this,
          [] { torvio::HelpWindow::Instance().ShowContext(torvio::kHelpContextSupport); });
  connect(m_actions[ID_APP_ABOUT], &QAction::triggered, this, &CMainFrame::OnAppAbout);
}

void CMainFrame::CreateMenus() {
  using namespace torvio;
  QMenu *file = menuBar()->addMenu(tr("&File"));
  file->addAction(m_actions[ID_FILE_NEW]);
  file->addAction(m_actions[ID_FILE_OPEN]);
  file->addAction(m_actions[ID_FILE_SAVE]);
  file->addAction(m_actions[ID_FILE_SAVE_AS]);
  file->addSeparator();
  file->addAction(m_actions[ID_APP_EXIT]);
  QMenu *tools = menuBar()->addMenu(tr("&Tools"));
  tools->addAction(m_actions[ID_TOOLS_GENERATE]);
  tools->addSeparator();
  tools->addAction(m_actions[ID_TOOLS_OPTIONS]);
  QMenu *help = menuBar()->addMenu(tr("&Help"));
  help->addAction(m_actions[ID_HELP_FINDER]);
  help->addAction(m_actions[ID_HELP_SUPPORT]);
  help->addSeparator();
  help->addAction(m_actions[ID_APP_ABOUT]);
}

void CMainFrame::CreateToolBar() {
  using namespace torvio;
  QToolBar *bar = addToolBar(tr("Standard"));
  bar->setObjectName(QStringLiteral("toolbar"));
  bar->setMovable(false);
  bar->setFloatable(false);
  bar->addAction(m_actions[ID_FILE_NEW]);
  bar->addAction(m_actions[ID_FILE_OPEN]);
  bar->addAction(m_actions[ID_FILE_SAVE]);
  bar->addSeparator();
  bar->addAction(m_actions[ID_TOOLS_GENERATE]);
  bar->addSeparator();
  bar->addAction(m_actions[ID_APP_ABOUT]);
  bar->addAction(m_actions[ID_CONTEXT_HELP]);
}

void CMainFrame::CreateStatusBar() {
  m_messagePane = new QLabel(Res(torvio::IDS_IDLE_MESSAGE));
  m_messagePane->setFixedWidth(250);
  m_messagePane->setAccessibleName(tr("Message"));
  m_statusPane = new QLabel;
  m_statusPane->setAccessibleName(tr("Output Directory"));
  statusBar()->setSizeGripEnabled(false); // the window has a fixed size
  statusBar()->addWidget(m_messagePane);
  statusBar()->addWidget(m_statusPane, 1);
}

bool CMainFrame::event(QEvent *event) {
  if (event->type() == QEvent::StatusTip) {
    // Prompts go to pane 0, which shows "Ready" when no command is pointed at.
    const QString tip = static_cast<QStatusTipEvent *>(event)->tip();
    m_messagePane->setText(tip.isEmpty() ? Res(torvio::IDS_IDLE_MESSAGE) : tip);
    return true;
  }
  return QMainWindow::event(event);
}

void CMainFrame::closeEvent(QCloseEvent *event) {
  if (m_doc->SaveModified(this)) {
    event->accept();
  } else {
    event->ignore();
  }
}

void CMainFrame::UpdateTitle() {
  // "motor1.tvd* - TORVIO" while there are unsaved changes.
  const QString marker = m_doc->IsModified() ? QStringLiteral("*") : QString();
  setWindowTitle(m_doc->GetTitle() + marker + QStringLiteral(" - ") + Res(torvio::IDS_APP_TITLE));
}

void CMainFrame::OnTimer(int id) {
  if (id == kFirstRunTimer) {
    m_timer1->stop();
    OnFirstRun();
  } else if (id == kStatusTimer) {
    const QString outputDir = torvio::ReadFolders().outputDir;
    m_statusText = outputDir.isEmpty()
                       ? Res(torvio::IDS_OUTPUT_DIR_NOT_SPECIFIED)
                       : Res(torvio::IDS_STATUS_OUTPUT_DIR).arg(torvio::ShortenPath(outputDir, 45));
    m_statusPane->setText(m_statusText);
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
