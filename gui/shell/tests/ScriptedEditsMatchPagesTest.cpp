// The same edits, made by a user on the pages and by torvio-gen --set,
// give the same project file byte for byte: limits, integer truncation,
// the consistency check after each setting and the options of a group.
#include "ProjectStore.h"
#include "ScriptedEdit.h"
#include "ShellTestSupport.h"
#include "pages/NumericField.h"
#include "shell/CMainFrame.h"
#include "shell/CMainSheet.h"
#include "shell/CTORVIODoc.h"
#include "shell/CTORVIOView.h"
#include "shell/PathBytes.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QtTest>

using namespace torvio;
using torvio::test::ScriptedPrompter;

namespace {

struct Window : test::MainWindow {
  // Clicks into the field and types over its text; `then` commits it as
  // the user does next (Enter, Tab, or nothing: a later click elsewhere).
  void Type(CMainSheet::Slot slot, const QString &name, const QString &text,
            Qt::Key then = Qt::Key_unknown) {
    NumericField *f = Find<NumericField>(slot, name);
    QVERIFY2(f, qPrintable(name));
    QVERIFY2(f->isEnabled(), qPrintable(name));
    test::TypeOver(f, text);
    if (then != Qt::Key_unknown)
      QTest::keyClick(f, then);
  }
  void Click(CMainSheet::Slot slot, const QString &name) {
    QAbstractButton *b = Find<QAbstractButton>(slot, name);
    QVERIFY2(b, qPrintable(name));
    QTest::mouseClick(b, Qt::LeftButton);
  }
  void Press(CMainSheet::Slot slot, const QString &name, Qt::Key key) {
    QWidget *w = Find<QWidget>(slot, name);
    QVERIFY2(w, qPrintable(name));
    w->setFocus(Qt::TabFocusReason);
    QTest::keyClick(w, key);
  }
};

} // namespace

class TestScriptedEditsMatchPages : public QObject {
  Q_OBJECT

private slots:
  void initTestCase() { QLocale::setDefault(QLocale::c()); }
  void init() { settings_.Clear(); }

  void sameEditsSameBytes() {
    QTemporaryDir dir;
    const QString byPages = dir.filePath(QStringLiteral("pages.tvd"));
    const QString byScript = dir.filePath(QStringLiteral("script.tvd"));
    ScriptedPrompter prompter;
    prompter.fileNames = {byPages};

    Window w;
    w.doc.OnNewDocument();
    QVERIFY(w.Show());
    using S = CMainSheet;
    w.Click(S::SlotConfiguration, QStringLiteral("Hall sensors"));
    w.Press(S::SlotConfiguration,
            QStringLiteral("Internal PMSM Maximum-Torque-per-Ampere strategy"), Qt::Key_Space);
    w.Click(S::SlotConfiguration, QStringLiteral("Single shunt resistor"));
    w.Type(S::SlotMotorAndHw, QStringLiteral("R (Ohm)"), QStringLiteral("0.8"), Qt::Key_Return);
    w.Type(S::SlotMotorAndHw, QStringLiteral("Ld (mH)"), QStringLiteral("0.3"), Qt::Key_Tab);
    w.Type(S::SlotMotorAndHw, QStringLiteral("Pole pairs"), QStringLiteral("3.7"));
    // The click into the next field commits the pole pairs.
    w.Type(S::SlotMotorAndHw, QStringLiteral("Rated current (A 0-peak)"), QStringLiteral("1.5"),
           Qt::Key_Return);
    // The same value again: the field commits nothing.
    w.Type(S::SlotMotorAndHw, QStringLiteral("Ke (Vrms/krpm)"), QStringLiteral("4.0"),
           Qt::Key_Return);
    w.Type(S::SlotControlSettings, QStringLiteral("Speed P divisor"), QStringLiteral("100"),
           Qt::Key_Return);
    w.Press(S::SlotControlSettings, QStringLiteral("Speed regulation control rate (ms)"),
            Qt::Key_Down);
    w.Type(S::SlotSpeedFeedback, QStringLiteral("Min mechanical speed (rpm)"),
           QStringLiteral("500"), Qt::Key_Return);
    w.Click(S::SlotSpeedFeedback, QStringLiteral("60 degrees"));
    w.Press(S::SlotCurrentSensing, QStringLiteral("A/D converter sampling time (ns)"),
            Qt::Key_Down);
    w.Type(S::SlotCurrentSensing, QStringLiteral("T Rise (ns)"), QStringLiteral("3000.9"));
    QTest::keyClick(w.frame.windowHandle(), Qt::Key_S, Qt::ControlModifier);
    QVERIFY(prompter.messages.empty());

    UserData record{};
    PARVEX_SetDefault(&record);
    const torvio::Status applied = scripting::ApplyAssignments(
        record, {
                    "CONFIGURATION/SPEEDFEEDBACK/HallSensors=TRUE",
                    "CONFIGURATION/FOCMETHODS/InternalPMSMMaximunTxAStrategy=TRUE",
                    "CONFIGURATION/CURRENTSENSINGTECHNIQUE/SingleShuntResistor=TRUE",
                    "MOTORANDHW/MOTORCHARACTERISTICS/R=0.8",
                    "MOTORANDHW/MOTORCHARACTERISTICS/Ld=0.3",
                    "MOTORANDHW/MOTORCHARACTERISTICS/PolePairs=3.7",
                    "MOTORANDHW/MOTORCHARACTERISTICS/RatedCurrent=1.5",
                    "MOTORANDHW/MOTORCHARACTERISTICS/Ke=4.0",
                    "CONTROLSETTINGS/SPEEDCONTROLLER/SpeedPDivisor=100",
                    "CONTROLSETTINGS/SPEEDREGULATIONCONTROLRATE/SpeedRegulationControlRate=5",
                    "SPEEDFEEDBACK/SPEEDMEASUREMENTERRORSMANAGEMENT/MinMechanicalSpeed=500",
                    "SPEEDFEEDBACK/HALLSENSORSPLACEMENT/Hall60Degrees=TRUE",
                    "CURRENTSENSING/ADCONVERTERSAMPLINGTIME/ADConverterSamplingTime=700",
                    "CURRENTSENSING/NOISEPARAMETERS/Trise=3000.9",
                });
    QVERIFY2(applied.ok(), applied.error().c_str());
    QVERIFY(SaveProject(PathBytes(byScript), record, std::string(), std::nullopt).ok());

    // The edits took effect (the file is no default project).
    QCOMPARE(record.PolePairs.Value, 3u);
    QCOMPARE(record.SpeedPDivisor.Value, 64u);
    QCOMPARE(record.Trise.Value, 3000u);
    QCOMPARE(record.ADConverterSamplingTime, 700u);
    QCOMPARE(test::ReadAll(byPages), test::ReadAll(byScript));
  }

private:
  torvio::test::TemporarySettings settings_;
};

QTEST_MAIN(TestScriptedEditsMatchPages)
#include "ScriptedEditsMatchPagesTest.moc"
