// The sensorless observer page, main and auxiliary: each field's label,
// frame, member, conversion (K1 and K2 signed) and check, each writing its
// own side's member only; the gains rule and what the manual-editing box
// recomputes; the dependent fields; the tooltip with its description; the
// Tab chains. Where the sides differ it is said per side: the main page has
// the alignment fields and their rule and shares them, with the error count,
// with the encoder page; the auxiliary page has no alignment fields, shows
// the speed threshold among the error settings, has the start-up rule and a
// Tab chain that follows id order and ends on the page.
#include "SpeedFeedbackSides.h"
#include "pages/CConfigurationPage.h"

#include <QLabel>

namespace {

using P = CSpeedFeedbackPage;
using parvex::ParamPart;

PageKind ObserverPage(Side side) {
  return PageOf(Sensor::Observer, side);
}

const char *kDescription = "MINIMUM MECHANICAL SPEED TO VALIDATE THE CLOSED LOOP";

// Main sensor: 0 encoder, 1 Hall, 2 none.
void SetMainSensor(UserData &d, int sensor) {
  d.QuadratureEncoder = sensor == 0;
  d.HallSensors = sensor == 1;
  d.NoSpeedSensors = sensor == 2;
}

// The record as the sheet has it when it shows the page: the main page
// while the motor runs sensorless (the default); the auxiliary one beside an
// encoder with the observer's gain tuning on.
void ShowObserver(UserData &d, Side side) {
  if (side == Side::Aux) {
    SetMainSensor(d, 0);
    d.EnableObserverGainTuning = 1;
  }
}

// Every field in use: the gains entered by hand and, on the main page, the
// alignment included. Sensorless, so the auxiliary start-up fields are in
// use too.
void AllFieldsInUse(UserData &d, Side side) {
  Write(d, side, "GainsComputation", 0);
  if (side == Side::Main)
    d.IncludeAlignmentBeforeStartUp = 1;
}

const int kAuxStartUpFields[] = {1015, 1016, 1017, 1018, 1019, 1020, 1021, 1022, 1023};

} // namespace

class SpeedFeedbackObserverPageTest : public QObject {
  Q_OBJECT

private slots:
  void commits_data() {
    AddCommitColumns();
    const char *startUp = "Start-up settings";
    const char *errors = "Speed measurement errors management";
    const char *alignment = "Alignment settings";
    for (Side side : kSides) {
      const auto row = [side](const char *tag, int id, const char *name, const char *frame,
                              const char *setting, const char *typed, double stored, bool check,
                              double kept) {
        NewRow(side, QString::fromUtf8(tag))
            << id << QString::fromUtf8(name) << QString::fromUtf8(frame)
            << QString::fromUtf8(setting) << QString::fromUtf8(typed) << stored << check << kept;
      };
      row("speed ramp duration", 1015, "Speed ramp duration (ms)", startUp, "SpeedRampDuration",
          "2000.9", 2000, true, 1500);
      row("speed ramp final", 1016, "Speed ramp final value (rpm)", startUp, "SpeedRampFinalValue",
          "3000", 3000, false, 2700);
      row("speed ramp final fraction", 1016, "Speed ramp final value (rpm)", startUp,
          "SpeedRampFinalValue", "3000.5", 3000, false, 2700);
      row("current ramp duration", 1019, "Current ramp duration (ms)", startUp,
          "CurrentRampDuration", "400", 400, false, 350);
      row("current ramp initial", 1017, "Current ramp initial value (A)", startUp,
          "CurrentRampInitialValue", "0.55", 0.55, true, 0.6);
      row("current ramp final", 1018, "Current ramp final value (A)", startUp,
          "CurrentRampFinalValue", "1.5", 1.5, true, 0.7);
      row("consistency", 1020, "Consinstency threshold", startUp, "ConsinstencyThreshold", "80", 80,
          false, 60);
      // The auxiliary page shows the speed threshold among the error settings.
      row("speed threshold", 1022, "Speed threshold (rpm)", side == Side::Main ? startUp : errors,
          "MinimumSpeed", "600.5", 600, false, 580);
      row("variance", 1021, "Variance threshold (%)", errors, "VarianceThreshold", "12.5", 12.5,
          false, 6.25);
      row("errors", 1023, "Max errors number", errors, "MaxErrorsNumber", "4", 4, false, 3);
      if (side == Side::Main) {
        row("alignment duration", 1024, "Duration (ms)", alignment, "AlignmentDuration", "900", 900,
            false, 700);
        row("alignment angle", 1025, "Alignment angle (deg)", alignment, "AlignmentAngle", "270",
            270, false, 90);
        row("alignment current", 1026, "Current (A 0-peak)", alignment, "AlignmentCurrent", "1.25",
            1.25, false, 1.95);
      }
      row("K1", 1027, "K1", "Observer", "K1", "-300", -300, false, -21162);
      row("K1 fraction", 1027, "K1", "Observer", "K1", "-300.9", -300, false, -21162);
      row("K2", 1028, "K2", "Observer", "K2", "123456", 123456, false, 70929);
      row("K2 negative", 1028, "K2", "Observer", "K2", "-7", -7, false, 70929);
      row("PLL P", 1029, "PLL P dividend", "PLL", "PLLPDividend", "300", 300, false, 266);
      row("PLL I", 1031, "PLL I dividend", "PLL", "PLLIDividend", "40", 40, false, 52);
    }
  }

  void commits() { CheckCommit(Sensor::Observer, AllFieldsInUse, false); }

  void labelsOfTheGainRows_data() {
    AddSideColumn();
    for (Side side : kSides)
      NewRow(side, QStringLiteral("gains"));
  }

  void labelsOfTheGainRows() {
    QFETCH(Side, side);
    FakePageHost host;
    P page(&host, ObserverPage(side));
    QCOMPARE(page.Label(1027)->text(), QStringLiteral("K1"));
    QCOMPARE(page.Label(1028)->text(), QStringLiteral("K2"));
    QCOMPARE(page.Label(1029)->text(), QStringLiteral("/"));
    QCOMPARE(page.Label(1030)->text(), QStringLiteral("P"));
    QCOMPARE(page.Label(1031)->text(), QStringLiteral("/"));
    QCOMPARE(page.Label(1032)->text(), QStringLiteral("I"));
    QCOMPARE(page.Button(1004)->text(), QStringLiteral("Include alignment before start-up"));
    QCOMPARE(FrameOf(page.Button(1004)), QString());
    QCOMPARE(page.Button(1005)->text(), QStringLiteral("Manual editing enabled"));
    QCOMPARE(FrameOf(page.Button(1005)), QStringLiteral("A priori computed gains"));
    QCOMPARE(FrameOf(page.Group("observer")), QStringLiteral("A priori computed gains"));
    QCOMPARE(FrameOf(page.Group("pll")), QStringLiteral("A priori computed gains"));
  }

  void noAuxAlignmentFields() {
    FakePageHost host;
    P page(&host, PageKind::AuxSpeedFeedback3);
    for (int id : {1024, 1025, 1026})
      QVERIFY(!page.Control(id));
    QVERIFY(!page.Group("alignment"));
    QCOMPARE(FrameOf(page.Field(1022)), QStringLiteral("Speed measurement errors management"));
    QCOMPARE(FrameOf(page.Field(1020)), QStringLiteral("Start-up settings"));
    QCOMPARE(page.Button(1004)->text(), QStringLiteral("Include alignment before start-up"));
  }

  void signedGainShowsSignedAfterReactivation_data() {
    AddSideColumn();
    for (Side side : kSides)
      NewRow(side, QStringLiteral("K1 -300"));
  }

  void signedGainShowsSignedAfterReactivation() {
    QFETCH(Side, side);
    FakePageHost host;
    P page(&host, ObserverPage(side));
    page.OnSetActive();
    QCOMPARE(page.Field(1027)->text(), QStringLiteral("-21162"));
    page.Button(1005)->click();
    TypeAndCommit(page.Field(1027), QStringLiteral("-300"));
    QCOMPARE(Read(host.data, side, "K1"), -300.0);
    page.OnSetActive();
    QCOMPARE(page.Field(1027)->text(), QStringLiteral("-300"));
    QCOMPARE(page.Field(1027)->Min(), -2147483648.0);
    QCOMPARE(page.Field(1027)->Max(), 2147483647.0);
  }

  void defaultGainsAreComputedAndGrey_data() {
    AddSideColumn();
    for (Side side : kSides)
      NewRow(side, QStringLiteral("as the sheet shows it"));
  }

  void defaultGainsAreComputedAndGrey() {
    QFETCH(Side, side);
    FakePageHost host;
    ShowObserver(host.data, side);
    P page(&host, ObserverPage(side));
    page.OnSetActive();
    QVERIFY(!page.Button(1005)->isChecked());
    for (int id : {1027, 1028, 1029, 1030, 1031, 1032}) {
      QVERIFY(!page.Field(id)->isEnabled());
      QCOMPARE(page.Field(id)->TextColor(), kGrey);
    }
    QCOMPARE(page.Field(1028)->text(), QStringLiteral("70929"));
    QCOMPARE(page.Field(1029)->text(), QStringLiteral("266"));
    QCOMPARE(page.Field(1030)->text(), QStringLiteral("16384"));
    QCOMPARE(page.Field(1031)->text(), QStringLiteral("52"));
    QCOMPARE(page.Field(1032)->text(), QStringLiteral("262144"));

    ArmCheckSentinel(host);
    page.Button(1005)->click();
    QCOMPARE(Read(host.data, side, "GainsComputation"), 0.0);
    QCOMPARE(Read(host.data, OtherSide(side), "GainsComputation"), 1.0);
    QVERIFY(CheckRan(host));
    for (int id : {1027, 1028, 1029, 1031}) {
      QVERIFY(page.Field(id)->isEnabled());
      QCOMPARE(page.Field(id)->TextColor(), kBlack);
    }
    for (int id : {1030, 1032}) {
      QVERIFY(!page.Field(id)->isEnabled());
      QCOMPARE(page.Field(id)->TextColor(), kGrey);
    }
    QCOMPARE(host.modified, 1);
  }

  void clearingManualEditingRecomputesAtOnce_data() {
    AddSideColumn();
    for (Side side : kSides)
      NewRow(side, QStringLiteral("as the sheet shows it"));
  }

  // Gains typed by hand stay while manual editing is on, on their side
  // only; clearing the box overwrites them with the computed ones, stored
  // and shown at once.
  void clearingManualEditingRecomputesAtOnce() {
    QFETCH(Side, side);
    FakePageHost host;
    ShowObserver(host.data, side);
    Write(host.data, side, "GainsComputation", 0);
    P page(&host, ObserverPage(side));
    page.OnSetActive();
    QVERIFY(page.Button(1005)->isChecked());
    TypeAndCommit(page.Field(1027), QStringLiteral("-300"));
    TypeAndCommit(page.Field(1028), QStringLiteral("5000"));
    TypeAndCommit(page.Field(1029), QStringLiteral("1000"));
    TypeAndCommit(page.Field(1031), QStringLiteral("7"));
    QCOMPARE(Read(host.data, side, "K1"), -300.0);
    QCOMPARE(Read(host.data, side, "K2"), 5000.0);
    QCOMPARE(Read(host.data, OtherSide(side), "K1"), -21162.0);
    page.OnSetActive();
    QCOMPARE(page.Field(1027)->text(), QStringLiteral("-300"));

    QString k1AtModified;
    host.onModified = [&] { k1AtModified = page.Field(1027)->text(); };
    page.Button(1005)->click();
    QCOMPARE(Read(host.data, side, "GainsComputation"), 1.0);
    QCOMPARE(Read(host.data, side, "K1"), -21162.0);
    QCOMPARE(k1AtModified, QStringLiteral("-21162"));
    QCOMPARE(page.Field(1027)->text(), QStringLiteral("-21162"));
    QCOMPARE(page.Field(1028)->text(), QStringLiteral("70929"));
    QCOMPARE(page.Field(1029)->text(), QStringLiteral("266"));
    QCOMPARE(page.Field(1031)->text(), QStringLiteral("52"));
    for (int id : {1027, 1028, 1029, 1031}) {
      QVERIFY(!page.Field(id)->isEnabled());
      QCOMPARE(page.Field(id)->TextColor(), kGrey);
    }
    // The other side's observer keeps its own gains.
    QCOMPARE(Read(host.data, OtherSide(side), "GainsComputation"), 1.0);
    QCOMPARE(host.modified, 5);
  }

  void speedRampDurationReloadsCurrentRampDuration_data() {
    AddSideColumn();
    for (Side side : kSides)
      NewRow(side, QStringLiteral("200 below 350"));
  }

  void speedRampDurationReloadsCurrentRampDuration() {
    QFETCH(Side, side);
    FakePageHost host;
    P page(&host, ObserverPage(side));
    page.OnSetActive();
    QCOMPARE(page.Field(1019)->text(), QStringLiteral("350"));
    TypeAndCommit(page.Field(1015), QStringLiteral("200"));
    QCOMPARE(Read(host.data, side, "CurrentRampDuration", ParamPart::Max), 200.0);
    QCOMPARE(page.Field(1019)->text(), QStringLiteral("200"));
    QCOMPARE(page.Field(1019)->Max(), 200.0);
    QCOMPARE(page.ToolTipText(1019), QStringLiteral("MIN = 1\nMAX = 200"));
    QCOMPARE(Read(host.data, OtherSide(side), "CurrentRampDuration"), 350.0);
  }

  void speedRampFinalValueReloadsNothing_data() {
    AddSideColumn();
    for (Side side : kSides)
      NewRow(side, QStringLiteral("2000"));
  }

  void speedRampFinalValueReloadsNothing() {
    QFETCH(Side, side);
    FakePageHost host;
    P page(&host, ObserverPage(side));
    page.OnSetActive();
    Write(host.data, side, "CurrentRampDuration", 100); // behind the page's back
    TypeAndCommit(page.Field(1016), QStringLiteral("2000"));
    QCOMPARE(page.Field(1019)->text(), QStringLiteral("350"));
  }

  void currentRampPairIsCoupled_data() {
    AddSideColumn();
    for (Side side : kSides)
      NewRow(side, QStringLiteral("1.2 then 0.9"));
  }

  // The ramp pair is coupled: a new initial value is the final value's new
  // lower limit, and both fields show it.
  void currentRampPairIsCoupled() {
    QFETCH(Side, side);
    FakePageHost host;
    P page(&host, ObserverPage(side));
    page.OnSetActive();
    TypeAndCommit(page.Field(1018), QStringLiteral("1.2"));
    QCOMPARE(page.Field(1017)->Max(), 1.2);
    TypeAndCommit(page.Field(1017), QStringLiteral("0.9"));
    QCOMPARE(page.Field(1018)->Min(), 0.9);
    QCOMPARE(page.ToolTipText(1018), QStringLiteral("MIN = 0.90\nMAX = 2.00"));
    QCOMPARE(page.ToolTipText(1017), QStringLiteral("MIN = 0.00\nMAX = 1.20"));
  }

  void includeAlignmentStoresWithoutCheck_data() {
    AddSideColumn();
    for (Side side : kSides)
      NewRow(side, QStringLiteral("sensorless"));
  }

  void includeAlignmentStoresWithoutCheck() {
    QFETCH(Side, side);
    FakePageHost host;
    P page(&host, ObserverPage(side));
    page.OnSetActive();
    ArmCheckSentinel(host);
    page.Button(1004)->click();
    QCOMPARE(Read(host.data, side, "IncludeAlignmentBeforeStartUp"), 1.0);
    QCOMPARE(Read(host.data, OtherSide(side), "IncludeAlignmentBeforeStartUp"), 0.0);
    QVERIFY(!CheckRan(host));
    QCOMPARE(host.modified, 1);
    QVERIFY(page.Field(1015)->isEnabled());
  }

  // The main page's alignment fields follow their check box.
  void alignmentRule() {
    FakePageHost host;
    P page(&host, PageKind::SpeedFeedback3);
    page.OnSetActive();
    QVERIFY(!page.Button(1004)->isChecked());
    for (int id : {1024, 1025, 1026}) {
      QVERIFY(!page.Field(id)->isEnabled());
      QCOMPARE(page.Field(id)->TextColor(), kGrey);
    }
    ArmCheckSentinel(host);
    page.Button(1004)->click();
    QCOMPARE(host.data.IncludeAlignmentBeforeStartUp, 1u);
    QVERIFY(!CheckRan(host));
    QCOMPARE(host.modified, 1);
    for (int id : {1024, 1025, 1026}) {
      QVERIFY(page.Field(id)->isEnabled());
      QCOMPARE(page.Field(id)->TextColor(), kBlack);
    }
    page.Button(1004)->click();
    QCOMPARE(host.data.IncludeAlignmentBeforeStartUp, 0u);
    QVERIFY(!page.Field(1025)->isEnabled());
  }

  void auxStartUpRule_data() {
    QTest::addColumn<int>("sensor");
    QTest::addColumn<bool>("tuning");
    QTest::addColumn<bool>("includeAlignment");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("encoder, tuning") << 0 << true << false << false;
    QTest::newRow("encoder, tuning, alignment ticked") << 0 << true << true << false;
    QTest::newRow("Hall, tuning") << 1 << true << true << false;
    QTest::newRow("encoder, no tuning") << 0 << false << false << true;
    QTest::newRow("sensorless, tuning") << 2 << true << false << true;
  }

  // The auxiliary start-up settings are out of use while the observer only
  // tunes its gains beside a sensor.
  void auxStartUpRule() {
    QFETCH(int, sensor);
    QFETCH(bool, tuning);
    QFETCH(bool, includeAlignment);
    QFETCH(bool, enabled);
    FakePageHost host;
    SetMainSensor(host.data, sensor);
    host.data.EnableObserverGainTuning = tuning;
    host.data.AuxIncludeAlignmentBeforeStartUp = includeAlignment;
    P page(&host, PageKind::AuxSpeedFeedback3);
    page.OnSetActive();
    for (int id : kAuxStartUpFields) {
      QVERIFY2(page.Field(id)->isEnabled() == enabled, qPrintable(QString::number(id)));
      QCOMPARE(page.Field(id)->TextColor(), enabled ? kBlack : kGrey);
    }
    QCOMPARE(page.Button(1004)->isEnabled(), enabled);
    QCOMPARE(page.Button(1004)->isChecked(), includeAlignment);
    QVERIFY(page.Button(1005)->isEnabled());
  }

  void rawFlagsDecideTheBoxes_data() {
    AddSideColumn();
    for (Side side : kSides)
      NewRow(side, QStringLiteral("3 and 2"));
  }

  void rawFlagsDecideTheBoxes() {
    QFETCH(Side, side);
    FakePageHost host;
    Write(host.data, side, "IncludeAlignmentBeforeStartUp", 3);
    Write(host.data, side, "GainsComputation", 2);
    P page(&host, ObserverPage(side));
    page.OnSetActive();
    QVERIFY(page.Button(1004)->isChecked());
    if (side == Side::Main) // the auxiliary page has no alignment fields
      QVERIFY(page.Field(1024)->isEnabled());
    QVERIFY(!page.Button(1005)->isChecked());
    QVERIFY(!page.Field(1027)->isEnabled());
  }

  void tooltips_data() {
    AddSideColumn();
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("text");
    const QString d = QString::fromUtf8(kDescription) + QStringLiteral("\n\n");
    for (Side side : kSides) {
      const auto row = [side](int id, const QString &text) {
        NewRow(side, QString::number(id)) << id << text;
      };
      row(1015, QStringLiteral("MIN = 1\nMAX = 65535"));
      row(1016, QStringLiteral("MIN = 0\nMAX = 65535"));
      row(1017, QStringLiteral("MIN = 0.00\nMAX = 0.70"));
      row(1018, QStringLiteral("MIN = 0.60\nMAX = 2.00"));
      row(1019, QStringLiteral("MIN = 1\nMAX = 1500"));
      row(1020, QStringLiteral("MIN = 1\nMAX = 65535"));
      row(1021, QStringLiteral("MIN = 0.00\nMAX = 100.00"));
      row(1022, d + QStringLiteral("MIN = 0\nMAX = 3600"));
      row(1023, QStringLiteral("MIN = 1\nMAX = 255"));
      if (side == Side::Main) {
        row(1024, QStringLiteral("MIN = 1\nMAX = 65535"));
        row(1025, QStringLiteral("MIN = 0\nMAX = 359"));
        row(1026, QStringLiteral("MIN = 0.05\nMAX = 2.00"));
      }
      row(1027, QStringLiteral("MIN = -2147483648\nMAX = 2147483647"));
      row(1028, QStringLiteral("MIN = -2147483648\nMAX = 2147483647"));
      row(1029, QStringLiteral("MIN = 0\nMAX = 32767"));
      row(1030, QStringLiteral("MIN = 16384\nMAX = 16384"));
      row(1031, QStringLiteral("MIN = 0\nMAX = 32767"));
      row(1032, QStringLiteral("MIN = 262144\nMAX = 262144"));
    }
  }

  void tooltips() {
    QFETCH(Side, side);
    QFETCH(int, id);
    QFETCH(QString, text);
    FakePageHost host;
    ShowObserver(host.data, side);
    P page(&host, ObserverPage(side));
    page.OnSetActive();
    QCOMPARE(page.ToolTipText(id), text);
    QVERIFY(page.Field(id)->toolTip().contains(CTORVIOPropertyPage::ToolTipTitle()));
  }

  // The main chain follows the visual order and wraps; the auxiliary one
  // follows id order, skips the absent alignment fields and ends on the
  // page.
  void tabChain_data() {
    AddSideColumn();
    QTest::addColumn<int>("from");
    QTest::addColumn<bool>("shift");
    QTest::addColumn<int>("to");
    const auto add = [](Side side, const int(&r)[3]) {
      NewRow(side, QStringLiteral("%1 Tab").arg(r[0])) << r[0] << false << r[1];
      NewRow(side, QStringLiteral("%1 Shift+Tab").arg(r[0])) << r[0] << true << r[2];
    };
    const int main[][3] = {
        {1015, 1016, kPageItself}, {1016, 1019, 1015}, {1019, 1017, 1016}, {1017, 1018, 1019},
        {1018, 1020, 1017},        {1020, 1022, 1018}, {1022, 1021, 1020}, {1021, 1023, 1022},
        {1023, 1004, 1021},        {1024, 1025, 1004}, {1025, 1026, 1024}, {1026, 1005, 1025},
        {1027, 1028, 1005},        {1028, 1029, 1027}, {1029, 1031, 1028}, {1031, 1015, 1029},
    };
    const int aux[][3] = {
        {1015, 1016, kPageItself}, {1016, 1017, 1015}, {1017, 1018, 1016}, {1018, 1019, 1017},
        {1019, 1020, 1018},        {1020, 1021, 1019}, {1021, 1022, 1020}, {1022, 1023, 1021},
        {1023, 1004, 1022},        {1027, 1028, 1005}, {1028, 1029, 1027}, {1029, 1031, 1028},
        {1031, kPageItself, 1029},
    };
    for (const auto &r : main)
      add(Side::Main, r);
    for (const auto &r : aux)
      add(Side::Aux, r);
  }

  void tabChain() {
    QFETCH(Side, side);
    QFETCH(int, from);
    QFETCH(bool, shift);
    QFETCH(int, to);
    FakePageHost host;
    AllFieldsInUse(host.data, side);
    P page(&host, ObserverPage(side));
    page.OnSetActive();
    QVERIFY(ShowActive(page));
    PressTab(page.Field(from), shift);
    QCOMPARE(QApplication::focusWidget(), page.Control(to));
  }

  // As the sheet shows the auxiliary page: beside an encoder, with manual
  // gains, Tab in the last gain field gives the focus to the page.
  void lastAuxGainTabsToThePage() {
    FakePageHost host;
    ShowObserver(host.data, Side::Aux);
    host.data.AuxGainsComputation = 0;
    P page(&host, PageKind::AuxSpeedFeedback3);
    page.OnSetActive();
    QVERIFY(ShowActive(page));
    PressTab(page.Field(1031), false);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(&page));
  }

  void divisorsAreNeverEnabled_data() {
    AddSideColumn();
    for (Side side : kSides)
      NewRow(side, QStringLiteral("manual gains"));
  }

  // The divisors never take the focus, but their Tab handlers still lead on.
  void divisorsAreNeverEnabled() {
    QFETCH(Side, side);
    FakePageHost host;
    Write(host.data, side, "GainsComputation", 0);
    P page(&host, ObserverPage(side));
    page.OnSetActive();
    QVERIFY(!page.Field(1030)->isEnabled());
    QVERIFY(!page.Field(1032)->isEnabled());
    QVERIFY(page.Field(1030)->KeepsTab());
  }

  // Alignment and error count are the main encoder page's too: what is typed
  // here shows there after the sensor is switched, and the reverse.
  void sharedWithTheEncoderPage() {
    FakePageHost host;
    host.data.IncludeAlignmentBeforeStartUp = 1;
    {
      P observer(&host, PageKind::SpeedFeedback3);
      observer.OnSetActive();
      TypeAndCommit(observer.Field(1024), QStringLiteral("1234"));
      TypeAndCommit(observer.Field(1025), QStringLiteral("45"));
      TypeAndCommit(observer.Field(1026), QStringLiteral("1.5"));
      TypeAndCommit(observer.Field(1023), QStringLiteral("11"));
    }
    CConfigurationPage config(&host);
    config.OnSetActive();
    config.Button(CConfigurationPage::IdEncoder)->click();
    {
      CSpeedFeedbackPage encoder(&host, PageKind::SpeedFeedback1);
      encoder.OnSetActive();
      QCOMPARE(encoder.Field(1019)->text(), QStringLiteral("1234"));
      QCOMPARE(encoder.Field(1020)->text(), QStringLiteral("45"));
      QCOMPARE(encoder.Field(1021)->text(), QStringLiteral("1.50"));
      QCOMPARE(encoder.Field(1016)->text(), QStringLiteral("11"));
      TypeAndCommit(encoder.Field(1020), QStringLiteral("300"));
    }
    config.Button(CConfigurationPage::IdSensorless)->click();
    P observer(&host, PageKind::SpeedFeedback3);
    observer.OnSetActive();
    QCOMPARE(observer.Field(1025)->text(), QStringLiteral("300"));
    QCOMPARE(host.rebuilds, 2);
  }
};

QTEST_MAIN(SpeedFeedbackObserverPageTest)
#include "SpeedFeedbackObserverPageTest.moc"
