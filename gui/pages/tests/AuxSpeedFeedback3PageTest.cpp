// The auxiliary observer page: the observer page on the Aux members,
// without alignment fields, with the start-up rule in place of the
// alignment rule and a Tab chain that ends on the page.
#include "PageTestUtil.h"
#include "pages/CSpeedFeedbackPage.h"

#include <QGroupBox>
#include <QLabel>

#include <cstddef>

namespace {

using P = CSpeedFeedbackPage;
constexpr PageKind kKind = PageKind::AuxSpeedFeedback3;

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

constexpr std::size_t kAuxOffset = 448;

// Main sensor: 0 encoder, 1 Hall, 2 none.
void SetMainSensor(UserData &d, int sensor) {
  d.QuadratureEncoder = sensor == 0;
  d.HallSensors = sensor == 1;
  d.NoSpeedSensors = sensor == 2;
}

const int kStartUpFields[] = {1015, 1016, 1017, 1018, 1019, 1020, 1021, 1022, 1023};

} // namespace

class AuxSpeedFeedback3PageTest : public QObject {
  Q_OBJECT

private slots:
  void startUpRule_data() {
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

  void startUpRule() {
    QFETCH(int, sensor);
    QFETCH(bool, tuning);
    QFETCH(bool, includeAlignment);
    QFETCH(bool, enabled);
    FakePageHost host;
    SetMainSensor(host.data, sensor);
    host.data.EnableObserverGainTuning = tuning;
    host.data.AuxIncludeAlignmentBeforeStartUp = includeAlignment;
    P page(&host, kKind);
    page.OnSetActive();
    for (int id : kStartUpFields) {
      QVERIFY2(page.Field(id)->isEnabled() == enabled, qPrintable(QString::number(id)));
      QCOMPARE(page.Field(id)->TextColor(), enabled ? kBlack : kGrey);
    }
    QCOMPARE(page.Button(1004)->isEnabled(), enabled);
    QCOMPARE(page.Button(1004)->isChecked(), includeAlignment);
    QVERIFY(page.Button(1005)->isEnabled());
  }

  void noAlignmentFields() {
    FakePageHost host;
    P page(&host, kKind);
    for (int id : {1024, 1025, 1026})
      QVERIFY(!page.Control(id));
    QVERIFY(!page.Group("alignment"));
    QCOMPARE(FrameOf(page.Field(1022)), QStringLiteral("Speed measurement errors management"));
    QCOMPARE(FrameOf(page.Field(1020)), QStringLiteral("Start-up settings"));
    QCOMPARE(page.Button(1004)->text(), QStringLiteral("Include alignment before start-up"));
  }

  void commits_data() {
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("name");
    QTest::addColumn<qulonglong>("offset");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<double>("stored");
    QTest::addColumn<bool>("check");
    const auto row = [](const char *tag, int id, const char *name, std::size_t offset, int kind,
                        const char *typed, double stored, bool check) {
      QTest::newRow(tag) << id << QString::fromUtf8(name) << qulonglong(offset) << kind
                         << QString::fromUtf8(typed) << stored << check;
    };
    row("speed ramp duration", 1015, "Speed ramp duration (ms)",
        offsetof(UserData, AuxSpeedRampDuration), Unsigned, "2000", 2000, true);
    row("speed ramp final", 1016, "Speed ramp final value (rpm)",
        offsetof(UserData, AuxSpeedRampFinalValue), Unsigned, "3000.5", 3000, false);
    row("current ramp initial", 1017, "Current ramp initial value (A)",
        offsetof(UserData, AuxCurrentRampInitialValue), Real, "0.5", 0.5, true);
    row("current ramp final", 1018, "Current ramp final value (A)",
        offsetof(UserData, AuxCurrentRampFinalValue), Real, "1.1", 1.1, true);
    row("current ramp duration", 1019, "Current ramp duration (ms)",
        offsetof(UserData, AuxCurrentRampDuration), Unsigned, "300", 300, false);
    row("consistency", 1020, "Consinstency threshold", offsetof(UserData, AuxConsinstencyThreshold),
        Unsigned, "70", 70, false);
    row("variance", 1021, "Variance threshold (%)", offsetof(UserData, AuxVarianceThreshold), Real,
        "9.5", 9.5, false);
    row("speed threshold", 1022, "Speed threshold (rpm)", offsetof(UserData, AuxMinimumSpeed),
        Unsigned, "700", 700, false);
    row("errors", 1023, "Max errors number", offsetof(UserData, AuxMaxErrorsNumber), Unsigned, "5",
        5, false);
    row("K1", 1027, "K1", offsetof(UserData, AuxK1), Signed, "-42", -42, false);
    row("K2", 1028, "K2", offsetof(UserData, AuxK2), Signed, "-7", -7, false);
    row("PLL P", 1029, "PLL P dividend", offsetof(UserData, AuxPLLPDividend), Unsigned, "111", 111,
        false);
    row("PLL I", 1031, "PLL I dividend", offsetof(UserData, AuxPLLIDividend), Unsigned, "22", 22,
        false);
  }

  void commits() {
    QFETCH(int, id);
    QFETCH(QString, name);
    QFETCH(qulonglong, offset);
    QFETCH(int, kind);
    QFETCH(QString, typed);
    QFETCH(double, stored);
    QFETCH(bool, check);
    FakePageHost host; // sensorless: every field in use
    host.data.AuxGainsComputation = 0;
    P page(&host, kKind);
    QCOMPARE(page.Caption(), QStringLiteral("Aux speed feedback"));
    page.OnSetActive();
    NumericField *f = page.Field(id);
    QVERIFY(f && f->isEnabled());
    QCOMPARE(f->accessibleName(), name);
    const double mainBefore = ValueAt(host.data, offset + kAuxOffset, kind);
    ArmCheckSentinel(host);
    TypeAndCommit(f, typed);
    QCOMPARE(host.modified, 1);
    QCOMPARE(ValueAt(host.atModified, offset, kind), stored);
    QCOMPARE(ValueAt(host.atModified, offset + kAuxOffset, kind), mainBefore);
    QCOMPARE(CheckRan(host), check);
  }

  void manualEditingOfTheAuxGains() {
    FakePageHost host;
    SetMainSensor(host.data, 0);
    host.data.EnableObserverGainTuning = 1;
    P page(&host, kKind);
    page.OnSetActive();
    QVERIFY(!page.Button(1005)->isChecked());
    for (int id : {1027, 1028, 1029, 1030, 1031, 1032})
      QCOMPARE(page.Field(id)->TextColor(), kGrey);

    page.Button(1005)->click();
    QCOMPARE(host.data.AuxGainsComputation, 0u);
    QCOMPARE(host.data.GainsComputation, 1u);
    for (int id : {1027, 1028, 1029, 1031}) {
      QVERIFY(page.Field(id)->isEnabled());
      QCOMPARE(page.Field(id)->TextColor(), kBlack);
    }
    QVERIFY(!page.Field(1030)->isEnabled());
    QVERIFY(!page.Field(1032)->isEnabled());
    TypeAndCommit(page.Field(1027), QStringLiteral("-300"));
    TypeAndCommit(page.Field(1029), QStringLiteral("10"));
    QCOMPARE(host.data.AuxK1.Value, -300);
    QCOMPARE(host.data.K1.Value, -21162);
    page.OnSetActive();
    QCOMPARE(page.Field(1027)->text(), QStringLiteral("-300"));

    page.Button(1005)->click();
    QCOMPARE(host.data.AuxGainsComputation, 1u);
    QCOMPARE(host.data.AuxK1.Value, -21162);
    QCOMPARE(page.Field(1027)->text(), QStringLiteral("-21162"));
    QCOMPARE(page.Field(1028)->text(), QStringLiteral("70929"));
    QCOMPARE(page.Field(1029)->text(), QStringLiteral("266"));
    QCOMPARE(page.Field(1031)->text(), QStringLiteral("52"));
    QVERIFY(!page.Field(1027)->isEnabled());
    QCOMPARE(host.modified, 4);
  }

  void includeAlignmentStoresWithoutCheck() {
    FakePageHost host;
    P page(&host, kKind);
    page.OnSetActive();
    ArmCheckSentinel(host);
    page.Button(1004)->click();
    QCOMPARE(host.data.AuxIncludeAlignmentBeforeStartUp, 1u);
    QCOMPARE(host.data.IncludeAlignmentBeforeStartUp, 0u);
    QVERIFY(!CheckRan(host));
    QCOMPARE(host.modified, 1);
    QVERIFY(page.Field(1015)->isEnabled());
  }

  void speedRampDurationReloadsCurrentRampDuration() {
    FakePageHost host;
    P page(&host, kKind);
    page.OnSetActive();
    TypeAndCommit(page.Field(1015), QStringLiteral("250"));
    QCOMPARE(page.Field(1019)->text(), QStringLiteral("250"));
    QCOMPARE(page.ToolTipText(1019), QStringLiteral("MIN = 1\nMAX = 250"));
    QCOMPARE(host.data.CurrentRampDuration.Value, 350u);
  }

  void tooltips_data() {
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("text");
    QTest::newRow("1015") << 1015 << "MIN = 1\nMAX = 65535";
    QTest::newRow("1016") << 1016 << "MIN = 0\nMAX = 65535";
    QTest::newRow("1017") << 1017 << "MIN = 0.00\nMAX = 0.70";
    QTest::newRow("1018") << 1018 << "MIN = 0.60\nMAX = 2.00";
    QTest::newRow("1019") << 1019 << "MIN = 1\nMAX = 1500";
    QTest::newRow("1020") << 1020 << "MIN = 1\nMAX = 65535";
    QTest::newRow("1021") << 1021 << "MIN = 0.00\nMAX = 100.00";
    QTest::newRow("1022") << 1022
                          << "MINIMUM MECHANICAL SPEED TO VALIDATE THE CLOSED LOOP\n\n"
                             "MIN = 0\nMAX = 3600";
    QTest::newRow("1023") << 1023 << "MIN = 1\nMAX = 255";
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
    SetMainSensor(host.data, 0);
    P page(&host, kKind);
    page.OnSetActive();
    QCOMPARE(page.ToolTipText(id), text);
  }

  void tabChain_data() {
    QTest::addColumn<int>("from");
    QTest::addColumn<bool>("shift");
    QTest::addColumn<int>("to");
    const int rows[][3] = {
        {1015, 1016, kPageItself}, {1016, 1017, 1015}, {1017, 1018, 1016}, {1018, 1019, 1017},
        {1019, 1020, 1018},        {1020, 1021, 1019}, {1021, 1022, 1020}, {1022, 1023, 1021},
        {1023, 1004, 1022},        {1027, 1028, 1005}, {1028, 1029, 1027}, {1029, 1031, 1028},
        {1031, kPageItself, 1029},
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
    FakePageHost host; // sensorless, so that the start-up fields can take the focus
    host.data.AuxGainsComputation = 0;
    P page(&host, kKind);
    page.OnSetActive();
    QVERIFY(ShowActive(page));
    PressTab(page.Field(from), shift);
    QCOMPARE(QApplication::focusWidget(), page.Control(to));
  }

  // As the sheet shows it: beside an encoder, with manual gains, Tab in the
  // last gain field gives the focus to the page.
  void lastGainTabsToThePage() {
    FakePageHost host;
    SetMainSensor(host.data, 0);
    host.data.AuxGainsComputation = 0;
    P page(&host, kKind);
    page.OnSetActive();
    QVERIFY(ShowActive(page));
    PressTab(page.Field(1031), false);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(&page));
  }
};

QTEST_MAIN(AuxSpeedFeedback3PageTest)
#include "AuxSpeedFeedback3PageTest.moc"
