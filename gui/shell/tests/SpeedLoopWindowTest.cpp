// The speed loop in the program: the mechanics typed into Controller
// Analysis belong to the project (saved beside it, reopened, exported and
// imported), the window says in one line when there are none, and the
// designed gains are applied as one undo step.
#include "DocumentTestAccess.h"
#include "ShellTestSupport.h"
#include "analysis/ControllerAnalysisWindow.h"
#include "analysis/SpeedDesignDialog.h"
#include "analysis/SpeedPanel.h"
#include "history/ProjectHistory.h"
#include "shell/CMainFrame.h"
#include "shell/CTORVIODoc.h"
#include "strings/StringTable.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QUndoStack>
#include <QtTest>

using namespace torvio;
using torvio::test::ScriptedPrompter;

namespace {

using Window = test::MainWindow;

ControllerAnalysisWindow *OpenAnalysis(Window &w) {
  w.frame.Action(ID_TOOLS_ANALYSIS)->trigger();
  return w.frame.AnalysisWindow();
}

} // namespace

class TestSpeedLoopWindow : public QObject {
  Q_OBJECT

private slots:
  void initTestCase() { QLocale::setDefault(QLocale::c()); }
  void init() { settings_.Clear(); }

  // No inertia: one line says so, and no row or finding of the speed loop.
  // Typed into the window, the mechanics are the project's: it is modified,
  // the loop analysed.
  void mechanicsTypedInTheWindowBelongToTheProject() {
    Window w;
    w.doc.OnNewDocument();
    DocumentTestAccess::SetModified(w.doc, false);
    ControllerAnalysisWindow *analysis = OpenAnalysis(w);
    QVERIFY(analysis);
    SpeedPanel *speed = analysis->Speed();
    QCOMPARE(speed->Status()->text(),
             QStringLiteral("No inertia given: the speed loop is not analysed."));
    QVERIFY(!speed->DesignButton()->isEnabled());
    QVERIFY(analysis->Shown().speed.level == parvex::analysis::Level::Ok);

    test::TypeOver(speed->InertiaEdit(), QStringLiteral("2e-5"));
    QTest::keyClick(speed->InertiaEdit(), Qt::Key_Return);
    QVERIFY(w.doc.Mechanics());
    QCOMPARE(w.doc.Mechanics()->inertia, 2e-5);
    QVERIFY(w.doc.IsModified());
    QVERIFY(analysis->Shown().speed.analysed);
    QVERIFY(speed->Status()->text().startsWith(QStringLiteral("Speed loop: period 2 ms")));
    QVERIFY(speed->DesignButton()->isEnabled());
    QVERIFY(speed->Figures()->rowCount() > 5);
  }

  // Saved beside the project, reopened, carried by Export and Import.
  void mechanicsSurviveSaveReopenExportAndImport() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("motor.tvd"));
    const QString json = dir.filePath(QStringLiteral("motor.json"));
    CTORVIODoc doc;
    doc.OnNewDocument();
    doc.SetMechanics(parvex::Mechanics{2e-5, 1e-6, 0.01});
    QVERIFY(doc.OnSaveDocument(path));
    QVERIFY(QFileInfo::exists(path + QStringLiteral(".mechanics")));
    doc.OnNewDocument();
    QVERIFY(!doc.Mechanics());
    QVERIFY(doc.OnOpenDocument(path));
    QVERIFY(doc.Mechanics());
    QCOMPARE(doc.Mechanics()->loadTorque, 0.01);

    Window w;
    w.doc.OnOpenDocument(path);
    ScriptedPrompter prompts;
    prompts.fileNames = {json, json};
    w.frame.Action(ID_FILE_EXPORT)->trigger();
    w.doc.OnNewDocument();
    QVERIFY(!w.doc.Mechanics());
    // The defaults' one change by the check (Ld's maximum) shows in the log.
    test::OnNextModal([](QWidget *log) { log->close(); });
    w.frame.Action(ID_FILE_IMPORT)->trigger();
    QVERIFY(w.doc.Mechanics());
    QCOMPARE(w.doc.Mechanics()->friction, 1e-6);
  }

  // A value typed and not yet entered counts when the window closes.
  void typedInertiaCountsWhenTheWindowCloses() {
    Window w;
    w.doc.OnNewDocument();
    ControllerAnalysisWindow *analysis = OpenAnalysis(w);
    test::TypeOver(analysis->Speed()->InertiaEdit(), QStringLiteral("3e-5"));
    analysis->close();
    QVERIFY(w.doc.Mechanics());
    QCOMPARE(w.doc.Mechanics()->inertia, 3e-5);
  }

  // Apply enters the four speed gains as one undo step; Enter in the
  // bandwidth field designs again and does not apply.
  void designAppliedIsOneUndoStep() {
    Window w;
    w.doc.OnNewDocument();
    w.doc.SetMechanics(parvex::Mechanics{2e-5, 0, 0});
    ControllerAnalysisWindow *analysis = OpenAnalysis(w);
    const UserData before = w.doc.Record();
    QUndoStack *stack = w.frame.History()->Stack();
    const int steps = stack->count();
    QString proposedText;
    test::OnNextModal([&](QWidget *modal) {
      auto *dialog = qobject_cast<SpeedDesignDialog *>(modal);
      QVERIFY(dialog);
      dialog->BandwidthEdit()->setText(QStringLiteral("60"));
      dialog->BandwidthEdit()->setFocus();
      QTest::keyClick(dialog->BandwidthEdit(), Qt::Key_Return);
      QVERIFY(dialog->isVisible());
      QVERIFY(dialog->Summary()->text().contains(QStringLiteral("crossover at 60 rad/s")));
      proposedText = dialog->Comparison()->item(0, 1)->text();
      dialog->ApplyButton()->click();
    });
    analysis->Speed()->DesignButton()->click();
    QCOMPARE(stack->count(), steps + 1);
    QCOMPARE(w.frame.Action(ID_EDIT_UNDO)->text(), QStringLiteral("&Undo Design Speed Gains"));
    const UserData &after = w.doc.Record();
    QCOMPARE(QStringLiteral("%1/%2").arg(after.SpeedPDividend.Value).arg(after.SpeedPDivisor.Value),
             proposedText);
    QVERIFY(after.SpeedIDividend.Value != before.SpeedIDividend.Value);
    QVERIFY(std::abs(analysis->Shown().speed.crossover - 60.0) < 6.0);
    stack->undo();
    QCOMPARE(w.doc.Record().SpeedPDividend.Value, before.SpeedPDividend.Value);
    QCOMPARE(w.doc.Record().SpeedIDivisor.Value, before.SpeedIDivisor.Value);
  }

private:
  test::TemporarySettings settings_;
};

QTEST_MAIN(TestSpeedLoopWindow)
#include "SpeedLoopWindowTest.moc"
