// The Debug page: auxiliary-feedback choices with their check, refresh and
// page rebuild; DAC, modality and square wave period; the enable rules of
// the main speed sensor; the Tab handler of the period field.
#include "pages/DebugPage.h"
#include "PageTestUtil.h"

#include <QGroupBox>

#include <array>

using Flags = std::array<std::uint32_t, 6>;
Q_DECLARE_METATYPE(Flags)

namespace {

using P = CDebugPage;

Flags FlagsOf(const UserData &d) {
  return {d.ViewEncoderFeedback,      d.ViewHallSensorsFeedback, d.None,
          d.EnableObserverGainTuning, d.EnableDACFunctionality,  d.EnableModality};
}

void UseEncoder(UserData &d) {
  d.QuadratureEncoder = 1;
  d.NoSpeedSensors = 0;
  PARVEX_CheckConsistency(&d); // the auxiliary flags follow the main sensor
}

} // namespace

class DebugPageTest : public QObject {
  Q_OBJECT

private slots:
  // Defaults: sensorless, encoder viewed, observer tuning and DAC on.
  void clickCommits_data() {
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("label");
    QTest::addColumn<Flags>("after");
    QTest::addColumn<bool>("check");
    QTest::addColumn<bool>("rebuild");
    QTest::newRow("aux Hall") << int(P::IdAuxHall) << "View Hall feedback in 'No speed sensors'"
                              << Flags{0, 1, 0, 1, 1, 0} << true << true;
    QTest::newRow("aux encoder, already selected")
        << int(P::IdAuxEncoder) << "View encoder feedback in 'No speed sensors'"
        << Flags{1, 0, 0, 1, 1, 0} << true << true;
    QTest::newRow("none") << int(P::IdNone) << "None" << Flags{0, 0, 1, 1, 1, 0} << true << true;
    QTest::newRow("observer tuning") << int(P::IdObserverTuning) << "Enable Observer gain tuning"
                                     << Flags{1, 0, 0, 0, 1, 0} << true << true;
    QTest::newRow("DAC") << int(P::IdDac) << "Enable DAC functionality" << Flags{1, 0, 0, 1, 0, 0}
                         << false << false;
  }

  void clickCommits() {
    QFETCH(int, id);
    QFETCH(QString, label);
    QFETCH(Flags, after);
    QFETCH(bool, check);
    QFETCH(bool, rebuild);
    FakePageHost host;
    P page(&host);
    page.OnSetActive();
    QAbstractButton *b = page.Button(id);
    QCOMPARE(b->text(), label);
    ArmCheckSentinel(host);
    b->click();
    QCOMPARE(FlagsOf(host.atModified), after);
    QCOMPARE(CheckRan(host), check);
    QCOMPARE(host.rebuilds, rebuild ? 1 : 0);
    QCOMPARE(host.rebuildsBeforeModified, host.rebuilds);
    QCOMPARE(host.modified, 1);
  }

  void modalityCommitsWithASensor() {
    FakePageHost host;
    UseEncoder(host.data);
    P page(&host);
    page.OnSetActive();
    ArmCheckSentinel(host);
    page.Button(P::IdModality)->click();
    QCOMPARE(host.atModified.EnableModality, 1u);
    QVERIFY(!CheckRan(host));
    QCOMPARE(host.rebuilds, 0);
  }

  void squareWavePeriodTruncatesWithoutCheck() {
    FakePageHost host;
    UseEncoder(host.data);
    P page(&host);
    page.OnSetActive();
    NumericField *f = page.Field(P::IdSquareWavePeriod);
    QCOMPARE(f->accessibleName(), QStringLiteral("Square Wave Period (ms)"));
    QCOMPARE(qobject_cast<QGroupBox *>(f->parentWidget())->title(),
             QStringLiteral("Flux and torque PI(D) tuning modality"));
    ArmCheckSentinel(host);
    TypeAndCommit(f, QStringLiteral("1500.8"));
    QCOMPARE(host.atModified.SquareWavePeriod.Value, 1500u);
    QVERIFY(!CheckRan(host));
    QCOMPARE(page.ToolTipText(P::IdSquareWavePeriod), QStringLiteral("MIN = 1\nMAX = 65535"));
  }

  void viewingAFeedbackTicksTheDac() {
    FakePageHost host;
    host.data.EnableDACFunctionality = 0;
    host.data.ViewEncoderFeedback = 0;
    host.data.None = 1;
    P page(&host);
    page.OnSetActive();
    QVERIFY(!page.Button(P::IdDac)->isChecked());
    page.Button(P::IdAuxHall)->click();
    QCOMPARE(host.data.EnableDACFunctionality, 1u);
    QVERIFY(page.Button(P::IdDac)->isChecked()); // shown at once
  }

  void enableRules_data() {
    QTest::addColumn<bool>("sensorless");
    QTest::newRow("encoder") << false;
    QTest::newRow("sensorless") << true;
  }

  void enableRules() {
    QFETCH(bool, sensorless);
    FakePageHost host;
    if (!sensorless)
      UseEncoder(host.data);
    P page(&host);
    page.OnSetActive();
    QCOMPARE(page.Button(P::IdAuxEncoder)->isEnabled(), sensorless);
    QCOMPARE(page.Button(P::IdAuxHall)->isEnabled(), sensorless);
    QCOMPARE(page.Button(P::IdModality)->isEnabled(), !sensorless);
    QCOMPARE(page.Field(P::IdSquareWavePeriod)->isEnabled(), !sensorless);
    QCOMPARE(page.Field(P::IdSquareWavePeriod)->TextColor(), sensorless ? kGrey : kBlack);
    QVERIFY(page.Button(P::IdNone)->isEnabled());
    QVERIFY(page.Button(P::IdObserverTuning)->isEnabled());
    QVERIFY(page.Button(P::IdDac)->isEnabled());
  }

  void tabFromThePeriod() {
    FakePageHost host;
    UseEncoder(host.data);
    P page(&host);
    page.OnSetActive();
    QVERIFY(ShowActive(page));
    // With a sensor the two view buttons are disabled: "None" takes the focus.
    PressTab(page.Field(P::IdSquareWavePeriod), false);
    QCOMPARE(QApplication::focusWidget(), page.Control(P::IdNone));
    PressTab(page.Field(P::IdSquareWavePeriod), true);
    QCOMPARE(QApplication::focusWidget(), page.Control(P::IdModality));
  }
};

QTEST_MAIN(DebugPageTest)
#include "DebugPageTest.moc"
