// The Debug page: what each button and the square wave period write, which
// of them run the check, refresh the DAC box or rebuild the optional pages;
// the enable rules that follow the main speed sensor; tooltip and Tab.
#include "PageTestUtil.h"
#include "pages/CDebugPage.h"

#include <QGroupBox>
#include <QLabel>

#include <array>

using Flags = std::array<std::uint32_t, 6>;
Q_DECLARE_METATYPE(Flags)

namespace {

using P = CDebugPage;

Flags FlagsOf(const UserData &d) {
  return {d.ViewEncoderFeedback,      d.ViewHallSensorsFeedback, d.None,
          d.EnableObserverGainTuning, d.EnableDACFunctionality,  d.EnableModality};
}

QString FrameOf(QWidget *w) {
  auto *box = qobject_cast<QGroupBox *>(w->parentWidget());
  return box ? box->title() : QString();
}

// Main sensor: 0 encoder, 1 Hall, 2 none.
void SetMainSensor(UserData &d, int sensor) {
  d.QuadratureEncoder = sensor == 0;
  d.HallSensors = sensor == 1;
  d.NoSpeedSensors = sensor == 2;
}

} // namespace

class DebugPageTest : public QObject {
  Q_OBJECT

private slots:
  // Before each click the record holds: sensor as given, no auxiliary
  // feedback (None), tuning on, DAC off, modality off.
  void clicks_data() {
    QTest::addColumn<int>("sensor");
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("frame");
    QTest::addColumn<Flags>("after");
    QTest::addColumn<bool>("check");
    QTest::addColumn<bool>("rebuild");
    const QString aux = QStringLiteral("Auxiliary speed feedback");
    const QString modality = QStringLiteral("Flux and torque PI(D) tuning modality");
    const QString encoderLabel = QStringLiteral("View encoder feedback in 'No speed sensors'");
    const QString hallLabel = QStringLiteral("View Hall feedback in 'No speed sensors'");
    // Sensorless: viewing a feedback forces the DAC on (the check).
    QTest::newRow("aux encoder, sensorless") << 2 << int(P::IdAuxEncoder) << encoderLabel << aux
                                             << Flags{1, 0, 0, 1, 1, 0} << true << true;
    QTest::newRow("aux Hall, sensorless")
        << 2 << int(P::IdAuxHall) << hallLabel << aux << Flags{0, 1, 0, 1, 1, 0} << true << true;
    QTest::newRow("none, sensorless")
        << 2 << int(P::IdNone) << "None" << aux << Flags{0, 0, 1, 1, 0, 0} << true << true;
    QTest::newRow("tuning off, encoder")
        << 0 << int(P::IdObserverTuning) << "Enable Observer gain tuning" << aux
        << Flags{0, 0, 1, 0, 0, 0} << true << true;
    QTest::newRow("tuning off, Hall")
        << 1 << int(P::IdObserverTuning) << "Enable Observer gain tuning" << aux
        << Flags{0, 0, 1, 0, 0, 0} << true << true;
    QTest::newRow("DAC") << 0 << int(P::IdDac) << "Enable DAC functionality" << QString()
                         << Flags{0, 0, 1, 1, 1, 0} << false << false;
    QTest::newRow("modality, encoder") << 0 << int(P::IdModality) << "Enable modality" << modality
                                       << Flags{0, 0, 1, 1, 0, 1} << false << false;
  }

  void clicks() {
    QFETCH(int, sensor);
    QFETCH(int, id);
    QFETCH(QString, label);
    QFETCH(QString, frame);
    QFETCH(Flags, after);
    QFETCH(bool, check);
    QFETCH(bool, rebuild);
    FakePageHost host;
    SetMainSensor(host.data, sensor);
    host.data.ViewEncoderFeedback = 0;
    host.data.None = 1;
    host.data.EnableDACFunctionality = 0;
    P page(&host);
    QCOMPARE(page.Caption(), QStringLiteral("Debug"));
    page.OnSetActive();
    QAbstractButton *b = page.Button(id);
    QVERIFY(b && b->isEnabled());
    QCOMPARE(b->text(), label);
    QCOMPARE(b->accessibleName(), label);
    QCOMPARE(FrameOf(b), frame);
    ArmCheckSentinel(host);
    b->click();
    QCOMPARE(FlagsOf(host.data), after);
    QCOMPARE(CheckRan(host), check);
    QCOMPARE(host.rebuilds, rebuild ? 1 : 0);
    QCOMPARE(host.rebuildsBeforeModified, host.rebuilds);
    QCOMPARE(host.modified, 1);
    // What the boxes show is what the record holds.
    for (int b2 :
         {P::IdAuxEncoder, P::IdAuxHall, P::IdNone, P::IdObserverTuning, P::IdDac, P::IdModality})
      QCOMPARE(page.Button(b2)->isChecked(), FlagsOf(host.data)[b2 - P::IdAuxEncoder] != 0);
  }

  // Running sensorless with the DAC off: choosing a feedback to view ticks
  // the DAC box at once, before the sheet is rebuilt.
  void viewingAFeedbackTicksTheDacAtOnce() {
    FakePageHost host;
    host.data.ViewEncoderFeedback = 0;
    host.data.None = 1;
    host.data.EnableDACFunctionality = 0;
    P page(&host);
    page.OnSetActive();
    QVERIFY(!page.Button(P::IdDac)->isChecked());
    bool dacShownAtRebuild = false;
    host.onRebuild = [&] { dacShownAtRebuild = page.Button(P::IdDac)->isChecked(); };
    page.Button(P::IdAuxHall)->click();
    QCOMPARE(host.data.EnableDACFunctionality, 1u);
    QVERIFY(dacShownAtRebuild);
  }

  void enableRules_data() {
    QTest::addColumn<int>("sensor");
    QTest::addColumn<bool>("sensorless");
    QTest::newRow("encoder") << 0 << false;
    QTest::newRow("Hall") << 1 << false;
    QTest::newRow("no speed sensors") << 2 << true;
  }

  void enableRules() {
    QFETCH(int, sensor);
    QFETCH(bool, sensorless);
    FakePageHost host;
    SetMainSensor(host.data, sensor);
    P page(&host);
    page.OnSetActive();
    QCOMPARE(page.Button(P::IdAuxEncoder)->isEnabled(), sensorless);
    QCOMPARE(page.Button(P::IdAuxHall)->isEnabled(), sensorless);
    QCOMPARE(page.Button(P::IdModality)->isEnabled(), !sensorless);
    QCOMPARE(page.Field(P::IdSquareWavePeriod)->isEnabled(), !sensorless);
    QCOMPARE(page.Field(P::IdSquareWavePeriod)->TextColor(), sensorless ? kGrey : kBlack);
    for (int id : {P::IdNone, P::IdObserverTuning, P::IdDac})
      QVERIFY(page.Button(id)->isEnabled());
  }

  void activationShowsTheFlags() {
    FakePageHost host; // defaults: view encoder, tuning, DAC
    P page(&host);
    page.OnSetActive();
    QVERIFY(page.Button(P::IdAuxEncoder)->isChecked());
    QVERIFY(!page.Button(P::IdAuxHall)->isChecked());
    QVERIFY(!page.Button(P::IdNone)->isChecked());
    QVERIFY(page.Button(P::IdObserverTuning)->isChecked());
    QVERIFY(page.Button(P::IdDac)->isChecked());
    QVERIFY(!page.Button(P::IdModality)->isChecked());
    QCOMPARE(page.Field(P::IdSquareWavePeriod)->text(), QStringLiteral("2000"));
    host.data.EnableDACFunctionality = 0;
    host.data.SquareWavePeriod.Value = 40;
    page.OnSetActive();
    QVERIFY(!page.Button(P::IdDac)->isChecked());
    QCOMPARE(page.Field(P::IdSquareWavePeriod)->text(), QStringLiteral("40"));
    QCOMPARE(host.modified, 0);
  }

  void squareWavePeriodIsTruncatedWithoutCheck() {
    FakePageHost host;
    SetMainSensor(host.data, 0);
    P page(&host);
    page.OnSetActive();
    NumericField *f = page.Field(P::IdSquareWavePeriod);
    QCOMPARE(page.Label(P::IdSquareWavePeriod)->text(), QStringLiteral("Square Wave Period (ms)"));
    QCOMPARE(FrameOf(f), QStringLiteral("Flux and torque PI(D) tuning modality"));
    ArmCheckSentinel(host);
    TypeAndCommit(f, QStringLiteral("1500.8"));
    QCOMPARE(host.atModified.SquareWavePeriod.Value, 1500u);
    QVERIFY(!CheckRan(host));
    QCOMPARE(host.rebuilds, 0);
    QCOMPARE(f->text(), QStringLiteral("1500"));
    QCOMPARE(page.ToolTipText(P::IdSquareWavePeriod), QStringLiteral("MIN = 1\nMAX = 65535"));
  }

  void tabFromTheSquareWavePeriod_data() {
    QTest::addColumn<bool>("shift");
    QTest::addColumn<int>("to");
    QTest::newRow("Tab: the aux buttons are disabled, None") << false << int(P::IdNone);
    QTest::newRow("Shift+Tab: modality") << true << int(P::IdModality);
  }

  void tabFromTheSquareWavePeriod() {
    QFETCH(bool, shift);
    QFETCH(int, to);
    FakePageHost host;
    SetMainSensor(host.data, 1);
    P page(&host);
    page.OnSetActive();
    QVERIFY(ShowActive(page));
    PressTab(page.Field(P::IdSquareWavePeriod), shift);
    QCOMPARE(QApplication::focusWidget(), page.Control(to));
  }

  // The DAC box is the user's to clear: only a later check forces it on.
  void dacClearedWhileViewingStaysCleared() {
    FakePageHost host; // defaults: sensorless, encoder viewed, DAC on
    P page(&host);
    page.OnSetActive();
    page.Button(P::IdDac)->click();
    QCOMPARE(host.data.EnableDACFunctionality, 0u);
    QVERIFY(!page.Button(P::IdDac)->isChecked());
    page.Button(P::IdAuxEncoder)->click(); // the check runs again
    QCOMPARE(host.data.EnableDACFunctionality, 1u);
    QVERIFY(page.Button(P::IdDac)->isChecked());
  }

  // Sensorless with observer tuning ticked: clearing it is stored and the
  // sheet is rebuilt, though no page depends on it in that mode.
  void tuningAndNoneWhileSensorless() {
    FakePageHost host;
    P page(&host);
    page.OnSetActive();
    page.Button(P::IdObserverTuning)->click();
    QCOMPARE(host.data.EnableObserverGainTuning, 0u);
    QCOMPARE(host.rebuilds, 1);
    page.Button(P::IdNone)->click();
    QCOMPARE(FlagsOf(host.data), (Flags{0, 0, 1, 0, 1, 0}));
    QCOMPARE(host.rebuilds, 2);
    QCOMPARE(host.modified, 2);
  }
};

QTEST_MAIN(DebugPageTest)
#include "DebugPageTest.moc"
