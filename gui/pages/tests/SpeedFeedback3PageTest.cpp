// The sensorless observer page: each field's label, frame, member,
// conversion (K1 and K2 signed) and check; the gains and alignment rules;
// what the manual-editing box recomputes; the dependent fields; the tooltip
// with its description; the fixed Tab chain; and the alignment and error
// settings it shares with the encoder page.
#include "PageTestUtil.h"
#include "pages/CConfigurationPage.h"
#include "pages/CSpeedFeedbackPage.h"

#include <QGroupBox>
#include <QLabel>

#include <cstddef>

namespace {

using P = CSpeedFeedbackPage;
constexpr PageKind kKind = PageKind::SpeedFeedback3;

enum Kind { Unsigned, Signed, Real };

double ValueAt(const UserData &d, std::size_t offset, int kind) {
  const auto *base = reinterpret_cast<const unsigned char *>(&d) + offset;
  switch (kind) {
  case Real:
    return reinterpret_cast<const RealParam *>(base)->Value;
  case Signed:
    return double(reinterpret_cast<const SignedIntParam *>(base)->Value);
  default:
    return double(reinterpret_cast<const IntParam *>(base)->Value);
  }
}

QString FrameOf(QWidget *w) {
  auto *box = qobject_cast<QGroupBox *>(w->parentWidget());
  return box ? box->title() : QString();
}

const char *kDescription = "MINIMUM MECHANICAL SPEED TO VALIDATE THE CLOSED LOOP";

} // namespace

class SpeedFeedback3PageTest : public QObject {
  Q_OBJECT

private slots:
  void commits_data() {
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("frame");
    QTest::addColumn<qulonglong>("offset");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<double>("stored");
    QTest::addColumn<bool>("check");
    const auto row = [](const char *tag, int id, const char *name, const char *frame,
                        std::size_t offset, int kind, const char *typed, double stored,
                        bool check) {
      QTest::newRow(tag) << id << QString::fromUtf8(name) << QString::fromUtf8(frame)
                         << qulonglong(offset) << kind << QString::fromUtf8(typed) << stored
                         << check;
    };
    const char *startUp = "Start-up settings";
    const char *errors = "Speed measurement errors management";
    const char *alignment = "Alignment settings";
    row("speed ramp duration", 1015, "Speed ramp duration (ms)", startUp,
        offsetof(UserData, SpeedRampDuration), Unsigned, "2000.9", 2000, true);
    row("speed ramp final", 1016, "Speed ramp final value (rpm)", startUp,
        offsetof(UserData, SpeedRampFinalValue), Unsigned, "3000", 3000, false);
    row("current ramp duration", 1019, "Current ramp duration (ms)", startUp,
        offsetof(UserData, CurrentRampDuration), Unsigned, "400", 400, false);
    row("current ramp initial", 1017, "Current ramp initial value (A)", startUp,
        offsetof(UserData, CurrentRampInitialValue), Real, "0.55", 0.55, true);
    row("current ramp final", 1018, "Current ramp final value (A)", startUp,
        offsetof(UserData, CurrentRampFinalValue), Real, "1.5", 1.5, true);
    row("consistency", 1020, "Consinstency threshold", startUp,
        offsetof(UserData, ConsinstencyThreshold), Unsigned, "80", 80, false);
    row("speed threshold", 1022, "Speed threshold (rpm)", startUp, offsetof(UserData, MinimumSpeed),
        Unsigned, "600.5", 600, false);
    row("variance", 1021, "Variance threshold (%)", errors, offsetof(UserData, VarianceThreshold),
        Real, "12.5", 12.5, false);
    row("errors", 1023, "Max errors number", errors, offsetof(UserData, MaxErrorsNumber), Unsigned,
        "4", 4, false);
    row("alignment duration", 1024, "Duration (ms)", alignment,
        offsetof(UserData, AlignmentDuration), Unsigned, "900", 900, false);
    row("alignment angle", 1025, "Alignment angle (deg)", alignment,
        offsetof(UserData, AlignmentAngle), Unsigned, "270", 270, false);
    row("alignment current", 1026, "Current (A 0-peak)", alignment,
        offsetof(UserData, AlignmentCurrent), Real, "1.25", 1.25, false);
    row("K1", 1027, "K1", "Observer", offsetof(UserData, K1), Signed, "-300", -300, false);
    row("K1 fraction", 1027, "K1", "Observer", offsetof(UserData, K1), Signed, "-300.9", -300,
        false);
    row("K2", 1028, "K2", "Observer", offsetof(UserData, K2), Signed, "123456", 123456, false);
    row("PLL P", 1029, "PLL P dividend", "PLL", offsetof(UserData, PLLPDividend), Unsigned, "300",
        300, false);
    row("PLL I", 1031, "PLL I dividend", "PLL", offsetof(UserData, PLLIDividend), Unsigned, "40",
        40, false);
  }

  void commits() {
    QFETCH(int, id);
    QFETCH(QString, name);
    QFETCH(QString, frame);
    QFETCH(qulonglong, offset);
    QFETCH(int, kind);
    QFETCH(QString, typed);
    QFETCH(double, stored);
    QFETCH(bool, check);
    FakePageHost host;
    host.data.GainsComputation = 0;
    host.data.IncludeAlignmentBeforeStartUp = 1;
    P page(&host, kKind);
    QCOMPARE(page.Caption(), QStringLiteral("Speed feedback"));
    QVERIFY(page.OnSetActive());
    NumericField *f = page.Field(id);
    QVERIFY(f && f->isEnabled());
    QCOMPARE(f->TextColor(), kBlack);
    QCOMPARE(f->accessibleName(), name);
    QCOMPARE(FrameOf(f), frame);
    ArmCheckSentinel(host);
    TypeAndCommit(f, typed);
    QCOMPARE(host.modified, 1);
    QCOMPARE(ValueAt(host.atModified, offset, kind), stored);
    QCOMPARE(CheckRan(host), check);
    QCOMPARE(host.rebuilds, 0);
    QCOMPARE(f->GetValue(), stored);
  }

  void labelsOfTheGainRows() {
    FakePageHost host;
    P page(&host, kKind);
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

  void signedGainShowsSignedAfterReactivation() {
    FakePageHost host;
    P page(&host, kKind);
    page.OnSetActive();
    QCOMPARE(page.Field(1027)->text(), QStringLiteral("-21162"));
    page.Button(1005)->click();
    TypeAndCommit(page.Field(1027), QStringLiteral("-300"));
    QCOMPARE(host.data.K1.Value, -300);
    page.OnSetActive();
    QCOMPARE(page.Field(1027)->text(), QStringLiteral("-300"));
    QCOMPARE(page.Field(1027)->Min(), -2147483648.0);
    QCOMPARE(page.Field(1027)->Max(), 2147483647.0);
  }

  void defaultGainsAreComputedAndGrey() {
    FakePageHost host;
    P page(&host, kKind);
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
    QCOMPARE(host.data.GainsComputation, 0u);
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

  // Gains typed by hand stay while manual editing is on; clearing the box
  // overwrites them with the computed ones, shown at once.
  void clearingManualEditingRecomputesAtOnce() {
    FakePageHost host;
    host.data.GainsComputation = 0;
    P page(&host, kKind);
    page.OnSetActive();
    QVERIFY(page.Button(1005)->isChecked());
    TypeAndCommit(page.Field(1027), QStringLiteral("-300"));
    TypeAndCommit(page.Field(1028), QStringLiteral("5000"));
    TypeAndCommit(page.Field(1029), QStringLiteral("1000"));
    TypeAndCommit(page.Field(1031), QStringLiteral("7"));
    QCOMPARE(host.data.K2.Value, 5000);
    QString k1AtModified;
    host.onModified = [&] { k1AtModified = page.Field(1027)->text(); };
    page.Button(1005)->click();
    QCOMPARE(host.data.GainsComputation, 1u);
    QCOMPARE(k1AtModified, QStringLiteral("-21162"));
    QCOMPARE(page.Field(1028)->text(), QStringLiteral("70929"));
    QCOMPARE(page.Field(1029)->text(), QStringLiteral("266"));
    QCOMPARE(page.Field(1031)->text(), QStringLiteral("52"));
    for (int id : {1027, 1028, 1029, 1031})
      QCOMPARE(page.Field(id)->TextColor(), kGrey);
    // The auxiliary observer keeps its own gains.
    QCOMPARE(host.data.AuxGainsComputation, 1u);
    QCOMPARE(host.modified, 5);
  }

  void speedRampDurationReloadsCurrentRampDuration() {
    FakePageHost host;
    P page(&host, kKind);
    page.OnSetActive();
    QCOMPARE(page.Field(1019)->text(), QStringLiteral("350"));
    TypeAndCommit(page.Field(1015), QStringLiteral("200"));
    QCOMPARE(host.data.CurrentRampDuration.Max, 200u);
    QCOMPARE(page.Field(1019)->text(), QStringLiteral("200"));
    QCOMPARE(page.Field(1019)->Max(), 200.0);
    QCOMPARE(page.ToolTipText(1019), QStringLiteral("MIN = 1\nMAX = 200"));
  }

  void speedRampFinalValueReloadsNothing() {
    FakePageHost host;
    P page(&host, kKind);
    page.OnSetActive();
    host.data.CurrentRampDuration.Value = 100; // behind the page's back
    TypeAndCommit(page.Field(1016), QStringLiteral("2000"));
    QCOMPARE(page.Field(1019)->text(), QStringLiteral("350"));
  }

  // The ramp pair is coupled: a new initial value is the final value's new
  // lower limit, and both fields show it.
  void currentRampPairIsCoupled() {
    FakePageHost host;
    P page(&host, kKind);
    page.OnSetActive();
    TypeAndCommit(page.Field(1018), QStringLiteral("1.2"));
    QCOMPARE(page.Field(1017)->Max(), 1.2);
    TypeAndCommit(page.Field(1017), QStringLiteral("0.9"));
    QCOMPARE(page.Field(1018)->Min(), 0.9);
    QCOMPARE(page.ToolTipText(1018), QStringLiteral("MIN = 0.90\nMAX = 2.00"));
    QCOMPARE(page.ToolTipText(1017), QStringLiteral("MIN = 0.00\nMAX = 1.20"));
  }

  void alignmentRule() {
    FakePageHost host;
    P page(&host, kKind);
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

  void rawFlagsDecideTheBoxes() {
    FakePageHost host;
    host.data.IncludeAlignmentBeforeStartUp = 3;
    host.data.GainsComputation = 2;
    P page(&host, kKind);
    page.OnSetActive();
    QVERIFY(page.Button(1004)->isChecked());
    QVERIFY(page.Field(1024)->isEnabled());
    QVERIFY(!page.Button(1005)->isChecked());
    QVERIFY(!page.Field(1027)->isEnabled());
  }

  void tooltips_data() {
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("text");
    const QString d = QString::fromUtf8(kDescription) + QStringLiteral("\n\n");
    QTest::newRow("1015") << 1015 << "MIN = 1\nMAX = 65535";
    QTest::newRow("1016") << 1016 << "MIN = 0\nMAX = 65535";
    QTest::newRow("1017") << 1017 << "MIN = 0.00\nMAX = 0.70";
    QTest::newRow("1018") << 1018 << "MIN = 0.60\nMAX = 2.00";
    QTest::newRow("1019") << 1019 << "MIN = 1\nMAX = 1500";
    QTest::newRow("1020") << 1020 << "MIN = 1\nMAX = 65535";
    QTest::newRow("1021") << 1021 << "MIN = 0.00\nMAX = 100.00";
    QTest::newRow("1022") << 1022 << d + QStringLiteral("MIN = 0\nMAX = 3600");
    QTest::newRow("1023") << 1023 << "MIN = 1\nMAX = 255";
    QTest::newRow("1024") << 1024 << "MIN = 1\nMAX = 65535";
    QTest::newRow("1025") << 1025 << "MIN = 0\nMAX = 359";
    QTest::newRow("1026") << 1026 << "MIN = 0.05\nMAX = 2.00";
    QTest::newRow("1027") << 1027 << "MIN = -2147483648\nMAX = 2147483647";
    QTest::newRow("1028") << 1028 << "MIN = -2147483648\nMAX = 2147483647";
    QTest::newRow("1029") << 1029 << "MIN = 0\nMAX = 32767";
    QTest::newRow("1030") << 1030 << "MIN = 16384\nMAX = 16384";
    QTest::newRow("1031") << 1031 << "MIN = 0\nMAX = 32767";
    QTest::newRow("1032") << 1032 << "MIN = 262144\nMAX = 262144";
  }

  void tooltips() {
    QFETCH(int, id);
    QFETCH(QString, text);
    FakePageHost host;
    P page(&host, kKind);
    page.OnSetActive();
    QCOMPARE(page.ToolTipText(id), text);
    QVERIFY(page.Field(id)->toolTip().contains(CTORVIOPropertyPage::ToolTipTitle()));
  }

  void tabChain_data() {
    QTest::addColumn<int>("from");
    QTest::addColumn<bool>("shift");
    QTest::addColumn<int>("to");
    const int rows[][3] = {
        {1015, 1016, kPageItself}, {1016, 1019, 1015}, {1019, 1017, 1016}, {1017, 1018, 1019},
        {1018, 1020, 1017},        {1020, 1022, 1018}, {1022, 1021, 1020}, {1021, 1023, 1022},
        {1023, 1004, 1021},        {1024, 1025, 1004}, {1025, 1026, 1024}, {1026, 1005, 1025},
        {1027, 1028, 1005},        {1028, 1029, 1027}, {1029, 1031, 1028}, {1031, 1015, 1029},
    };
    for (const auto &r : rows) {
      QTest::newRow(qPrintable(QStringLiteral("%1 Tab").arg(r[0]))) << r[0] << false << r[1];
      QTest::newRow(qPrintable(QStringLiteral("%1 Shift+Tab").arg(r[0]))) << r[0] << true << r[2];
    }
  }

  void tabChain() {
    QFETCH(int, from);
    QFETCH(bool, shift);
    QFETCH(int, to);
    FakePageHost host;
    host.data.GainsComputation = 0;
    host.data.IncludeAlignmentBeforeStartUp = 1;
    P page(&host, kKind);
    page.OnSetActive();
    QVERIFY(ShowActive(page));
    PressTab(page.Field(from), shift);
    QCOMPARE(QApplication::focusWidget(), page.Control(to));
  }

  // The divisors never take the focus, but their Tab handlers still lead on.
  void divisorsAreNeverEnabled() {
    FakePageHost host;
    host.data.GainsComputation = 0;
    P page(&host, kKind);
    page.OnSetActive();
    QVERIFY(!page.Field(1030)->isEnabled());
    QVERIFY(!page.Field(1032)->isEnabled());
    QVERIFY(page.Field(1030)->KeepsTab());
  }

  // Alignment and error count are the encoder page's too: what is typed
  // here shows there after the sensor is switched, and the reverse.
  void sharedWithTheEncoderPage() {
    FakePageHost host;
    host.data.IncludeAlignmentBeforeStartUp = 1;
    {
      P observer(&host, kKind);
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
    P observer(&host, kKind);
    observer.OnSetActive();
    QCOMPARE(observer.Field(1025)->text(), QStringLiteral("300"));
    QCOMPARE(host.rebuilds, 2);
  }
};

QTEST_MAIN(SpeedFeedback3PageTest)
#include "SpeedFeedback3PageTest.moc"
