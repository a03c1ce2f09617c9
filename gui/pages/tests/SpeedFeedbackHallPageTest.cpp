// The Hall sensors page, main and auxiliary: the placement radio buttons,
// the phase shift and the speed pair, each writing its own side's member
// only; tooltips and Tab chain; and the speed pair the main page shares with
// the encoder page.
#include "SpeedFeedbackSides.h"
#include "pages/CConfigurationPage.h"

#include <QLabel>

namespace {

using P = CSpeedFeedbackPage;

PageKind HallPage(Side side) {
  return PageOf(Sensor::Hall, side);
}

} // namespace

class SpeedFeedbackHallPageTest : public QObject {
  Q_OBJECT

private slots:
  void commits_data() {
    AddCommitColumns();
    const char *errors = "Speed measurement errors management";
    for (Side side : kSides) {
      NewRow(side, QStringLiteral("phase shift")) << 1014 << "Phase Shift"
                                                  << "Hall sensors placement"
                                                  << "PhaseShift"
                                                  << "120.9" << 120.0 << false << 300.0;
      NewRow(side, QStringLiteral("min speed"))
          << 1015 << "Min mechanical speed (rpm)" << errors << "MinMechanicalSpeed"
          << "250" << 250.0 << true << 60.0;
      NewRow(side, QStringLiteral("max speed"))
          << 1016 << "Max mechanical speed (rpm)" << errors << "MaxMechanicalSpeed"
          << "12000.5" << 12000.0 << true << 30000.0;
    }
  }

  void commits() { CheckCommit(Sensor::Hall, nullptr, true); }

  void speedEditReloadsThePair_data() {
    AddSideColumn();
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("other");
    QTest::addColumn<double>("min");
    QTest::addColumn<double>("max");
    QTest::addColumn<QString>("tip");
    for (Side side : kSides) {
      NewRow(side, QStringLiteral("max bounds the min"))
          << 1016 << "5000" << 1015 << 1.0 << 5000.0 << "MIN = 1\nMAX = 5000";
      NewRow(side, QStringLiteral("min bounds the max"))
          << 1015 << "500" << 1016 << 500.0 << 200000.0 << "MIN = 500\nMAX = 200000";
    }
  }

  // An edit of one speed limit reloads the other field's limits and tooltip.
  void speedEditReloadsThePair() {
    QFETCH(Side, side);
    QFETCH(int, id);
    QFETCH(QString, typed);
    QFETCH(int, other);
    QFETCH(double, min);
    QFETCH(double, max);
    QFETCH(QString, tip);
    FakePageHost host;
    P page(&host, HallPage(side));
    page.OnSetActive();
    TypeAndCommit(page.Field(id), typed);
    QCOMPARE(page.Field(other)->Min(), min);
    QCOMPARE(page.Field(other)->Max(), max);
    QCOMPARE(page.ToolTipText(other), tip);
  }

  void radios_data() {
    AddSideColumn();
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("label");
    QTest::addColumn<quint32>("start120");
    QTest::addColumn<quint32>("start60");
    QTest::addColumn<quint32>("hall120");
    QTest::addColumn<quint32>("hall60");
    for (Side side : kSides) {
      NewRow(side, QStringLiteral("60 degrees")) << 1002 << "60 degrees" << 1u << 0u << 0u << 1u;
      NewRow(side, QStringLiteral("120 degrees, already selected"))
          << 1001 << "120 degrees" << 1u << 0u << 1u << 0u;
      NewRow(side, QStringLiteral("60 degrees, none selected"))
          << 1002 << "60 degrees" << 0u << 0u << 0u << 1u;
      NewRow(side, QStringLiteral("120 degrees, none selected"))
          << 1001 << "120 degrees" << 0u << 0u << 1u << 0u;
    }
  }

  void radios() {
    QFETCH(Side, side);
    QFETCH(int, id);
    QFETCH(QString, label);
    QFETCH(quint32, start120);
    QFETCH(quint32, start60);
    QFETCH(quint32, hall120);
    QFETCH(quint32, hall60);
    FakePageHost host;
    Write(host.data, side, "Hall120Degrees", start120);
    Write(host.data, side, "Hall60Degrees", start60);
    P page(&host, HallPage(side));
    page.OnSetActive();
    QCOMPARE(page.Button(1001)->isChecked(), start120 == 1);
    QCOMPARE(page.Button(1002)->isChecked(), start60 == 1);
    QAbstractButton *b = page.Button(id);
    QCOMPARE(b->text(), label);
    QCOMPARE(FrameOf(b), QStringLiteral("Hall sensors placement"));
    ArmCheckSentinel(host);
    b->click();
    QCOMPARE(Read(host.data, side, "Hall120Degrees"), double(hall120));
    QCOMPARE(Read(host.data, side, "Hall60Degrees"), double(hall60));
    // The other side's placement keeps its default.
    QCOMPARE(Read(host.data, OtherSide(side), "Hall120Degrees"), 1.0);
    QCOMPARE(Read(host.data, OtherSide(side), "Hall60Degrees"), 0.0);
    QVERIFY(!CheckRan(host));
    QCOMPARE(host.modified, 1);
    page.OnSetActive();
    QCOMPARE(page.Button(1001)->isChecked(), hall120 == 1);
    QCOMPARE(page.Button(1002)->isChecked(), hall60 == 1);
  }

  void radiosShowTheRawFlags_data() {
    AddSideColumn();
    for (Side side : kSides)
      NewRow(side, QStringLiteral("60 degrees stored as 5"));
  }

  void radiosShowTheRawFlags() {
    QFETCH(Side, side);
    FakePageHost host;
    Write(host.data, side, "Hall120Degrees", 0);
    Write(host.data, side, "Hall60Degrees", 5);
    P page(&host, HallPage(side));
    page.OnSetActive();
    QVERIFY(!page.Button(1001)->isChecked());
    QVERIFY(page.Button(1002)->isChecked());
  }

  // Both main pages edit the one pair: a limit typed here is what the
  // encoder page shows once the sensor is switched, and the reverse.
  void speedPairSharedWithTheEncoderPage() {
    FakePageHost host;
    host.data.HallSensors = 1;
    host.data.NoSpeedSensors = 0;
    {
      P hall(&host, PageKind::SpeedFeedback2);
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
    P hall(&host, PageKind::SpeedFeedback2);
    hall.OnSetActive();
    QCOMPARE(hall.Field(1015)->text(), QStringLiteral("150"));
    QCOMPARE(hall.Field(1016)->text(), QStringLiteral("9000"));
  }

  void tooltips_data() {
    AddSideColumn();
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("text");
    for (Side side : kSides) {
      NewRow(side, QStringLiteral("phase shift")) << 1014 << "MIN = 0\nMAX = 359";
      NewRow(side, QStringLiteral("min speed")) << 1015 << "MIN = 1\nMAX = 30000";
      NewRow(side, QStringLiteral("max speed")) << 1016 << "MIN = 60\nMAX = 200000";
    }
  }

  void tooltips() {
    QFETCH(Side, side);
    QFETCH(int, id);
    QFETCH(QString, text);
    FakePageHost host;
    P page(&host, HallPage(side));
    page.OnSetActive();
    QCOMPARE(page.ToolTipText(id), text);
  }

  void tabChain_data() {
    AddSideColumn();
    QTest::addColumn<int>("from");
    QTest::addColumn<bool>("shift");
    QTest::addColumn<int>("to");
    for (Side side : kSides) {
      NewRow(side, QStringLiteral("phase shift, Tab")) << 1014 << false << 1015;
      NewRow(side, QStringLiteral("phase shift, Shift+Tab")) << 1014 << true << 1002;
      NewRow(side, QStringLiteral("min, Tab")) << 1015 << false << 1016;
      NewRow(side, QStringLiteral("min, Shift+Tab")) << 1015 << true << 1014;
      NewRow(side, QStringLiteral("max, Tab")) << 1016 << false << 1001;
      NewRow(side, QStringLiteral("max, Shift+Tab")) << 1016 << true << 1015;
    }
  }

  void tabChain() {
    QFETCH(Side, side);
    QFETCH(int, from);
    QFETCH(bool, shift);
    QFETCH(int, to);
    FakePageHost host;
    P page(&host, HallPage(side));
    page.OnSetActive();
    QVERIFY(ShowActive(page));
    PressTab(page.Field(from), shift);
    QCOMPARE(QApplication::focusWidget(), page.Control(to));
  }
};

QTEST_MAIN(SpeedFeedbackHallPageTest)
#include "SpeedFeedbackHallPageTest.moc"
