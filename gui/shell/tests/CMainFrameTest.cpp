// The main window: commands and their prompts, File Save enabling, the
// status text, the first-run step and the fixed size.
#include "shell/CMainFrame.h"
#include "DocumentTestAccess.h"
#include "ShellTestSupport.h"
#include "compare/CompareDialog.h"
#include "shell/CMainSheet.h"
#include "shell/COptionsDlg.h"
#include "shell/CTORVIODoc.h"
#include "shell/CTORVIOView.h"
#include "shell/HelpWindow.h"
#include "shell/Settings.h"
#include "strings/StringTable.h"

#include <QAccessible>
#include <QAction>
#include <QLabel>
#include <QMenuBar>
#include <QStatusTipEvent>
#include <QTextBrowser>
#include <QTimer>
#include <QToolBar>
#include <QtTest>

using namespace torvio;
using torvio::test::KindPageFactory;
using torvio::test::ScriptedPrompter;

class TestMainFrame : public QObject {
  Q_OBJECT

private slots:
  void init() { settings_.Clear(); }
  void cleanup() { delete HelpWindow::Existing(); }

  void commandsCarryTheirTextsPromptsAndShortcuts_data() {
    QTest::addColumn<unsigned>("id");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("prompt");
    QTest::addColumn<QString>("tooltip");
    QTest::addColumn<QKeySequence>("shortcut");
    QTest::newRow("new") << unsigned(ID_FILE_NEW) << "&New"
                         << "Create a new document"
                         << "New" << QKeySequence(Qt::CTRL | Qt::Key_N);
    QTest::newRow("open") << unsigned(ID_FILE_OPEN) << "&Open..."
                          << "Open an existing document"
                          << "Open" << QKeySequence(Qt::CTRL | Qt::Key_O);
    QTest::newRow("save") << unsigned(ID_FILE_SAVE) << "&Save"
                          << "Save the active document"
                          << "Save" << QKeySequence(Qt::CTRL | Qt::Key_S);
    QTest::newRow("save as") << unsigned(ID_FILE_SAVE_AS) << "Save &As..."
                             << "Save the active document with a new name"
                             << "Save As" << QKeySequence();
    QTest::newRow("compare") << unsigned(ID_FILE_COMPARE) << "Compare &With..."
                             << "List the settings in which a project file differs from this one"
                             << "Compare With" << QKeySequence();
    QTest::newRow("undo") << unsigned(ID_EDIT_UNDO) << "&Undo"
                          << "Undo the last edit"
                          << "Undo" << QKeySequence(Qt::CTRL | Qt::Key_Z);
    QTest::newRow("redo") << unsigned(ID_EDIT_REDO) << "&Redo"
                          << "Redo the edit last undone"
                          << "Redo" << QKeySequence(Qt::CTRL | Qt::Key_Y);
    QTest::newRow("chart")
        << unsigned(ID_TOOLS_MMI_CHART) << "Modulation Index &Chart..."
        << "Chart the maximum available modulation index against the PWM frequency"
        << "Modulation Index Chart" << QKeySequence();
    QTest::newRow("analysis")
        << unsigned(ID_TOOLS_ANALYSIS) << "Controller &Analysis..."
        << "Show what the computed gains mean and how the current loops will behave"
        << "Controller Analysis" << QKeySequence();
    QTest::newRow("exit") << unsigned(ID_APP_EXIT) << "E&xit"
                          << "Quit the application; prompts to save documents"
                          << "Exit" << QKeySequence();
    QTest::newRow("generate") << unsigned(ID_TOOLS_GENERATE) << "&Generate Sources"
                              << "Run the sources generator"
                              << "Generate sources" << QKeySequence();
    QTest::newRow("preview")
        << unsigned(ID_TOOLS_PREVIEW) << "&Preview Generation..."
        << "Show what Generate Sources would change in the output folder, without writing"
        << "Preview Generation" << QKeySequence();
    QTest::newRow("options") << unsigned(ID_TOOLS_OPTIONS) << "&Options..."
                             << "Open the Options Dialog"
                             << "Options" << QKeySequence();
    QTest::newRow("help topics") << unsigned(ID_HELP_FINDER) << "&Help Topics"
                                 << "List Help topics"
                                 << "Help Topics" << QKeySequence();
    QTest::newRow("support") << unsigned(ID_HELP_SUPPORT) << "TORVIO &Support"
                             << "Open the Support Help"
                             << "Support" << QKeySequence();
    QTest::newRow("about") << unsigned(ID_APP_ABOUT) << "&About TORVIO..."
                           << "Open the About Dialog"
                           << "About" << QKeySequence();
    QTest::newRow("context help") << unsigned(ID_CONTEXT_HELP) << "Help"
                                  << "Display help for clicked on buttons, menus and windows"
                                  << "Help" << QKeySequence(Qt::SHIFT | Qt::Key_F1);
  }

  void commandsCarryTheirTextsPromptsAndShortcuts() {
    QFETCH(unsigned, id);
    QFETCH(QString, text);
    QFETCH(QString, prompt);
    QFETCH(QString, tooltip);
    QFETCH(QKeySequence, shortcut);
    CTORVIODoc doc;
    CMainFrame frame(&doc, nullptr, KindPageFactory());
    QAction *action = frame.Action(id);
    QVERIFY(action);
    QCOMPARE(action->text(), text);
    QCOMPARE(action->statusTip(), prompt);
    QCOMPARE(action->toolTip(), tooltip);
    QCOMPARE(action->shortcut(), shortcut);
  }

  void menusAndToolbarInOrder() {
    CTORVIODoc doc;
    CMainFrame frame(&doc, nullptr, KindPageFactory());
    QStringList menus;
    for (QAction *menu : frame.menuBar()->actions()) {
      menus << menu->text();
    }
    QCOMPARE(menus, (QStringList{"&File", "&Edit", "&Tools", "&Help"}));
    auto *bar = frame.findChild<QToolBar *>();
    QVERIFY(bar);
    QStringList tips;
    for (QAction *a : bar->actions()) {
      tips << (a->isSeparator() ? QStringLiteral("|") : a->toolTip());
    }
    QCOMPARE(tips, (QStringList{"New", "Open", "Save", "|", "Undo", "Redo", "|", "Generate sources",
                                "|", "About", "Help"}));
  }

  void promptsShowInTheFirstPane() {
    CTORVIODoc doc;
    CMainFrame frame(&doc, nullptr, KindPageFactory());
    QCOMPARE(frame.MessagePane()->text(), QStringLiteral("Ready"));
    QCOMPARE(frame.MessagePane()->width(), 250);
    QStatusTipEvent tip(QStringLiteral("Run the sources generator"));
    QApplication::sendEvent(&frame, &tip);
    QCOMPARE(frame.MessagePane()->text(), QStringLiteral("Run the sources generator"));
    QStatusTipEvent none{QString()};
    QApplication::sendEvent(&frame, &none);
    QCOMPARE(frame.MessagePane()->text(), QStringLiteral("Ready"));
  }

  void saveIsEnabledExactlyWhileModified() {
    QTemporaryDir dir;
    CTORVIODoc doc;
    CMainFrame frame(&doc, nullptr, KindPageFactory());
    QAction *save = frame.Action(ID_FILE_SAVE);
    QVERIFY(doc.OnNewDocument());
    QVERIFY(save->isEnabled());
    const QString path = dir.filePath(QStringLiteral("p.tvd"));
    QVERIFY(doc.OnSaveDocument(path));
    QVERIFY(!save->isEnabled());
    doc.OnNewDocument();
    QVERIFY(doc.OnOpenDocument(path));
    QVERIFY(!save->isEnabled());
    // An edit on a page marks the project modified through the sheet.
    static_cast<PageHost *>(frame.View()->Sheet())
        ->Set(*parvex::FindParameter("PolePairs"), 5, QStringLiteral("Pole pairs"));
    QVERIFY(save->isEnabled());
    QVERIFY(frame.Action(ID_TOOLS_GENERATE)->isEnabled());
    QCOMPARE(frame.windowTitle(), QStringLiteral("p.tvd* - TORVIO"));
  }

  // Compare With names both sides: the open project, saved or not, and the
  // file on disk, so that a project compared with its own file reads right.
  void compareNamesBothSides() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("p1.tvd"));
    CTORVIODoc doc;
    CMainFrame frame(&doc, nullptr, test::KindPageFactory());
    doc.OnNewDocument();
    QVERIFY(doc.OnSaveDocument(path));
    DocumentTestAccess::Record(doc).PolePairs.Value = 3;
    DocumentTestAccess::SetModified(doc, true);
    test::ScriptedPrompter prompts;
    prompts.fileNames = {path};
    QString title, summary;
    test::OnNextModal([&](QWidget *modal) {
      title = modal->windowTitle();
      if (auto *d = qobject_cast<CompareDialog *>(modal))
        summary = d->Summary();
      modal->close();
    });
    frame.Action(ID_FILE_COMPARE)->trigger();
    QCOMPARE(prompts.fileTitles, QStringList{QStringLiteral("Compare With")});
    QCOMPARE(title, QStringLiteral("Compare With p1.tvd"));
    QCOMPARE(summary,
             QStringLiteral("1 setting(s) differ (this project (unsaved) -> p1.tvd on disk):"));
  }

  void statusTextWithoutOutputFolder() {
    CTORVIODoc doc;
    CMainFrame frame(&doc, nullptr, KindPageFactory());
    frame.OnStatusTimer();
    const QString expected =
        QStringLiteral("Output Dir : Not specified (Menu Tools/Options...)") + QString(29, u' ');
    QCOMPARE(expected.size(), 79);
    QCOMPARE(frame.StatusText(), expected);
    QCOMPARE(frame.StatusPane()->text(), expected);
  }

  void statusTextWithOutputFolder() {
    CTORVIODoc doc;
    CMainFrame frame(&doc, nullptr, KindPageFactory());
    WriteOutputDir(QStringLiteral("/work/out/"));
    frame.OnStatusTimer();
    QCOMPARE(frame.StatusText(), QStringLiteral("Output Dir: /work/out/"));
    // A screen reader hears what the pane is and what it shows.
    QAccessibleInterface *pane = QAccessible::queryAccessibleInterface(frame.StatusPane());
    QCOMPARE(pane->text(QAccessible::Name), QStringLiteral("Output Directory"));
    QCOMPARE(pane->text(QAccessible::Description), QStringLiteral("Output Dir: /work/out/"));
    WriteOutputDir(QStringLiteral("/home/engineer/projects/motor-control/firmware/output/headers"));
    frame.OnStatusTimer();
    QCOMPARE(frame.StatusText(),
             QStringLiteral("Output Dir: /.../motor-control/firmware/output/headers"));
  }

  void statusTimerRefreshesByItself() {
    CTORVIODoc doc;
    CMainFrame frame(&doc, nullptr, KindPageFactory());
    QVERIFY(frame.StatusTimer()->isActive());
    WriteOutputDir(QStringLiteral("/timed/"));
    QTRY_COMPARE_WITH_TIMEOUT(frame.StatusText(), QStringLiteral("Output Dir: /timed/"), 3000);
  }

  void firstRunSetsTheTemplatesFolderAndOpensHelp() {
    CTORVIODoc doc;
    CMainFrame frame(&doc, nullptr, KindPageFactory());
    QVERIFY(frame.FirstRunTimer()->isActive());
    frame.OnFirstRunTimer();
    QVERIFY(!frame.FirstRunTimer()->isActive());
    QCOMPARE(ReadFirstRun(), 0);
    const QString templates = ReadFolders().templatesDir;
    const QString appDir = QCoreApplication::applicationDirPath();
    if (QFileInfo(appDir + QStringLiteral("/Templates")).isDir()) {
      QCOMPARE(templates, appDir + QStringLiteral("/Templates"));
    } else {
      QCOMPARE(templates, QDir::cleanPath(appDir + QStringLiteral("/../share/torvio/Templates")));
    }
    QVERIFY(!templates.endsWith(u'/'));
    HelpWindow *help = HelpWindow::Existing();
    QVERIFY(help);
    QVERIFY(help->isVisible());
    QCOMPARE(help->CurrentPage(), QStringLiteral("getting-started.html"));
    QVERIFY(help->Browser()->toPlainText().contains(QStringLiteral("Templates")));
  }

  void firstRunHappensOnce() {
    WriteFirstRun(0);
    WriteTemplatesDir(QStringLiteral("/mine/"));
    CTORVIODoc doc;
    CMainFrame frame(&doc, nullptr, KindPageFactory());
    frame.OnFirstRunTimer();
    QCOMPARE(ReadFolders().templatesDir, QStringLiteral("/mine/"));
    QVERIFY(!HelpWindow::Existing());
  }

  void firstRunFiresAfterOneSecond() {
    CTORVIODoc doc;
    CMainFrame frame(&doc, nullptr, KindPageFactory());
    QTRY_COMPARE_WITH_TIMEOUT(ReadFirstRun(), 0, 3000);
  }

  void supportOpensItsHelpPage() {
    CTORVIODoc doc;
    CMainFrame frame(&doc, nullptr, KindPageFactory());
    frame.Action(ID_HELP_SUPPORT)->trigger();
    QVERIFY(HelpWindow::Existing());
    QCOMPARE(HelpWindow::Existing()->CurrentPage(), QStringLiteral("support.html"));
    frame.Action(ID_HELP_FINDER)->trigger();
    QCOMPARE(HelpWindow::Existing()->CurrentPage(), QStringLiteral("index.html"));
    // A page's help request goes through the sheet.
    static_cast<PageHost *>(frame.View()->Sheet())->ShowHelp(0x18008);
    QCOMPARE(HelpWindow::Existing()->CurrentPage(), QStringLiteral("getting-started.html"));
  }

  void f1OnTheSheetOpensTheHelp() {
    CTORVIODoc doc;
    CMainFrame frame(&doc, nullptr, KindPageFactory());
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    CMainSheet *sheet = frame.View()->Sheet();
    sheet->currentWidget()->setFocus();
    QTest::keyClick(sheet->currentWidget(), Qt::Key_F1);
    QVERIFY(HelpWindow::Existing());
    QCOMPARE(HelpWindow::Existing()->CurrentPage(), QStringLiteral("index.html"));
  }

  void toolsOptionsOkMarksTheProjectModified() {
    CTORVIODoc doc;
    CMainFrame frame(&doc, nullptr, KindPageFactory());
    DocumentTestAccess::SetModified(doc, false);
    test::OnNextModal([](QWidget *modal) { static_cast<QDialog *>(modal)->reject(); });
    frame.Action(ID_TOOLS_OPTIONS)->trigger();
    QVERIFY(!doc.IsModified());
    test::OnNextModal([](QWidget *modal) { static_cast<QDialog *>(modal)->accept(); });
    frame.Action(ID_TOOLS_OPTIONS)->trigger();
    QVERIFY(doc.IsModified());
  }

  void closingAModifiedProjectAsks() {
    ScriptedPrompter prompts;
    CTORVIODoc doc;
    CMainFrame frame(&doc, nullptr, KindPageFactory());
    frame.show();
    doc.OnNewDocument();
    prompts.answers = {Prompter::Answer::Cancel};
    QVERIFY(!frame.close());
    QCOMPARE(prompts.messages.size(), std::size_t{1});
    prompts.answers = {Prompter::Answer::No};
    QVERIFY(frame.close());
  }

  void windowHasAFixedSizeThatHoldsTheSheet() {
    CTORVIODoc doc;
    CMainFrame frame(&doc, nullptr, KindPageFactory());
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    QCOMPARE(frame.minimumSize(), frame.maximumSize());
    QVERIFY(!(frame.windowFlags() & Qt::WindowMaximizeButtonHint));
    CMainSheet *sheet = frame.View()->Sheet();
    QCOMPARE(frame.View()->size(), sheet->size());
    QCOMPARE(frame.windowTitle(), QStringLiteral("Untitled - TORVIO"));
  }

private:
  test::TemporarySettings settings_;
};

QTEST_MAIN(TestMainFrame)
#include "CMainFrameTest.moc"
