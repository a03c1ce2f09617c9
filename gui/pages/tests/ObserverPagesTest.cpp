// The sensorless observer page and the auxiliary observer page: commits with
// their checks, signed gains, the gains, alignment and start-up rules, the
// described tooltip, and the Tab chains of both.
#include "PageTestUtil.h"
#include "pages/AuxSpeedFeedback3Page.h"
#include "pages/SpeedFeedback3Page.h"
#include "pages/SpeedFeedbackTables.h"

#include <QLabel>

#include <memory>

namespace {

namespace Id = SpeedFeedbackId;

std::unique_ptr<CTORVIOPropertyPage> MakePage(PageHost *h, bool aux) {
  if (aux)
    return std::make_unique<CAuxSpeedFeedback3Page>(h);
  return std::make_unique<CSpeedFeedback3Page>(h);
}

// The auxiliary observer is shown beside a main encoder with gain tuning.
void EncoderWithTuning(UserData &d) {
  d.QuadratureEncoder = 1;
  d.NoSpeedSensors = 0;
  d.EnableObserverGainTuning = 1;
  PARVEX_CheckConsistency(&d);
}

} // namespace

class ObserverPagesTest : public QObject {
  Q_OBJECT

private slots:
  void mainCommits_data() {
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("check");
    QTest::newRow("speed ramp duration") << int(Id::SpeedRampDuration) << "2000" << true;
    QTest::newRow("speed ramp final value") << int(Id::SpeedRampFinalValue) << "2500" << false;
    QTest::newRow("current ramp duration") << int(Id::CurrentRampDuration) << "300" << false;
    QTest::newRow("current ramp initial") << int(Id::CurrentRampInitialValue) << "0.5" << true;
    QTest::newRow("current ramp final") << int(Id::CurrentRampFinalValue) << "0.9" << true;
    QTest::newRow("consistency") << int(Id::ConsistencyThreshold) << "50" << false;
    QTest::newRow("speed threshold") << int(Id::SpeedThreshold) << "600" << false;
    QTest::newRow("variance") << int(Id::VarianceThreshold) << "7.5" << false;
    QTest::newRow("max errors") << int(Id::ObserverMaxErrors) << "4" << false;
  }

  void mainCommits() {
    QFETCH(int, id);
    QFETCH(QString, typed);
    QFETCH(bool, check);
    FakePageHost host;
    CSpeedFeedback3Page page(&host);
    page.OnSetActive();
    ArmCheckSentinel(host);
    TypeAndCommit(page.Field(id), typed);
    QCOMPARE(host.modified, 1);
    QCOMPARE(CheckRan(host), check);
    double typedValue = 0;
    QVERIFY(NumericField::ParseNumber(typed, &typedValue));
    QCOMPARE(page.Field(id)->GetValue(), typedValue);
  }

  void speedRampReloadsTheCurrentRampDuration() {
    FakePageHost host;
    CSpeedFeedback3Page page(&host);
    page.OnSetActive();
    TypeAndCommit(page.Field(Id::SpeedRampDuration), QStringLiteral("200"));
    // The current ramp may not last longer than the speed ramp.
    QCOMPARE(host.data.CurrentRampDuration.Value, 200u);
    QCOMPARE(page.Field(Id::CurrentRampDuration)->text(), QStringLiteral("200"));
    QCOMPARE(page.ToolTipText(Id::CurrentRampDuration), QStringLiteral("MIN = 1\nMAX = 200"));
  }

  void signedGainKeepsItsSign() {
    FakePageHost host;
    CSpeedFeedback3Page page(&host);
    page.OnSetActive();
    page.Button(Id::ManualGains)->click();
    QCOMPARE(host.data.GainsComputation, 0u);
    QVERIFY(page.Field(Id::K1)->isEnabled());
    TypeAndCommit(page.Field(Id::K1), QStringLiteral("-300"));
    QCOMPARE(host.data.K1.Value, -300);
    page.OnSetActive();
    QCOMPARE(page.Field(Id::K1)->text(), QStringLiteral("-300"));
  }

  void clearingManualRecomputesTheGains_data() {
    QTest::addColumn<bool>("aux");
    QTest::newRow("main") << false;
    QTest::newRow("aux") << true;
  }

  void clearingManualRecomputesTheGains() {
    QFETCH(bool, aux);
    FakePageHost host;
    if (aux)
      EncoderWithTuning(host.data);
    auto page = MakePage(&host, aux);
    page->OnSetActive();
    QCOMPARE(page->Field(Id::K1)->text(), QStringLiteral("-21162"));
    QCOMPARE(page->Field(Id::K2)->text(), QStringLiteral("70929"));
    QCOMPARE(page->Field(Id::PllPDividend)->text(), QStringLiteral("266"));
    QCOMPARE(page->Field(Id::PllIDividend)->text(), QStringLiteral("52"));
    page->Button(Id::ManualGains)->click();
    TypeAndCommit(page->Field(Id::K2), QStringLiteral("1000"));
    TypeAndCommit(page->Field(Id::PllPDividend), QStringLiteral("10"));
    QCOMPARE(page->Field(Id::K2)->text(), QStringLiteral("1000"));
    page->Button(Id::ManualGains)->click();
    QCOMPARE(page->Field(Id::K2)->text(), QStringLiteral("70929"));
    QCOMPARE(page->Field(Id::PllPDividend)->text(), QStringLiteral("266"));
    QVERIFY(!page->Field(Id::K2)->isEnabled());
    // Only the page's own block changed.
    const ObserverMembers &other = aux ? kMainObserver : kAuxObserver;
    QCOMPARE(host.data.*other.gainsComputation, 1u);
  }

  void gainsRule_data() {
    QTest::addColumn<bool>("aux");
    QTest::addColumn<bool>("manual");
    QTest::newRow("main, computed") << false << false;
    QTest::newRow("main, manual") << false << true;
    QTest::newRow("aux, computed") << true << false;
    QTest::newRow("aux, manual") << true << true;
  }

  void gainsRule() {
    QFETCH(bool, aux);
    QFETCH(bool, manual);
    FakePageHost host;
    if (aux)
      EncoderWithTuning(host.data);
    const ObserverMembers &m = aux ? kAuxObserver : kMainObserver;
    host.data.*m.gainsComputation = manual ? 0 : 1;
    auto page = MakePage(&host, aux);
    page->OnSetActive();
    QCOMPARE(page->Button(Id::ManualGains)->isChecked(), manual);
    for (int id : {Id::K1, Id::K2, Id::PllPDividend, Id::PllIDividend}) {
      QCOMPARE(page->Field(id)->isEnabled(), manual);
      QCOMPARE(page->Field(id)->TextColor(), manual ? kBlack : kGrey);
    }
    for (int id : {Id::PllPDivisor, Id::PllIDivisor}) {
      QVERIFY(!page->Field(id)->isEnabled());
      QCOMPARE(page->Field(id)->TextColor(), kGrey);
    }
  }

  void alignmentRule() {
    FakePageHost host;
    CSpeedFeedback3Page page(&host);
    page.OnSetActive();
    for (int id : {Id::AlignmentDuration, Id::AlignmentAngle, Id::AlignmentCurrent})
      QVERIFY(!page.Field(id)->isEnabled());
    ArmCheckSentinel(host);
    page.Button(Id::IncludeAlignment)->click();
    QCOMPARE(host.data.IncludeAlignmentBeforeStartUp, 1u);
    QVERIFY(!CheckRan(host));
    for (int id : {Id::AlignmentDuration, Id::AlignmentAngle, Id::AlignmentCurrent}) {
      QVERIFY(page.Field(id)->isEnabled());
      QCOMPARE(page.Field(id)->TextColor(), kBlack);
    }
  }

  void auxStartUpRule() {
    FakePageHost host;
    EncoderWithTuning(host.data);
    host.data.AuxIncludeAlignmentBeforeStartUp = 1; // does not enter the rule
    CAuxSpeedFeedback3Page page(&host);
    page.OnSetActive();
    for (int id = 1015; id <= 1023; ++id) {
      QVERIFY2(!page.Field(id)->isEnabled(), qPrintable(QString::number(id)));
      QCOMPARE(page.Field(id)->TextColor(), kGrey);
    }
    QVERIFY(!page.Button(Id::IncludeAlignment)->isEnabled());
    QVERIFY(page.Button(Id::ManualGains)->isEnabled());
    QVERIFY(!page.Control(Id::AlignmentDuration)); // the auxiliary observer has none
  }

  void auxStartUpInUseWhileSensorless() {
    FakePageHost host; // sensorless: the rule leaves the start-up settings on
    CAuxSpeedFeedback3Page page(&host);
    page.OnSetActive();
    for (int id = 1015; id <= 1023; ++id)
      QVERIFY(page.Field(id)->isEnabled());
  }

  void onlyTheSpeedThresholdIsDescribed_data() {
    QTest::addColumn<bool>("aux");
    QTest::newRow("main") << false;
    QTest::newRow("aux") << true;
  }

  void onlyTheSpeedThresholdIsDescribed() {
    QFETCH(bool, aux);
    FakePageHost host;
    auto page = MakePage(&host, aux);
    page->OnSetActive();
    QCOMPARE(page->ToolTipText(Id::SpeedThreshold),
             QStringLiteral("MINIMUM MECHANICAL SPEED TO VALIDATE THE CLOSED LOOP\n\n"
                            "MIN = 0\nMAX = 3600"));
    int described = 0;
    for (int id = 1015; id <= 1032; ++id)
      if (page->ToolTipText(id).startsWith(QStringLiteral("MINIMUM")))
        ++described;
    QCOMPARE(described, 1);
    QCOMPARE(page->ToolTipText(Id::K1), QStringLiteral("MIN = -2147483648\nMAX = 2147483647"));
  }

  void labels() {
    FakePageHost host;
    CSpeedFeedback3Page page(&host);
    QCOMPARE(page.Label(Id::ConsistencyThreshold)->text(),
             QStringLiteral("Consinstency threshold"));
    QCOMPARE(page.Label(Id::SpeedThreshold)->text(), QStringLiteral("Speed threshold (rpm)"));
    QCOMPARE(page.Button(Id::ManualGains)->text(), QStringLiteral("Manual editing enabled"));
  }

  void tabChain_data() {
    QTest::addColumn<bool>("aux");
    QTest::addColumn<int>("from");
    QTest::addColumn<bool>("shift");
    QTest::addColumn<int>("to");
    const auto main = [](int from, bool shift, int to) {
      QTest::newRow(qPrintable(QStringLiteral("main %1%2").arg(from).arg(shift ? " back" : "")))
          << false << from << shift << to;
    };
    main(1015, false, 1016);
    main(1015, true, kPageItself);
    main(1016, false, 1019);
    main(1019, false, 1017);
    main(1019, true, 1016);
    main(1017, false, 1018);
    main(1018, false, 1020);
    main(1020, false, 1022);
    main(1022, false, 1021);
    main(1021, false, 1023);
    main(1021, true, 1022);
    main(1023, false, Id::IncludeAlignment);
    const auto aux = [](int from, bool shift, int to) {
      QTest::newRow(qPrintable(QStringLiteral("aux %1%2").arg(from).arg(shift ? " back" : "")))
          << true << from << shift << to;
    };
    aux(1015, false, 1016);
    aux(1016, false, 1017);
    aux(1019, false, 1020);
    aux(1022, false, 1023);
    aux(1022, true, 1021);
  }

  void tabChain() {
    QFETCH(bool, aux);
    QFETCH(int, from);
    QFETCH(bool, shift);
    QFETCH(int, to);
    FakePageHost host; // sensorless: every start-up field can take the focus
    auto page = MakePage(&host, aux);
    page->OnSetActive();
    QVERIFY(ShowActive(*page));
    PressTab(page->Field(from), shift);
    QCOMPARE(QApplication::focusWidget(), page->Control(to));
  }

  void gainTabChain_data() {
    QTest::addColumn<bool>("aux");
    QTest::addColumn<int>("from");
    QTest::addColumn<bool>("shift");
    QTest::addColumn<int>("to");
    for (bool aux : {false, true}) {
      const char *suffix = aux ? " (aux)" : "";
      const auto row = [&](const char *name, int from, bool shift, int to) {
        QTest::newRow(qPrintable(QString::fromUtf8(name) + suffix)) << aux << from << shift << to;
      };
      row("K1 Tab", Id::K1, false, Id::K2);
      row("K1 Shift+Tab", Id::K1, true, Id::ManualGains);
      row("K2 Tab", Id::K2, false, Id::PllPDividend);
      row("P Tab", Id::PllPDividend, false, Id::PllIDividend);
      row("I Shift+Tab", Id::PllIDividend, true, Id::PllPDividend);
    }
    QTest::newRow("I Tab wraps") << false << int(Id::PllIDividend) << false
                                 << int(Id::SpeedRampDuration);
    QTest::newRow("I Tab to the page (aux)")
        << true << int(Id::PllIDividend) << false << kPageItself;
  }

  void gainTabChain() {
    QFETCH(bool, aux);
    QFETCH(int, from);
    QFETCH(bool, shift);
    QFETCH(int, to);
    FakePageHost host;
    const ObserverMembers &m = aux ? kAuxObserver : kMainObserver;
    host.data.*m.gainsComputation = 0;
    auto page = MakePage(&host, aux);
    page->OnSetActive();
    QVERIFY(ShowActive(*page));
    PressTab(page->Field(from), shift);
    QCOMPARE(QApplication::focusWidget(), page->Control(to));
  }
};

QTEST_MAIN(ObserverPagesTest)
#include "ObserverPagesTest.moc"
