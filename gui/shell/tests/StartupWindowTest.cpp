// The start-up simulation in the program: opened from the Tools menu, it
// says in one line what it lacks, takes the mechanics as the project's,
// follows every edit of the record and of the mechanics, and takes a typed
// rotor angle; a motor with a speed sensor is said so.
#include "analysis/StartupWindow.h"
#include "DocumentTestAccess.h"
#include "ShellTestSupport.h"
#include "analysis/MechanicsFields.h"
#include "shell/CMainFrame.h"
#include "shell/CTORVIODoc.h"
#include "strings/StringTable.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QListWidget>
#include <QMenuBar>
#include <QTableWidget>
#include <QtTest>

using namespace torvio;

namespace {

using Window = test::MainWindow;

StartupWindow *OpenStartup(Window &w) {
  w.frame.Action(ID_TOOLS_STARTUP)->trigger();
  return w.frame.StartupSimulation();
}

QStringList Findings(const StartupWindow *s) {
  QStringList texts;
  for (int i = 0; i < s->Findings()->count(); ++i)
    texts << s->Findings()->item(i)->text();
  return texts;
}

} // namespace

class TestStartupWindow : public QObject {
  Q_OBJECT

private slots:
  void initTestCase() { QLocale::setDefault(QLocale::c()); }
  void init() { settings_.Clear(); }

  // In the Tools menu beside Controller Analysis. Without an inertia one
  // line says so; typed into the window, the mechanics are the project's
  // and the start-up is simulated, figures, findings and charts filled.
  void mechanicsTypedHereAreTheProjects() {
    Window w;
    w.doc.OnNewDocument();
    DocumentTestAccess::SetModified(w.doc, false);
    QAction *action = w.frame.Action(ID_TOOLS_STARTUP);
    QCOMPARE(action->text(), QStringLiteral("&Start-up Simulation..."));
    StartupWindow *s = OpenStartup(w);
    QVERIFY(s);
    QCOMPARE(s->windowTitle(), QStringLiteral("Start-up Simulation - TORVIO"));
    QTRY_VERIFY(!s->Busy());
    QCOMPARE(s->Status()->text(),
             QStringLiteral("No inertia given: the start-up is not simulated."));
    QCOMPARE(s->Results()->rowCount(), 0);

    test::TypeOver(s->Mechanics()->Inertia(), QStringLiteral("2e-5"));
    QTest::keyClick(s->Mechanics()->Inertia(), Qt::Key_Return);
    QVERIFY(w.doc.Mechanics());
    QCOMPARE(w.doc.Mechanics()->inertia, 2e-5);
    QVERIFY(w.doc.IsModified());
    QTRY_VERIFY(!s->Busy() && s->Shown().notSimulated.empty());
    QVERIFY(s->Status()->text().startsWith(QStringLiteral("Sensorless start-up: J 2e-05")));
    QVERIFY(s->Results()->rowCount() >= 6);
    // The defaults start without alignment: from the worst case the rotor
    // is not caught, and the finding says what to turn on.
    QVERIFY(
        Findings(s).join(u'\n').contains(QStringLiteral("turn on IncludeAlignmentBeforeStartUp")));
    QCOMPARE(s->RotorAngle()->placeholderText(), QStringLiteral("worst case, 269"));
    QVERIFY(s->Speeds().second->count() > 100);
    QVERIFY(s->Currents().first->count() > 100);
  }

  // An edit of the record, and mechanics entered elsewhere, simulate again;
  // a typed rotor angle is the one simulated.
  void followsEditsAndTheTypedAngle() {
    Window w;
    w.doc.OnNewDocument();
    w.doc.SetMechanics(parvex::Mechanics{2e-5, 1e-4, 0});
    StartupWindow *s = OpenStartup(w);
    QTRY_VERIFY(!s->Busy() && s->Shown().notSimulated.empty());
    QCOMPARE(s->Shown().rotorAngle, 269.0);

    test::TypeOver(s->RotorAngle(), QStringLiteral("90"));
    QTest::keyClick(s->RotorAngle(), Qt::Key_Return);
    QTRY_VERIFY(!s->Busy() && s->Shown().rotorAngle == 90.0);
    QVERIFY(s->Shown().converged);
    QVERIFY(Findings(s).contains(QStringLiteral("Nothing flagged.")));
    // The switch is marked on the speed chart.
    QCOMPARE(s->Speeds().marker->count(), 2);

    UserData slow = w.doc.Record();
    slow.SpeedRampFinalValue.Value = 50;
    w.doc.SetRecord(slow, QStringLiteral("Slow ramp"));
    QTRY_VERIFY(!s->Busy() && !s->Shown().converged);
    QVERIFY(Findings(s).join(u'\n').contains(QStringLiteral("raise SpeedRampFinalValue")));
    QCOMPARE(s->Speeds().marker->count(), 0);

    w.doc.SetMechanics(parvex::Mechanics{2e-2, 1e-4, 0});
    QTRY_VERIFY(!s->Busy() && s->Shown().mechanics.inertia == 2e-2);
    QCOMPARE(s->Mechanics()->Inertia()->text(), QStringLiteral("0.02"));
  }

  // A value typed and not yet entered counts when the window closes.
  void typedInertiaCountsWhenTheWindowCloses() {
    Window w;
    w.doc.OnNewDocument();
    StartupWindow *s = OpenStartup(w);
    test::TypeOver(s->Mechanics()->Inertia(), QStringLiteral("3e-5"));
    s->close();
    QVERIFY(w.doc.Mechanics());
    QCOMPARE(w.doc.Mechanics()->inertia, 3e-5);
  }

  // With an encoder and no observer tuned beside it there is nothing to
  // start: one line says so.
  void aSpeedSensorIsSaidInOneLine() {
    Window w;
    w.doc.OnNewDocument();
    w.doc.SetMechanics(parvex::Mechanics{2e-5, 0, 0});
    UserData encoder = w.doc.Record();
    encoder.NoSpeedSensors = 0;
    encoder.QuadratureEncoder = 1;
    encoder.EnableObserverGainTuning = 0;
    w.doc.SetRecord(encoder, QStringLiteral("Encoder"));
    StartupWindow *s = OpenStartup(w);
    QTRY_VERIFY(!s->Busy() && !s->Shown().notSimulated.empty());
    QVERIFY(s->Status()->text().startsWith(QStringLiteral("A speed sensor drives the motor")));
    QVERIFY(!s->Status()->text().contains(u'\n'));
    QCOMPARE(s->Results()->rowCount(), 0);
  }

private:
  test::TemporarySettings settings_;
};

QTEST_MAIN(TestStartupWindow)
#include "StartupWindowTest.moc"
