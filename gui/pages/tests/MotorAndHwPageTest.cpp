// The Motor and HW page, row by row as its table gives them: label, group,
// record member, conversion, consistency check and refresh; then the enable
// rules, the Tab chain and the dependent tooltips.
#include "PageTestUtil.h"
#include "pages/CMotorAndHwPage.h"

#include <QGroupBox>
#include <QLabel>

#include <cstddef>

namespace {

using P = CMotorAndHwPage;

// Reads the Value of the parameter at a byte offset of the record, as the
// test table names it.
double ValueAt(const UserData &d, std::size_t offset, bool real) {
  const auto *base = reinterpret_cast<const unsigned char *>(&d) + offset;
  return real ? reinterpret_cast<const RealParam *>(base)->Value
              : double(reinterpret_cast<const IntParam *>(base)->Value);
}

} // namespace

class MotorAndHwPageTest : public QObject {
  Q_OBJECT

private slots:
  void commits_data() {
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("group");
    QTest::addColumn<qulonglong>("offset");
    QTest::addColumn<bool>("real");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<double>("stored");
    QTest::addColumn<bool>("check");
    QTest::addColumn<bool>("refresh");
    const auto row = [](const char *name, int id, const char *label, const char *group,
                        std::size_t offset, bool real, const char *typed, double stored, bool check,
                        bool refresh) {
      QTest::newRow(name) << id << QString::fromUtf8(label) << QString::fromUtf8(group)
                          << qulonglong(offset) << real << QString::fromUtf8(typed) << stored
                          << check << refresh;
    };
    const char *sensing = "Current sensing networks";
    const char *protections = "KV208 board protections";
    const char *motor = "Motor characteristics";
    const char *voltage = "Voltage sensing network";
    row("shunt", P::IdShuntResistor, "Shunt resistor(s) value (Ohm)", sensing,
        offsetof(UserData, ShuntResistorValue), true, "0.33", 0.33, true, true);
    row("amplification", P::IdAmplificationGain, "Amplification gain", sensing,
        offsetof(UserData, AmplificationGain), true, "3.5", 3.5, true, true);
    row("over temperature", P::IdOverTemperature, "Over temperature threshold (°C)", protections,
        offsetof(UserData, OverTemperatureThreshold), false, "70.9", 70, false, false);
    row("hysteresis", P::IdTemperatureHysteresis, "Temperature hysteresis (°C)", protections,
        offsetof(UserData, TemperatureHysteresis), false, "7", 7, false, false);
    row("over voltage", P::IdOverVoltage, "Over Voltage threshold (V)", protections,
        offsetof(UserData, OverVoltageThreshold), false, "40", 40, true, true);
    row("under voltage", P::IdUnderVoltage, "Under Voltage threshold (V)", protections,
        offsetof(UserData, UnderVoltageThreshold), false, "17", 17, true, true);
    row("R", P::IdR, "R (Ohm)", motor, offsetof(UserData, R), true, "1.5", 1.5, true, false);
    row("Lq", P::IdLq, "Lq (mH)", motor, offsetof(UserData, Lq), true, "0.8", 0.8, true, true);
    row("motor max speed", P::IdMotorMaxSpeed, "Motor max speed (rpm)", motor,
        offsetof(UserData, MotorMaxSpeed), false, "5000", 5000, true, false);
    row("rated current", P::IdRatedCurrent, "Rated current (A 0-peak)", motor,
        offsetof(UserData, RatedCurrent), true, "1.75", 1.75, true, false);
    row("Ke", P::IdKe, "Ke (Vrms/krpm)", motor, offsetof(UserData, Ke), true, "6.5", 6.5, false,
        false);
    row("pole pairs", P::IdPolePairs, "Pole pairs", motor, offsetof(UserData, PolePairs), false,
        "2.9", 2, true, false);
    row("DC bus voltage", P::IdDcBusVoltage, "DC bus voltage (V)", voltage,
        offsetof(UserData, DCBusVoltage), true, "24.5", 24.5, true, false);
    row("partitioning", P::IdDcBusPartitioning, "DC bus voltage partitioning", voltage,
        offsetof(UserData, DCBusVoltagePartitioning), true, "0.0125", 0.0125, true, true);
  }

  void commits() {
    QFETCH(int, id);
    QFETCH(QString, label);
    QFETCH(QString, group);
    QFETCH(qulonglong, offset);
    QFETCH(bool, real);
    QFETCH(QString, typed);
    QFETCH(double, stored);
    QFETCH(bool, check);
    QFETCH(bool, refresh);
    FakePageHost host;
    CMotorAndHwPage page(&host);
    page.OnSetActive();
    NumericField *f = page.Field(id);
    QVERIFY(f);
    QCOMPARE(page.Label(id)->text(), label);
    QCOMPARE(f->accessibleName(), label);
    QCOMPARE(qobject_cast<QGroupBox *>(f->parentWidget())->title(), group);

    ArmCheckSentinel(host);
    // A refresh re-shows the rated current (or, for that row itself, the
    // under-voltage threshold) from the record; no check moves these values.
    const bool ratedRow = id == P::IdRatedCurrent;
    if (ratedRow)
      host.data.UnderVoltageThreshold.Value = 20;
    else
      host.data.RatedCurrent.Value = 1.5;
    TypeAndCommit(f, typed);

    QCOMPARE(host.modified, 1);
    QCOMPARE(ValueAt(host.atModified, offset, real), stored);
    QCOMPARE(CheckRan(host), check);
    // The page re-shows the settings the edit changed, whichever they are
    // (the `refresh` column named the rows of the former hand-set list);
    // a value written behind its back shows at the latest at the next
    // activation.
    Q_UNUSED(refresh);
    NumericField *other = page.Field(ratedRow ? P::IdUnderVoltage : P::IdRatedCurrent);
    const QString refreshed = ratedRow ? QStringLiteral("20") : QStringLiteral("1.50");
    page.OnSetActive();
    QCOMPARE(other->text(), refreshed);
  }

  // Tests and accessibility tools find a field by its setting's name.
  void fieldsAreNamedBySetting() {
    FakePageHost host;
    CMotorAndHwPage page(&host);
    const std::pair<const char *, int> named[] = {
        {"R", P::IdR}, {"Ke", P::IdKe}, {"DCBusVoltagePartitioning", P::IdDcBusPartitioning}};
    for (const auto &[name, id] : named)
      QCOMPARE(page.findChild<NumericField *>(QString::fromLatin1(name)), page.Field(id));
  }

  void icsGainCommitsWithIsolatedSensors() {
    FakePageHost host;
    host.data.IsolatedCurrentSensors = 1;
    host.data.ThreeShuntResistors = 0;
    CMotorAndHwPage page(&host);
    page.OnSetActive();
    QCOMPARE(page.Label(P::IdIcsGain)->text(), QStringLiteral("ICS gain (V/A)"));
    ArmCheckSentinel(host);
    TypeAndCommit(page.Field(P::IdIcsGain), QStringLiteral("0.5"));
    QCOMPARE(host.atModified.ICSGain.Value, 0.5);
    QVERIFY(CheckRan(host));
    // 1.65 V over 0.5 V/A: the rated current may reach 3.3 A.
    QCOMPARE(page.ToolTipText(P::IdRatedCurrent), QStringLiteral("MIN = 0.05\nMAX = 3.30"));
  }

  void enableRules_data() {
    QTest::addColumn<bool>("isolated");
    QTest::addColumn<bool>("mtpa");
    QTest::newRow("shunts, no MTPA") << false << false;
    QTest::newRow("shunts, MTPA") << false << true;
    QTest::newRow("ICS, no MTPA") << true << false;
    QTest::newRow("ICS, MTPA") << true << true;
  }

  void enableRules() {
    QFETCH(bool, isolated);
    QFETCH(bool, mtpa);
    FakePageHost host;
    host.data.IsolatedCurrentSensors = isolated;
    host.data.ThreeShuntResistors = !isolated;
    host.data.InternalPMSMMaximunTxAStrategy = mtpa;
    CMotorAndHwPage page(&host);
    page.OnSetActive();
    const auto expect = [&page](int id, bool on) {
      QCOMPARE(page.Field(id)->isEnabled(), on);
      QCOMPARE(page.Field(id)->TextColor(), on ? kBlack : kGrey);
    };
    expect(P::IdShuntResistor, !isolated);
    expect(P::IdAmplificationGain, !isolated);
    expect(P::IdIcsGain, isolated);
    expect(P::IdLd, mtpa);
    for (int id : {P::IdOverTemperature, P::IdTemperatureHysteresis, P::IdOverVoltage,
                   P::IdUnderVoltage, P::IdR, P::IdLq, P::IdMotorMaxSpeed, P::IdRatedCurrent,
                   P::IdKe, P::IdPolePairs, P::IdDcBusVoltage, P::IdDcBusPartitioning})
      expect(id, true);
  }

  void lqEditReshowsLdWithoutMtpa() {
    FakePageHost host;
    CMotorAndHwPage page(&host);
    page.OnSetActive();
    TypeAndCommit(page.Field(P::IdLq), QStringLiteral("0.9"));
    // Without MTPA the check makes Ld equal to Lq, and the refresh shows it.
    QCOMPARE(host.data.Ld.Value, 0.9);
    QCOMPARE(page.Field(P::IdLd)->text(), QStringLiteral("0.90"));
  }

  void ratedCurrentTooltipFollowsTheShunt() {
    FakePageHost host;
    CMotorAndHwPage page(&host);
    page.OnSetActive();
    QCOMPARE(page.ToolTipText(P::IdRatedCurrent), QStringLiteral("MIN = 0.05\nMAX = 2.92"));
    QCOMPARE(page.Field(P::IdRatedCurrent)->Max(), 2.9182879377431905);
    TypeAndCommit(page.Field(P::IdShuntResistor), QStringLiteral("0.1"));
    // 1.65 V / (2.57 x 0.1 Ohm) = 6.4202... A
    QCOMPARE(page.ToolTipText(P::IdRatedCurrent), QStringLiteral("MIN = 0.05\nMAX = 6.42"));
    QCOMPARE(page.Field(P::IdRatedCurrent)->Max(), 1.65 / (2.57 * 0.1));
  }

  void tooltipsOfEveryField_data() {
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("text");
    QTest::newRow("shunt") << int(P::IdShuntResistor) << "MIN = 0.001\nMAX = 10.000";
    QTest::newRow("amplification") << int(P::IdAmplificationGain) << "MIN = 1.00\nMAX = 100.00";
    QTest::newRow("ICS") << int(P::IdIcsGain) << "MIN = 0.001\nMAX = 10.000";
    QTest::newRow("over temperature") << int(P::IdOverTemperature) << "MIN = 30\nMAX = 85";
    QTest::newRow("hysteresis") << int(P::IdTemperatureHysteresis) << "MIN = 3\nMAX = 15";
    QTest::newRow("over voltage") << int(P::IdOverVoltage) << "MIN = 18\nMAX = 371";
    QTest::newRow("under voltage") << int(P::IdUnderVoltage) << "MIN = 15\nMAX = 32";
    QTest::newRow("R") << int(P::IdR) << "MIN = 0.01\nMAX = 150.00";
    QTest::newRow("Lq") << int(P::IdLq) << "MIN = 0.01\nMAX = 500.00";
    QTest::newRow("Ke") << int(P::IdKe) << "MIN = 0.1\nMAX = 500.0";
    QTest::newRow("pole pairs") << int(P::IdPolePairs) << "MIN = 1\nMAX = 100";
    QTest::newRow("motor max speed") << int(P::IdMotorMaxSpeed) << "MIN = 1\nMAX = 190000";
    QTest::newRow("DC bus voltage") << int(P::IdDcBusVoltage) << "MIN = 3.0\nMAX = 350.0";
    QTest::newRow("partitioning") << int(P::IdDcBusPartitioning) << "MIN = 0.0001\nMAX = 1.0000";
  }

  void tooltipsOfEveryField() {
    QFETCH(int, id);
    QFETCH(QString, text);
    FakePageHost host;
    CMotorAndHwPage page(&host);
    page.OnSetActive();
    QCOMPARE(page.ToolTipText(id), text);
  }

  void tabChain_data() {
    QTest::addColumn<int>("from");
    QTest::addColumn<bool>("shift");
    QTest::addColumn<bool>("isolated");
    QTest::addColumn<bool>("mtpa");
    QTest::addColumn<int>("to");
    const auto row = [](const char *name, int from, bool shift, bool isolated, bool mtpa, int to) {
      QTest::newRow(name) << from << shift << isolated << mtpa << to;
    };
    row("shunt, Tab", P::IdShuntResistor, false, false, false, P::IdAmplificationGain);
    row("shunt, Shift+Tab", P::IdShuntResistor, true, false, false, kPageItself);
    row("amplification skips disabled ICS", P::IdAmplificationGain, false, false, false,
        P::IdOverTemperature);
    row("amplification, Shift+Tab", P::IdAmplificationGain, true, false, false, P::IdShuntResistor);
    row("ICS, Tab", P::IdIcsGain, false, true, false, P::IdOverTemperature);
    // With isolated sensors the amplification gain is disabled and cannot
    // take the focus: the page does.
    row("ICS, Shift+Tab", P::IdIcsGain, true, true, false, kPageItself);
    row("over temperature back to ICS", P::IdOverTemperature, true, true, false, P::IdIcsGain);
    row("over temperature back past ICS", P::IdOverTemperature, true, false, false,
        P::IdAmplificationGain);
    row("over temperature, Tab", P::IdOverTemperature, false, false, false,
        P::IdTemperatureHysteresis);
    row("hysteresis, Tab", P::IdTemperatureHysteresis, false, false, false, P::IdOverVoltage);
    row("hysteresis, Shift+Tab", P::IdTemperatureHysteresis, true, false, false,
        P::IdOverTemperature);
    row("over voltage, Tab", P::IdOverVoltage, false, false, false, P::IdUnderVoltage);
    row("over voltage, Shift+Tab", P::IdOverVoltage, true, false, false,
        P::IdTemperatureHysteresis);
    row("under voltage, Tab", P::IdUnderVoltage, false, false, false, P::IdR);
    row("under voltage, Shift+Tab", P::IdUnderVoltage, true, false, false, P::IdOverVoltage);
    row("R, Tab", P::IdR, false, false, false, P::IdLq);
    row("R, Shift+Tab", P::IdR, true, false, false, P::IdUnderVoltage);
    row("Lq to Ld with MTPA", P::IdLq, false, false, true, P::IdLd);
    row("Lq past Ld without MTPA", P::IdLq, false, false, false, P::IdMotorMaxSpeed);
    row("Lq, Shift+Tab", P::IdLq, true, false, false, P::IdR);
    row("Ld, Tab", P::IdLd, false, false, true, P::IdMotorMaxSpeed);
    row("Ld, Shift+Tab", P::IdLd, true, false, true, P::IdLq);
    row("max speed back to Ld", P::IdMotorMaxSpeed, true, false, true, P::IdLd);
    row("max speed back past Ld", P::IdMotorMaxSpeed, true, false, false, P::IdLq);
    row("max speed, Tab", P::IdMotorMaxSpeed, false, false, false, P::IdRatedCurrent);
    row("rated, Tab", P::IdRatedCurrent, false, false, false, P::IdKe);
    row("rated, Shift+Tab", P::IdRatedCurrent, true, false, false, P::IdMotorMaxSpeed);
    row("Ke, Tab", P::IdKe, false, false, false, P::IdPolePairs);
    row("Ke, Shift+Tab", P::IdKe, true, false, false, P::IdRatedCurrent);
    row("pole pairs, Tab", P::IdPolePairs, false, false, false, P::IdDcBusVoltage);
    row("pole pairs, Shift+Tab", P::IdPolePairs, true, false, false, P::IdKe);
    row("bus voltage, Tab", P::IdDcBusVoltage, false, false, false, P::IdDcBusPartitioning);
    row("bus voltage, Shift+Tab", P::IdDcBusVoltage, true, false, false, P::IdPolePairs);
    row("partitioning, Tab", P::IdDcBusPartitioning, false, false, false, kPageItself);
    row("partitioning, Shift+Tab", P::IdDcBusPartitioning, true, false, false, P::IdDcBusVoltage);
  }

  void tabChain() {
    QFETCH(int, from);
    QFETCH(bool, shift);
    QFETCH(bool, isolated);
    QFETCH(bool, mtpa);
    QFETCH(int, to);
    FakePageHost host;
    host.data.IsolatedCurrentSensors = isolated;
    host.data.ThreeShuntResistors = !isolated;
    host.data.InternalPMSMMaximunTxAStrategy = mtpa;
    CMotorAndHwPage page(&host);
    page.OnSetActive();
    QVERIFY(ShowActive(page));
    PressTab(page.Field(from), shift);
    QCOMPARE(QApplication::focusWidget(), page.Control(to));
  }
};

QTEST_MAIN(MotorAndHwPageTest)
#include "MotorAndHwPageTest.moc"
