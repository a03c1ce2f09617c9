// Edit > Undo and Redo in the real main window with the real pages: one
// step per commit restoring the whole record, the sheet rebuilt across a
// sensor change, the clean state and the title marker, and New and Open
// starting a new history. Also the Compare With and chart commands.
#include "history/ProjectHistory.h"
#include "DefaultRecord.h"
#include "ShellTestSupport.h"
#include "analysis/ControllerAnalysisWindow.h"
#include "chart/MmiChartWindow.h"
#include "pages/CTORVIOPropertyPage.h"
#include "pages/NumericField.h"
#include "shell/CMainFrame.h"
#include "shell/CMainSheet.h"
#include "shell/COptionsDlg.h"
#include "shell/CTORVIODoc.h"
#include "shell/CTORVIOView.h"
#include "shell/GenerateSources.h"
#include "shell/HelpWindow.h"
#include "shell/Settings.h"
#include "strings/StringTable.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTimer>
#include <QToolBar>
#include <QUndoStack>
#include <QtTest>

// A full chart is 114 modulation-index searches; under the sanitizers in a
// debug build that takes far longer than QTRY's default five seconds.
static constexpr int kChartTimeoutMs = 120000;

using namespace torvio;

namespace {

using testsupport::SameRecord;

QString PageClass(CMainSheet *sheet, CMainSheet::Slot slot) {
  return sheet->Page(slot)->objectName();
}

NumericField *FieldNamed(QWidget *page, const QString &name) {
  for (auto *f : page->findChildren<NumericField *>())
    if (f->accessibleName() == name)
      return f;
  return nullptr;
}

QAbstractButton *ButtonNamed(QWidget *page, const QString &text) {
  for (auto *b : page->findChildren<QAbstractButton *>())
    if (b->text() == text)
      return b;
  return nullptr;
}

void TypeAndCommit(NumericField *f, const QString &text) {
  f->setFocus();
  f->selectAll();
  QTest::keyClicks(f, text);
  QTest::keyClick(f, Qt::Key_Return);
}

struct Window {
  CTORVIODoc doc;
  CMainFrame frame{&doc};
  CMainSheet *sheet = frame.View()->Sheet();
  QUndoStack *stack = frame.History()->Stack();
  QAction *Undo() const { return frame.Action(ID_EDIT_UNDO); }
  QAction *Redo() const { return frame.Action(ID_EDIT_REDO); }

  // The PWM frequency typed on the Control Settings page.
  void SetPwm(const QString &text) {
    sheet->setCurrentWidget(sheet->Page(CMainSheet::SlotControlSettings));
    NumericField *f = FieldNamed(sheet->Page(CMainSheet::SlotControlSettings),
                                 QStringLiteral("PWM Frequency (Hz)"));
    QVERIFY(f);
    TypeAndCommit(f, text);
  }
};

} // namespace

class TestProjectHistory : public QObject {
  Q_OBJECT

private slots:
  void initTestCase() { QLocale::setDefault(QLocale::c()); }
  void init() { settings_.Clear(); }
  void cleanup() { delete HelpWindow::Existing(); }

  void menusAndToolbarCarryTheNewCommands() {
    Window w;
    QStringList menus;
    for (QAction *a : w.frame.menuBar()->actions())
      menus << a->text();
    QCOMPARE(menus, (QStringList{"&File", "&Edit", "&Tools", "&Help"}));
    QCOMPARE(w.Undo()->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Z));
    QCOMPARE(w.Redo()->shortcuts(),
             (QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::Key_Y),
                                  QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)}));
    QVERIFY(!w.Undo()->isEnabled());
    auto *bar = w.frame.findChild<QToolBar *>(QStringLiteral("toolbar"));
    QVERIFY(bar);
    QVERIFY(bar->actions().contains(w.Undo()));
    QVERIFY(bar->actions().contains(w.Redo()));
    QCOMPARE(w.frame.Action(ID_FILE_COMPARE)->text(), QStringLiteral("Compare &With..."));
    QCOMPARE(w.frame.Action(ID_TOOLS_MMI_CHART)->text(),
             QStringLiteral("Modulation Index &Chart..."));
    // Nothing was removed: Exit still ends the File menu.
    QMenu *file = w.frame.menuBar()->actions().first()->menu();
    QCOMPARE(file->actions().last(), w.frame.Action(ID_APP_EXIT));
    QVERIFY(file->actions().contains(w.frame.Action(ID_FILE_COMPARE)));
  }

  // Undo reaches every page, not only the one in front: the page that made
  // the edit shows the value restored while another page is current.
  void undoRefreshesPagesNotInFront() {
    Window w;
    w.doc.OnNewDocument();
    w.SetPwm(QStringLiteral("20000"));
    NumericField *pwm = FieldNamed(w.sheet->Page(CMainSheet::SlotControlSettings),
                                   QStringLiteral("PWM Frequency (Hz)"));
    QCOMPARE(pwm->text(), QStringLiteral("20000"));
    w.sheet->setCurrentWidget(w.sheet->Page(CMainSheet::SlotMotorAndHw));
    w.Undo()->trigger();
    QCOMPARE(pwm->text(), QStringLiteral("14400"));
    w.Redo()->trigger();
    QCOMPARE(pwm->text(), QStringLiteral("20000"));
  }

  void undoRestoresTheWholeRecordAndTheCleanState() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("motor1.tvd"));
    Window w;
    w.doc.OnNewDocument();
    QCOMPARE(w.frame.windowTitle(), QStringLiteral("Untitled* - TORVIO"));
    QVERIFY(w.doc.OnSaveDocument(path));
    QCOMPARE(w.frame.windowTitle(), QStringLiteral("motor1.tvd - TORVIO"));
    const UserData saved = w.doc.Record();

    w.SetPwm(QStringLiteral("20000"));
    QCOMPARE(w.doc.Record().PWMFrequency.Value, 20000u);
    const UserData edited = w.doc.Record();
    // The consistency check moved more than the typed value.
    UserData onlyTyped = saved;
    onlyTyped.PWMFrequency.Value = 20000;
    QVERIFY(!SameRecord(onlyTyped, edited));
    QCOMPARE(w.stack->count(), 1);
    QCOMPARE(w.Undo()->text(), QStringLiteral("&Undo PWM Frequency (Hz)"));
    QVERIFY(w.doc.IsModified());
    QCOMPARE(w.frame.windowTitle(), QStringLiteral("motor1.tvd* - TORVIO"));

    w.Undo()->trigger();
    QVERIFY(SameRecord(w.doc.Record(), saved));
    QVERIFY(!w.doc.IsModified());
    QCOMPARE(w.frame.windowTitle(), QStringLiteral("motor1.tvd - TORVIO"));
    // The page shows the restored value.
    QCOMPARE(FieldNamed(w.sheet->Page(CMainSheet::SlotControlSettings),
                        QStringLiteral("PWM Frequency (Hz)"))
                 ->GetValue(),
             double(saved.PWMFrequency.Value));
    QCOMPARE(w.Redo()->text(), QStringLiteral("&Redo PWM Frequency (Hz)"));

    w.Redo()->trigger();
    QVERIFY(SameRecord(w.doc.Record(), edited));
    QVERIFY(w.doc.IsModified());
    QCOMPARE(w.frame.windowTitle(), QStringLiteral("motor1.tvd* - TORVIO"));
  }

  void undoAndRedoAcrossASensorChangeRebuildTheSheet() {
    Window w;
    w.doc.OnNewDocument();
    QCOMPARE(PageClass(w.sheet, CMainSheet::SlotSpeedFeedback),
             QStringLiteral("CSpeedFeedback3Page"));
    const UserData before = w.doc.Record();
    w.sheet->setCurrentIndex(0);
    QAbstractButton *encoder = ButtonNamed(w.sheet->Page(CMainSheet::SlotConfiguration),
                                           QStringLiteral("Quadrature encoder"));
    QVERIFY(encoder);
    encoder->click();
    QCOMPARE(PageClass(w.sheet, CMainSheet::SlotSpeedFeedback),
             QStringLiteral("CSpeedFeedback1Page"));
    const UserData after = w.doc.Record();
    QCOMPARE(w.stack->count(), 1);
    QCOMPARE(w.stack->undoText(), QStringLiteral("Quadrature encoder"));

    w.stack->undo();
    QVERIFY(SameRecord(w.doc.Record(), before));
    QCOMPARE(PageClass(w.sheet, CMainSheet::SlotSpeedFeedback),
             QStringLiteral("CSpeedFeedback3Page"));
    QVERIFY(!ButtonNamed(w.sheet->Page(CMainSheet::SlotConfiguration),
                         QStringLiteral("Quadrature encoder"))
                 ->isChecked());

    w.stack->redo();
    QVERIFY(SameRecord(w.doc.Record(), after));
    QCOMPARE(PageClass(w.sheet, CMainSheet::SlotSpeedFeedback),
             QStringLiteral("CSpeedFeedback1Page"));
    // A new project stays modified whatever is undone: it was never saved.
    w.stack->undo();
    QVERIFY(w.doc.IsModified());
  }

  void commitThatChangesNothingIsNoStep() {
    Window w;
    w.doc.OnNewDocument();
    w.SetPwm(QStringLiteral("20000"));
    QCOMPARE(w.stack->count(), 1);
    w.SetPwm(QStringLiteral("20000"));
    QCOMPARE(w.stack->count(), 1);
  }

  // An edit made outside the pages (an import) is one step too, and the
  // sheet follows it both ways.
  void outsideEditIsOneStepAndTheSheetFollows() {
    Window w;
    w.doc.OnNewDocument();
    const UserData before = w.doc.Record();
    UserData encoder = before;
    encoder.NoSpeedSensors = 0;
    encoder.QuadratureEncoder = 1;
    int changes = 0;
    connect(&w.doc, &CTORVIODoc::recordChanged, [&changes] { ++changes; });
    w.doc.SetRecord(encoder, QStringLiteral("Import"));
    QCOMPARE(w.stack->count(), 1);
    QCOMPARE(w.Undo()->text(), QStringLiteral("&Undo Import"));
    QCOMPARE(PageClass(w.sheet, CMainSheet::SlotSpeedFeedback),
             QStringLiteral("CSpeedFeedback1Page"));
    QVERIFY(w.doc.IsModified());
    w.Undo()->trigger();
    QVERIFY(SameRecord(w.doc.Record(), before));
    QCOMPARE(PageClass(w.sheet, CMainSheet::SlotSpeedFeedback),
             QStringLiteral("CSpeedFeedback3Page"));
    QCOMPARE(changes, 2);
  }

  void newAndOpenClearTheHistory() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("p.tvd"));
    Window w;
    w.doc.OnNewDocument();
    QVERIFY(w.doc.OnSaveDocument(path));
    w.SetPwm(QStringLiteral("16000"));
    QCOMPARE(w.stack->count(), 1);
    w.doc.OnNewDocument();
    QCOMPARE(w.stack->count(), 0);
    QVERIFY(!w.Undo()->isEnabled());
    w.SetPwm(QStringLiteral("18000"));
    QCOMPARE(w.stack->count(), 1);
    QVERIFY(w.doc.OnOpenDocument(path));
    QCOMPARE(w.stack->count(), 0);
    QVERIFY(!w.doc.IsModified());
    QCOMPARE(w.frame.windowTitle(), QStringLiteral("p.tvd - TORVIO"));
    // Opened: undoing the first edit reaches the loaded state again.
    w.SetPwm(QStringLiteral("18000"));
    QVERIFY(w.doc.IsModified());
    w.stack->undo();
    QVERIFY(!w.doc.IsModified());
  }

  // Tools Options is no step of its own: once the output folder changed,
  // undoing every edit must not clear the modified flag, or the new folder
  // would be lost without a question on close.
  void outputFolderChangeKeepsTheProjectModified_data() {
    QTest::addColumn<bool>("folderFirst");
    QTest::newRow("folder, then an edit") << true;
    QTest::newRow("an edit, then the folder") << false;
  }

  void outputFolderChangeKeepsTheProjectModified() {
    QFETCH(bool, folderFirst);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("p.tvd"));
    Window w;
    w.doc.OnNewDocument();
    QVERIFY(w.doc.OnSaveDocument(path));
    const auto changeFolder = [&] {
      QTimer::singleShot(0, [&] {
        auto *dialog = qobject_cast<COptionsDlg *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        dialog->OutputEdit()->setText(dir.path());
        dialog->accept();
      });
      OptionsCommand(w.doc, &w.frame);
    };
    if (folderFirst)
      changeFolder();
    w.SetPwm(QStringLiteral("20000"));
    if (!folderFirst)
      changeFolder();
    QCOMPARE(ReadFolders().outputDir, dir.path() + u'/');
    w.Undo()->trigger();
    QCOMPARE(w.doc.Record().PWMFrequency.Value, 14400u);
    QVERIFY(w.doc.IsModified());
    QCOMPARE(w.frame.windowTitle(), QStringLiteral("p.tvd* - TORVIO"));
    // Saving makes this the state to come back to.
    QVERIFY(w.doc.OnSaveDocument(path));
    w.Redo()->trigger();
    w.Undo()->trigger();
    QVERIFY(!w.doc.IsModified());
  }

  void chartFollowsCommitsAndUndo() {
    Window w;
    w.doc.OnNewDocument();
    w.frame.Action(ID_TOOLS_MMI_CHART)->trigger();
    MmiChartWindow *chart = w.frame.ChartWindow();
    QVERIFY(chart);
    QTRY_VERIFY_WITH_TIMEOUT(!chart->Busy() && chart->Shown().inputs == MmiInputsOf(w.doc.Record()),
                             kChartTimeoutMs);
    const UserData before = w.doc.Record();
    w.SetPwm(QStringLiteral("20000"));
    QTRY_VERIFY_WITH_TIMEOUT(!chart->Busy() && chart->Shown().inputs.pwmFrequency == 20000u,
                             kChartTimeoutMs);
    w.stack->undo();
    QTRY_VERIFY_WITH_TIMEOUT(!chart->Busy() &&
                                 chart->Shown().inputs.pwmFrequency == before.PWMFrequency.Value,
                             kChartTimeoutMs);
    // Drawing never touched the project.
    QVERIFY(SameRecord(w.doc.Record(), before));
  }

  // Tools > Controller Analysis follows what is typed on a page and its undo, and the
  // window's close button leaves the program working. 15000 rad/s at 14.4 kHz makes
  // both current loops unstable.
  void analysisFollowsCommitsAndUndo() {
    Window w;
    w.doc.OnNewDocument();
    QMenu *tools = w.frame.menuBar()->actions().at(2)->menu();
    QVERIFY(tools->actions().contains(w.frame.Action(ID_TOOLS_ANALYSIS)));
    w.frame.Action(ID_TOOLS_ANALYSIS)->trigger();
    ControllerAnalysisWindow *analysis = w.frame.AnalysisWindow();
    QVERIFY(analysis && analysis->isVisible());
    QCOMPARE(analysis->windowTitle(), QStringLiteral("Controller Analysis - TORVIO"));
    QCOMPARE(analysis->Shown().loops.at(0).level, parvex::analysis::Level::Ok);
    const UserData before = w.doc.Record();

    w.sheet->setCurrentWidget(w.sheet->Page(CMainSheet::SlotControlSettings));
    NumericField *cutOff = FieldNamed(w.sheet->Page(CMainSheet::SlotControlSettings),
                                      QStringLiteral("Cut-off frequency (rad/s)"));
    QVERIFY(cutOff);
    TypeAndCommit(cutOff, QStringLiteral("15000"));
    QCOMPARE(analysis->Shown().scaling.cutOff, 15000.0);
    QVERIFY(!analysis->Shown().loops.at(0).stable);
    QCOMPARE(analysis->Shown().loops.at(0).level, parvex::analysis::Level::Flag);

    w.stack->undo();
    QCOMPARE(analysis->Shown().scaling.cutOff, 6000.0);
    QCOMPARE(analysis->Shown().loops.at(0).level, parvex::analysis::Level::Ok);
    QVERIFY(SameRecord(w.doc.Record(), before));

    QVERIFY(analysis->close());
    QTRY_VERIFY(!w.frame.AnalysisWindow());
    w.stack->redo(); // no window to tell
    w.frame.Action(ID_TOOLS_ANALYSIS)->trigger();
    QVERIFY(w.frame.AnalysisWindow());
    QCOMPARE(w.frame.AnalysisWindow()->Shown().scaling.cutOff, 15000.0);
  }

  void compareWithListsTheDifferences() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("other.tvd"));
    Window w;
    w.doc.OnNewDocument();
    QVERIFY(w.doc.OnSaveDocument(path));
    w.SetPwm(QStringLiteral("20000"));
    test::ScriptedPrompter prompter;
    prompter.fileNames.push_back(path);
    QString shown;
    test::OnNextModal([&shown](QWidget *dialog) {
      if (auto *list = dialog->findChild<QPlainTextEdit *>())
        shown = list->toPlainText();
      dialog->close();
    });
    w.frame.Action(ID_FILE_COMPARE)->trigger();
    QVERIFY2(shown.split(u'\n').contains(
                 QStringLiteral("CONTROLSETTINGS/DRIVINGSETTINGS/PWMFrequency: 20000 -> 14400")),
             qPrintable(shown));
  }

private:
  test::TemporarySettings settings_;
};

QTEST_MAIN(TestProjectHistory)
#include "ProjectHistoryTest.moc"
