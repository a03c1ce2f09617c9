// The Hall sensors page: the placement radio buttons, the phase shift and
// the speed pair it shares with the encoder page, tooltips and Tab chain.
#include "PageTestUtil.h"
#include "pages/CConfigurationPage.h"
#include "pages/CSpeedFeedbackPage.h"

#include <QGroupBox>
#include <QLabel>

#include <cstddef>

namespace {

using P = CSpeedFeedbackPage;
constexpr PageKind kKind = PageKind::SpeedFeedback2;

double ValueAt(const UserData &d, std::size_t offset) {
  return double(
      reinterpret_cast<const IntParam *>(reinterpret_cast<const unsigned char *>(&d) + offset)
          ->Value);
}

QString FrameOf(QWidget *w) {
  auto *box = qobject_cast<QGroupBox *>(w->parentWidget());
  return box ? box->title() : QString();
}

} // namespace

class SpeedFeedback2PageTest : public QObject {
  Q_OBJECT

private slots:
  void commits_data() {
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("frame");
    QTest::addColumn<qulonglong>("offset");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<double>("stored");
    QTest::addColumn<bool>("check");
    const char *errors = "Speed measurement errors management";
    QTest::newRow("phase shift") << 1014 << "Phase Shift"
                                 << "Hall sensors placement"
                                 << qulonglong(offsetof(UserData, PhaseShift)) << "120.9" << 120.0
                                 << false;
    QTest::newRow("min speed") << 1015 << "Min mechanical speed (rpm)" << errors
                               << qulonglong(offsetof(UserData, MinMechanicalSpeed)) << "250"
                               << 250.0 << true;
    QTest::newRow("max speed") << 1016 << "Max mechanical speed (rpm)" << errors
                               << qulonglong(offsetof(UserData, MaxMechanicalSpeed)) << "12000.5"
                               << 12000.0 << true;
  }

  void commits() {
    QFETCH(int, id);
    QFETCH(QString, label);
    QFETCH(QString, frame);
    QFETCH(qulonglong, offset);
    QFETCH(QString, typed);
    QFETCH(double, stored);
    QFETCH(bool, check);
    FakePageHost host;
    P page(&host, kKind);
    QCOMPARE(page.Caption(), QStringLiteral("Speed feedback"));
    QVERIFY(page.OnSetActive());
    NumericField *f = page.Field(id);
    QVERIFY(f && f->isEnabled());
    QCOMPARE(page.Label(id)->text(), label);
    QCOMPARE(FrameOf(f), frame);
    ArmCheckSentinel(host);
    TypeAndCommit(f, typed);
    QCOMPARE(host.modified, 1);
    QCOMPARE(ValueAt(host.atModified, offset), stored);
    QCOMPARE(CheckRan(host), check);
    QCOMPARE(host.rebuilds, 0);
  }

  void speedEditReloadsThePair() {
    FakePageHost host;
    P page(&host, kKind);
    page.OnSetActive();
    TypeAndCommit(page.Field(1016), QStringLiteral("5000"));
    QCOMPARE(page.Field(1015)->Max(), 5000.0);
    QCOMPARE(page.ToolTipText(1015), QStringLiteral("MIN = 1\nMAX = 5000"));
  }

  void radios_data() {
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("label");
    QTest::addColumn<quint32>("hall120");
    QTest::addColumn<quint32>("hall60");
    QTest::newRow("60 degrees") << 1002 << "60 degrees" << 0u << 1u;
    QTest::newRow("120 degrees, already selected") << 1001 << "120 degrees" << 1u << 0u;
  }

  void radios() {
    QFETCH(int, id);
    QFETCH(QString, label);
    QFETCH(quint32, hall120);
    QFETCH(quint32, hall60);
    FakePageHost host;
    P page(&host, kKind);
    page.OnSetActive();
    QAbstractButton *b = page.Button(id);
    QCOMPARE(b->text(), label);
    QCOMPARE(FrameOf(b), QStringLiteral("Hall sensors placement"));
    ArmCheckSentinel(host);
    b->click();
    QCOMPARE(host.data.Hall120Degrees, hall120);
    QCOMPARE(host.data.Hall60Degrees, hall60);
    QVERIFY(!CheckRan(host));
    QCOMPARE(host.modified, 1);
    page.OnSetActive();
    QCOMPARE(page.Button(1001)->isChecked(), hall120 == 1);
    QCOMPARE(page.Button(1002)->isChecked(), hall60 == 1);
  }

  void radiosShowTheRawFlags() {
    FakePageHost host;
    host.data.Hall120Degrees = 0;
    host.data.Hall60Degrees = 5;
    P page(&host, kKind);
    page.OnSetActive();
    QVERIFY(!page.Button(1001)->isChecked());
    QVERIFY(page.Button(1002)->isChecked());
  }

  // Both pages edit the one pair: a limit typed here is what the encoder
  // page shows once the sensor is switched, and the reverse.
  void speedPairSharedWithTheEncoderPage() {
    FakePageHost host;
    host.data.HallSensors = 1;
    host.data.NoSpeedSensors = 0;
    {
      P hall(&host, kKind);
      hall.OnSetActive();
      TypeAndCommit(hall.Field(1015), QStringLiteral("150"));
    }
    CConfigurationPage config(&host);
    config.OnSetActive();
    config.Button(CConfigurationPage::IdEncoder)->click();
    QCOMPARE(host.rebuilds, 1);
    {
      CSpeedFeedbackPage encoder(&host, PageKind::SpeedFeedback1);
      encoder.OnSetActive();
      QCOMPARE(encoder.Field(1014)->text(), QStringLiteral("150"));
      TypeAndCommit(encoder.Field(1015), QStringLiteral("9000"));
    }
    config.Button(CConfigurationPage::IdHall)->click();
    P hall(&host, kKind);
    hall.OnSetActive();
    QCOMPARE(hall.Field(1015)->text(), QStringLiteral("150"));
    QCOMPARE(hall.Field(1016)->text(), QStringLiteral("9000"));
  }

  void tooltips() {
    FakePageHost host;
    P page(&host, kKind);
    page.OnSetActive();
    QCOMPARE(page.ToolTipText(1014), QStringLiteral("MIN = 0\nMAX = 359"));
    QCOMPARE(page.ToolTipText(1015), QStringLiteral("MIN = 1\nMAX = 30000"));
    QCOMPARE(page.ToolTipText(1016), QStringLiteral("MIN = 60\nMAX = 200000"));
  }

  void tabChain_data() {
    QTest::addColumn<int>("from");
    QTest::addColumn<bool>("shift");
    QTest::addColumn<int>("to");
    QTest::newRow("phase shift, Tab") << 1014 << false << 1015;
    QTest::newRow("phase shift, Shift+Tab") << 1014 << true << 1002;
    QTest::newRow("min, Tab") << 1015 << false << 1016;
    QTest::newRow("min, Shift+Tab") << 1015 << true << 1014;
    QTest::newRow("max, Tab") << 1016 << false << 1001;
    QTest::newRow("max, Shift+Tab") << 1016 << true << 1015;
  }

  void tabChain() {
    QFETCH(int, from);
    QFETCH(bool, shift);
    QFETCH(int, to);
    FakePageHost host;
    P page(&host, kKind);
    page.OnSetActive();
    QVERIFY(ShowActive(page));
    PressTab(page.Field(from), shift);
    QCOMPARE(QApplication::focusWidget(), page.Control(to));
  }
};

QTEST_MAIN(SpeedFeedback2PageTest)
#include "SpeedFeedback2PageTest.moc"
