// The auxiliary Hall page: the Hall page on the Aux members.
#include "PageTestUtil.h"
#include "pages/CSpeedFeedbackPage.h"

#include <QGroupBox>
#include <QLabel>

#include <cstddef>

namespace {

using P = CSpeedFeedbackPage;
constexpr PageKind kKind = PageKind::AuxSpeedFeedback2;

QString FrameOf(QWidget *w) {
  auto *box = qobject_cast<QGroupBox *>(w->parentWidget());
  return box ? box->title() : QString();
}

} // namespace

class AuxSpeedFeedback2PageTest : public QObject {
  Q_OBJECT

private slots:
  void commits_data() {
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("frame");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<quint32>("aux");
    QTest::addColumn<quint32>("main");
    QTest::addColumn<bool>("check");
    const char *errors = "Speed measurement errors management";
    QTest::newRow("phase shift") << 1014 << "Phase Shift"
                                 << "Hall sensors placement"
                                 << "45.9" << 45u << 300u << false;
    QTest::newRow("min speed") << 1015 << "Min mechanical speed (rpm)" << errors << "75" << 75u
                               << 60u << true;
    QTest::newRow("max speed") << 1016 << "Max mechanical speed (rpm)" << errors << "8000" << 8000u
                               << 30000u << true;
  }

  void commits() {
    QFETCH(int, id);
    QFETCH(QString, label);
    QFETCH(QString, frame);
    QFETCH(QString, typed);
    QFETCH(quint32, aux);
    QFETCH(quint32, main);
    QFETCH(bool, check);
    FakePageHost host;
    P page(&host, kKind);
    QCOMPARE(page.Caption(), QStringLiteral("Aux speed feedback"));
    page.OnSetActive();
    NumericField *f = page.Field(id);
    QCOMPARE(page.Label(id)->text(), label);
    QCOMPARE(FrameOf(f), frame);
    ArmCheckSentinel(host);
    TypeAndCommit(f, typed);
    const IntParam UserData::*auxMember[] = {&UserData::AuxPhaseShift,
                                             &UserData::AuxMinMechanicalSpeed,
                                             &UserData::AuxMaxMechanicalSpeed};
    const IntParam UserData::*mainMember[] = {&UserData::PhaseShift, &UserData::MinMechanicalSpeed,
                                              &UserData::MaxMechanicalSpeed};
    QCOMPARE((host.atModified.*auxMember[id - 1014]).Value, aux);
    QCOMPARE((host.atModified.*mainMember[id - 1014]).Value, main);
    QCOMPARE(CheckRan(host), check);
    QCOMPARE(host.modified, 1);
  }

  void speedEditReloadsTheAuxPair() {
    FakePageHost host;
    P page(&host, kKind);
    page.OnSetActive();
    TypeAndCommit(page.Field(1015), QStringLiteral("500"));
    QCOMPARE(page.Field(1016)->Min(), 500.0);
    QCOMPARE(page.ToolTipText(1016), QStringLiteral("MIN = 500\nMAX = 200000"));
  }

  void radios_data() {
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("label");
    QTest::addColumn<quint32>("hall120");
    QTest::addColumn<quint32>("hall60");
    QTest::newRow("60 degrees") << 1002 << "60 degrees" << 0u << 1u;
    QTest::newRow("120 degrees") << 1001 << "120 degrees" << 1u << 0u;
  }

  void radios() {
    QFETCH(int, id);
    QFETCH(QString, label);
    QFETCH(quint32, hall120);
    QFETCH(quint32, hall60);
    FakePageHost host;
    host.data.AuxHall120Degrees = 0;
    host.data.AuxHall60Degrees = 0;
    P page(&host, kKind);
    page.OnSetActive();
    QVERIFY(!page.Button(1001)->isChecked() && !page.Button(1002)->isChecked());
    QCOMPARE(page.Button(id)->text(), label);
    ArmCheckSentinel(host);
    page.Button(id)->click();
    QCOMPARE(host.data.AuxHall120Degrees, hall120);
    QCOMPARE(host.data.AuxHall60Degrees, hall60);
    // The main placement keeps its default.
    QCOMPARE(host.data.Hall120Degrees, 1u);
    QCOMPARE(host.data.Hall60Degrees, 0u);
    QVERIFY(!CheckRan(host));
    QCOMPARE(host.modified, 1);
    page.OnSetActive();
    QCOMPARE(page.Button(1001)->isChecked(), hall120 == 1);
    QCOMPARE(page.Button(1002)->isChecked(), hall60 == 1);
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

QTEST_MAIN(AuxSpeedFeedback2PageTest)
#include "AuxSpeedFeedback2PageTest.moc"
