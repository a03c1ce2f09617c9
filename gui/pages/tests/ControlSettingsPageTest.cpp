// The Control Settings page: each field's record member, conversion, check
// and refresh as its table gives them; the enable rules of manual editing,
// D terms and flux weakening; the two rate lists; the Tab cycle with its
// candidate lists; and the worked cases of the gain calculation.
#include "PageTestUtil.h"
#include "pages/CControlSettingsComboBox.h"
#include "pages/CControlSettingsPage.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>

#include <cstddef>

namespace {

using P = CControlSettingsPage;

double ValueAt(const UserData &d, std::size_t offset, bool real) {
  const auto *base = reinterpret_cast<const unsigned char *>(&d) + offset;
  return real ? reinterpret_cast<const RealParam *>(base)->Value
              : double(reinterpret_cast<const IntParam *>(base)->Value);
}

// Another page's field that only the check repairs: without MTPA the check
// makes Ld equal to Lq.
void ArmLdSentinel(FakePageHost &host) {
  host.data.Ld.Value = 0.3;
}
bool LdCheckRan(const FakePageHost &host) {
  return host.atModified.Ld.Value == 0.6;
}

void Choose(QComboBox *list, int index) {
  list->setCurrentIndex(index);
  emit list->activated(index);
}

} // namespace

class ControlSettingsPageTest : public QObject {
  Q_OBJECT

private slots:
  void commits_data() {
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("group");
    QTest::addColumn<qulonglong>("offset");
    QTest::addColumn<bool>("real");
    QTest::addColumn<bool>("manual");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<double>("stored");
    QTest::addColumn<bool>("check");
    QTest::addColumn<bool>("refresh");
    const auto row = [](const char *tag, int id, const char *name, const char *group,
                        std::size_t offset, bool real, bool manual, const char *typed,
                        double stored, bool check, bool refresh) {
      QTest::newRow(tag) << id << QString::fromUtf8(name) << QString::fromUtf8(group)
                         << qulonglong(offset) << real << manual << QString::fromUtf8(typed)
                         << stored << check << refresh;
    };
    const char *fw = "Flux weakening controller";
    row("PWM", P::IdPwmFrequency, "PWM Frequency (Hz)", "Driving settings",
        offsetof(UserData, PWMFrequency), false, false, "16000.7", 16000, true, true);
    row("dead time", P::IdDeadTime, "Dead-time (ns)", "Driving settings",
        offsetof(UserData, DeadTime), false, false, "1000", 1000, true, false);
    row("cut-off", P::IdCutOffFrequency, "Cut-off frequency (rad/s)", "Torque and flux controller",
        offsetof(UserData, CutOffFrequency), false, false, "5000", 5000, true, true);
    row("torque P", P::IdTorquePDividend, "Torque P dividend", "Torque",
        offsetof(UserData, TorquePDividend), false, true, "2000", 2000, false, false);
    row("torque I", P::IdTorqueIDividend, "Torque I dividend", "Torque",
        offsetof(UserData, TorqueIDividend), false, true, "500.5", 500, false, false);
    row("torque init ref", P::IdTorqueInitRef, "Torque Init Ref (A)", "Torque",
        offsetof(UserData, TorqueInitRef), true, false, "0.75", 0.75, false, false);
    row("flux P", P::IdFluxPDividend, "Flux P dividend", "Flux", offsetof(UserData, FluxPDividend),
        false, true, "1234", 1234, false, false);
    row("flux I", P::IdFluxIDividend, "Flux I dividend", "Flux", offsetof(UserData, FluxIDividend),
        false, true, "321", 321, false, false);
    row("flux init ref", P::IdFluxInitRef, "Flux Init Ref (A)", "Flux",
        offsetof(UserData, FluxInitRef), true, false, "0.25", 0.25, false, false);
    row("speed P", P::IdSpeedPDividend, "Speed P dividend", "Speed controller",
        offsetof(UserData, SpeedPDividend), false, false, "900", 900, false, false);
    row("speed P divisor", P::IdSpeedPDivisor, "Speed P divisor", "Speed controller",
        offsetof(UserData, SpeedPDivisor), false, false, "100", 64, true, true);
    row("speed I", P::IdSpeedIDividend, "Speed I dividend", "Speed controller",
        offsetof(UserData, SpeedIDividend), false, false, "650", 650, false, false);
    row("speed I divisor", P::IdSpeedIDivisor, "Speed I divisor", "Speed controller",
        offsetof(UserData, SpeedIDivisor), false, false, "300", 256, true, true);
    row("speed init ref", P::IdSpeedInitRef, "Speed Init Ref (rpm)", "Speed controller",
        offsetof(UserData, SpeedInitRef), false, false, "2000", 2000, false, false);
    row("FW P", P::IdFwPDividend, "Flux weakening P dividend", fw,
        offsetof(UserData, FluxWeakeningControllerPDividend), false, false, "2500", 2500, false,
        false);
    row("FW P divisor", P::IdFwPDivisor, "Flux weakening P divisor", fw,
        offsetof(UserData, FluxWeakeningControllerPDivisor), false, false, "1000", 512, true, true);
    row("FW I", P::IdFwIDividend, "Flux weakening I dividend", fw,
        offsetof(UserData, FluxWeakeningControllerIDividend), false, false, "4000", 4000, false,
        false);
    row("FW I divisor", P::IdFwIDivisor, "Flux weakening I divisor", fw,
        offsetof(UserData, FluxWeakeningControllerIDivisor), false, false, "20000", 16384, true,
        true);
    row("voltage limit", P::IdFwVoltageLimit, "Voltage limit (%)", fw,
        offsetof(UserData, FluxWeakeningControllerVoltageLimit), true, false, "95.5", 95.5, false,
        false);
  }

  void commits() {
    QFETCH(int, id);
    QFETCH(QString, name);
    QFETCH(QString, group);
    QFETCH(qulonglong, offset);
    QFETCH(bool, real);
    QFETCH(bool, manual);
    QFETCH(QString, typed);
    QFETCH(double, stored);
    QFETCH(bool, check);
    QFETCH(bool, refresh);
    FakePageHost host;
    host.data.TorqueAndFluxGainsComputation = manual ? 0 : 1;
    P page(&host);
    page.OnSetActive();
    NumericField *f = page.Field(id);
    QVERIFY(f && f->isEnabled());
    QCOMPARE(f->accessibleName(), name);
    QCOMPARE(qobject_cast<QGroupBox *>(f->parentWidget())->title(), group);

    ArmLdSentinel(host);
    // The refresh re-shows the flux-weakening P divisor from the record (or,
    // in that row, the I divisor); 8192 is a power of two the check keeps.
    const int probe = id == P::IdFwPDivisor ? P::IdFwIDivisor : P::IdFwPDivisor;
    if (probe == P::IdFwPDivisor)
      host.data.FluxWeakeningControllerPDivisor.Value = 8192;
    else
      host.data.FluxWeakeningControllerIDivisor.Value = 8192;
    TypeAndCommit(f, typed);

    QCOMPARE(host.modified, 1);
    QCOMPARE(ValueAt(host.atModified, offset, real), stored);
    QCOMPARE(LdCheckRan(host), check);
    // The page re-shows the settings the edit changed, whichever they are
    // (the `refresh` column named the rows of the former hand-set list);
    // a value written behind its back shows at the latest at the next
    // activation.
    Q_UNUSED(refresh);
    page.OnSetActive();
    QCOMPARE(page.Field(probe)->text(), QStringLiteral("8192"));
    // What the field shows is what the record holds.
    QCOMPARE(f->GetValue(), ValueAt(host.data, offset, real));
  }

  void defaultEnableRules() {
    FakePageHost host;
    P page(&host);
    page.OnSetActive();
    QVERIFY(!page.Button(P::IdManualEditing)->isChecked());
    const auto expect = [&page](int id, bool on) {
      QVERIFY2(page.Field(id)->isEnabled() == on, qPrintable(QString::number(id)));
      QCOMPARE(page.Field(id)->TextColor(), on ? kBlack : kGrey);
    };
    for (int id : {1015, 1016, 1017, 1018, 1019, 1020, 1022, 1023, 1024, 1025, 1028, 1029})
      expect(id, false);
    for (int id :
         {1013, 1014, 1021, 1030, 1031, 1032, 1033, 1034, 1035, 1038, 1046, 1047, 1048, 1049, 1052})
      expect(id, true);
    expect(1036, false);
    expect(1037, false);
  }

  void enableRules_data() {
    QTest::addColumn<bool>("manual");
    QTest::addColumn<bool>("dTerms");
    QTest::addColumn<bool>("fluxWeakening");
    QTest::newRow("auto") << false << false << true;
    QTest::newRow("manual") << true << false << true;
    QTest::newRow("manual, D terms") << true << true << true;
    QTest::newRow("auto, D terms, no flux weakening") << false << true << false;
  }

  void enableRules() {
    QFETCH(bool, manual);
    QFETCH(bool, dTerms);
    QFETCH(bool, fluxWeakening);
    FakePageHost host;
    host.data.TorqueAndFluxGainsComputation = manual ? 0 : 1;
    host.data.CheckToEnableDifferentialTerm = dTerms;
    host.data.FluxWeakening = fluxWeakening;
    P page(&host);
    page.OnSetActive();
    const auto on = [&page](int id) { return page.Field(id)->isEnabled(); };
    for (int id : {1015, 1017, 1022, 1024})
      QCOMPARE(on(id), manual);
    for (int id : {1019, 1028})
      QCOMPARE(on(id), manual && dTerms);
    for (int id : {1016, 1018, 1020, 1023, 1025, 1029})
      QVERIFY(!on(id));
    for (int id : {1036, 1037})
      QCOMPARE(on(id), dTerms);
    for (int id : {1046, 1047, 1048, 1049, 1052})
      QCOMPARE(on(id), fluxWeakening);
  }

  void manualEditingOnAndOff() {
    FakePageHost host;
    P page(&host);
    page.OnSetActive();
    QCOMPARE(page.Field(P::IdTorquePDividend)->text(), QStringLiteral("3911"));
    QCOMPARE(page.Field(P::IdTorquePDivisor)->text(), QStringLiteral("4096"));
    QCOMPARE(page.Field(P::IdTorqueIDividend)->text(), QStringLiteral("633"));
    QCOMPARE(page.Field(P::IdTorqueIDivisor)->text(), QStringLiteral("16384"));

    page.Button(P::IdManualEditing)->click();
    QCOMPARE(host.data.TorqueAndFluxGainsComputation, 0u);
    for (int id : {1015, 1017, 1022, 1024})
      QVERIFY(page.Field(id)->isEnabled());
    QVERIFY(!page.Field(P::IdTorqueDDividend)->isEnabled());                    // D terms are off
    QCOMPARE(page.Field(P::IdTorquePDividend)->text(), QStringLiteral("3911")); // kept
    TypeAndCommit(page.Field(P::IdTorquePDividend), QStringLiteral("1000"));
    TypeAndCommit(page.Field(P::IdFluxIDividend), QStringLiteral("100"));
    QCOMPARE(host.data.TorquePDividend.Value, 1000u);

    page.Button(P::IdManualEditing)->click();
    QCOMPARE(host.data.TorqueAndFluxGainsComputation, 1u);
    QCOMPARE(page.Field(P::IdTorquePDividend)->text(), QStringLiteral("3911"));
    QCOMPARE(page.Field(P::IdTorquePDivisor)->text(), QStringLiteral("4096"));
    QCOMPARE(page.Field(P::IdFluxIDividend)->text(), QStringLiteral("633"));
    QCOMPARE(page.Field(P::IdFluxIDivisor)->text(), QStringLiteral("16384"));
    for (int id : {1015, 1017, 1022, 1024})
      QVERIFY(!page.Field(id)->isEnabled());
    QCOMPARE(host.modified, 4);
  }

  void currentRateRecomputesAtOnce() {
    FakePageHost host;
    P page(&host);
    page.OnSetActive();
    QCOMPARE(page.CurrentRateList()->currentText(), QStringLiteral("1"));
    Choose(page.CurrentRateList(), 2);
    QCOMPARE(host.data.TorqueAndFluxControlRate, 3u);
    QCOMPARE(host.data.TorqueIDividend.Value, 1901u);
    QCOMPARE(page.Field(P::IdTorqueIDividend)->text(), QStringLiteral("1901"));
    QCOMPARE(page.Field(P::IdTorqueIDivisor)->text(), QStringLiteral("16384"));
    QCOMPARE(page.Field(P::IdFluxIDividend)->text(), QStringLiteral("1901"));
    QCOMPARE(host.modified, 1);
  }

  void speedRateStoresWithoutCheck() {
    FakePageHost host;
    P page(&host);
    page.OnSetActive();
    QStringList texts;
    for (int i = 0; i < page.SpeedRateList()->count(); ++i)
      texts << page.SpeedRateList()->itemText(i);
    QCOMPARE(texts, (QStringList{"0.5", "1.0", "2.0", "5.0", "10.0", "20.0", "127.0"}));
    QCOMPARE(page.SpeedRateList()->currentText(), QStringLiteral("2.0"));
    ArmLdSentinel(host);
    Choose(page.SpeedRateList(), 0);
    QCOMPARE(host.atModified.SpeedRegulationControlRate, 0.5);
    QVERIFY(!LdCheckRan(host));
    QCOMPARE(host.modified, 1);
  }

  void unmatchedRateShowsTheFirstItem() {
    FakePageHost host;
    host.data.SpeedRegulationControlRate = 3;
    P page(&host);
    page.OnSetActive();
    QCOMPARE(page.SpeedRateList()->currentText(), QStringLiteral("0.5"));
    QCOMPARE(host.data.SpeedRegulationControlRate, 3.0);
  }

  void speedDivisorShowsItsPowerOfTwo() {
    FakePageHost host;
    P page(&host);
    page.OnSetActive();
    TypeAndCommit(page.Field(P::IdSpeedDDivisor), QStringLiteral("100")); // disabled: no effect
    QCOMPARE(host.data.SpeedDDivisor.Value, 16u);
    TypeAndCommit(page.Field(P::IdSpeedPDivisor), QStringLiteral("100"));
    QCOMPARE(page.Field(P::IdSpeedPDivisor)->text(), QStringLiteral("64"));
    QCOMPARE(host.data.SpeedPDivisor.Value, 64u);
  }

  void tooltips_data() {
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("text");
    QTest::newRow("PWM") << 1013 << "MIN = 4000\nMAX = 32000";
    QTest::newRow("dead time") << 1014 << "MIN = 500\nMAX = 3500";
    QTest::newRow("cut-off") << 1031 << "MIN = 100\nMAX = 15000";
    QTest::newRow("torque P divisor") << 1016 << "MIN = 1\nMAX = 32768";
    QTest::newRow("torque init ref") << 1021 << "MIN = 0.00\nMAX = 2.00";
    QTest::newRow("speed init ref") << 1038 << "MIN = 1\nMAX = 3600";
    QTest::newRow("voltage limit") << 1052 << "MIN = 60.0\nMAX = 100.0";
  }

  void tooltips() {
    QFETCH(int, id);
    QFETCH(QString, text);
    FakePageHost host;
    P page(&host);
    page.OnSetActive();
    QCOMPARE(page.ToolTipText(id), text);
  }

  void tabChain_data() {
    QTest::addColumn<int>("from");
    QTest::addColumn<bool>("shift");
    QTest::addColumn<bool>("manual");
    QTest::addColumn<bool>("dTerms");
    QTest::addColumn<int>("to");
    const auto row = [](const char *name, int from, bool shift, bool manual, bool dTerms, int to) {
      QTest::newRow(name) << from << shift << manual << dTerms << to;
    };
    row("1031 to 1015", 1031, false, true, false, 1015);
    row("1031 to 1021 when automatic", 1031, false, false, false, 1021);
    row("1015 to 1017", 1015, false, true, false, 1017);
    row("1017 to 1019 with D terms", 1017, false, true, true, 1019);
    row("1017 to 1021 without D terms", 1017, false, true, false, 1021);
    row("1019 back to 1017", 1019, true, true, true, 1017);
    row("1021 to 1022", 1021, false, true, false, 1022);
    row("1021 to 1030 when automatic", 1021, false, false, false, 1030);
    row("1021 back to 1019", 1021, true, true, true, 1019);
    row("1021 back to 1017", 1021, true, true, false, 1017);
    row("1021 back to 1031", 1021, true, false, false, 1031);
    row("1024 to 1028", 1024, false, true, true, 1028);
    row("1024 to 1030", 1024, false, true, false, 1030);
    row("1028 back to 1024", 1028, true, true, true, 1024);
    row("1030 back to 1028", 1030, true, true, true, 1028);
    row("1030 back to 1024", 1030, true, true, false, 1024);
    row("1030 back to 1021", 1030, true, false, false, 1021);
    row("1030 to the check box", 1030, false, false, false, 1004);
    row("1032 to 1033", 1032, false, false, false, 1033);
    row("1032 back to the check box", 1032, true, false, false, 1004);
    row("1035 to 1036", 1035, false, false, true, 1036);
    row("1035 to 1038", 1035, false, false, false, 1038);
    row("1038 to 1046", 1038, false, false, false, 1046);
    row("1038 back to 1037", 1038, true, false, true, 1037);
    row("1038 back to 1035", 1038, true, false, false, 1035);
    row("1049 to 1052", 1049, false, false, false, 1052);
    row("1052 to 1013", 1052, false, false, false, 1013);
    row("1052 back to 1049", 1052, true, false, false, 1049);
  }

  void tabChain() {
    QFETCH(int, from);
    QFETCH(bool, shift);
    QFETCH(bool, manual);
    QFETCH(bool, dTerms);
    QFETCH(int, to);
    FakePageHost host;
    host.data.TorqueAndFluxGainsComputation = manual ? 0 : 1;
    host.data.CheckToEnableDifferentialTerm = dTerms;
    P page(&host);
    page.OnSetActive();
    QVERIFY(ShowActive(page));
    PressTab(page.Field(from), shift);
    QCOMPARE(QApplication::focusWidget(), page.Control(to));
  }

  void tabFrom1038WithoutFluxWeakeningWrapsToPwm() {
    FakePageHost host;
    host.data.FluxWeakening = 0;
    P page(&host);
    page.OnSetActive();
    QVERIFY(ShowActive(page));
    PressTab(page.Field(P::IdSpeedInitRef), false);
    QCOMPARE(QApplication::focusWidget(), page.Control(P::IdPwmFrequency));
  }

  void pwmFieldsFollowTheOrdinaryChain() {
    FakePageHost host;
    P page(&host);
    page.OnSetActive();
    QVERIFY(ShowActive(page));
    PressTab(page.Field(P::IdPwmFrequency), false);
    QCOMPARE(QApplication::focusWidget(), page.Control(P::IdDeadTime));
    PressTab(page.Field(P::IdDeadTime), false);
    QCOMPARE(QApplication::focusWidget(), page.Control(P::IdSpeedRate));
  }

  // Beside the bandwidth field the controller analysis' verdict: 15000 rad/s at the
  // default 14.4 kHz gives wc Ts = 1.04, an unstable loop with one period of delay; back
  // at the default 6000 rad/s nothing is flagged. Typed values count whether Enter or
  // Tab ends them.
  void analysisFlagBesideTheBandwidth_data() {
    QTest::addColumn<bool>("tab");
    QTest::newRow("enter") << false;
    QTest::newRow("tab") << true;
  }

  void analysisFlagBesideTheBandwidth() {
    QFETCH(bool, tab);
    FakePageHost host;
    P page(&host);
    page.OnSetActive();
    QVERIFY(ShowActive(page));
    QLabel *flag = page.AnalysisFlag();
    NumericField *cutOff = page.Field(P::IdCutOffFrequency);
    QVERIFY(flag->isHidden());
    QCOMPARE(flag->parentWidget(), cutOff->parentWidget());

    const auto type = [&](const QString &text) {
      cutOff->setFocus(Qt::OtherFocusReason);
      cutOff->selectAll();
      QTest::keyClicks(cutOff, text);
      QTest::keyClick(cutOff, tab ? Qt::Key_Tab : Qt::Key_Return);
    };
    type(QStringLiteral("15000"));
    QCOMPARE(host.data.CutOffFrequency.Value, 15000u);
    QVERIFY(!flag->isHidden());
    QCOMPARE(flag->text(), QStringLiteral("Unstable current loop"));
    QCOMPARE(flag->accessibleName(), flag->text());
    QVERIFY2(
        flag->toolTip().contains(QStringLiteral("q (torque) current loop: the loop is unstable")),
        qPrintable(flag->toolTip()));
    QCOMPARE(flag->accessibleDescription(), flag->toolTip());

    type(QStringLiteral("6000"));
    QVERIFY(flag->isHidden());
    QVERIFY(flag->toolTip().isEmpty());
  }

  // A hand-typed gain runs no check and no refresh, and still updates the flag: half the
  // proportional gain puts the crossover near 3060 rad/s, half the requested 6000.
  void analysisFlagFollowsAHandTypedGain() {
    FakePageHost host;
    host.data.TorqueAndFluxGainsComputation = 0;
    P page(&host);
    page.OnSetActive();
    TypeAndCommit(page.Field(P::IdTorquePDividend), QStringLiteral("1955"));
    QCOMPARE(page.AnalysisFlag()->text(), QStringLiteral("Current loop flagged"));
    QVERIFY(page.AnalysisFlag()->toolTip().contains(QStringLiteral("from the requested 6000")));
  }

  // Another page's edit shows when this page is activated again.
  void analysisFlagIsReadOnActivation() {
    FakePageHost host;
    P page(&host);
    page.OnSetActive();
    QVERIFY(page.AnalysisFlag()->isHidden());
    host.data.R.Value = 0.01;
    PARVEX_CheckConsistency(&host.data);
    page.OnSetActive();
    QCOMPARE(page.AnalysisFlag()->text(), QStringLiteral("Gain flagged"));
  }
};

QTEST_MAIN(ControlSettingsPageTest)
#include "ControlSettingsPageTest.moc"
