// The Configuration page: each button writes its flags, runs the check and
// rebuilds the optional pages as its row says; the picture opens the
// support help.
#include "PageTestUtil.h"
#include "pages/CConfigurationPage.h"
#include "pages/RotorPicture.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QComboBox>
#include <QGroupBox>
#include <QMouseEvent>

#include <array>

using Flags = std::array<std::uint32_t, 11>;
Q_DECLARE_METATYPE(Flags)

namespace {

Flags FlagsOf(const UserData &d) {
  return {d.QuadratureEncoder,
          d.HallSensors,
          d.NoSpeedSensors,
          d.FluxWeakening,
          d.FeedForwardCurrentRegulation,
          d.InternalPMSMMaximunTxAStrategy,
          d.IsolatedCurrentSensors,
          d.ThreeShuntResistors,
          d.SingleShuntResistor,
          d.EnableDCBusBrakeResistorManagement,
          d.CheckToEnableDifferentialTerm};
}

} // namespace

class ConfigurationPageTest : public QObject {
  Q_OBJECT

private slots:
  // Defaults: sensorless, flux weakening, three shunts; everything else off.
  void clickCommits_data() {
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("group");
    QTest::addColumn<Flags>("after");
    QTest::addColumn<bool>("check");
    QTest::addColumn<bool>("rebuild");
    using P = CConfigurationPage;
    QTest::newRow("encoder") << int(P::IdEncoder) << "Quadrature encoder"
                             << "Speed feedback" << Flags{1, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0} << true
                             << true;
    QTest::newRow("Hall") << int(P::IdHall) << "Hall sensors"
                          << "Speed feedback" << Flags{0, 1, 0, 1, 0, 0, 0, 1, 0, 0, 0} << true
                          << true;
    QTest::newRow("sensorless, already selected")
        << int(P::IdSensorless) << "No speed sensors"
        << "Speed feedback" << Flags{0, 0, 1, 1, 0, 0, 0, 1, 0, 0, 0} << true << true;
    QTest::newRow("flux weakening")
        << int(P::IdFluxWeakening) << "Flux Weakening"
        << "FOC methods" << Flags{0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0} << false << false;
    QTest::newRow("feed forward") << int(P::IdFeedForward) << "Feed forward current regulation"
                                  << "FOC methods" << Flags{0, 0, 1, 1, 1, 0, 0, 1, 0, 0, 0}
                                  << false << false;
    QTest::newRow("MTPA") << int(P::IdMtpa) << "Internal PMSM Maximum-Torque-per-Ampere strategy"
                          << "FOC methods" << Flags{0, 0, 1, 1, 0, 1, 0, 1, 0, 0, 0} << true
                          << false;
    QTest::newRow("ICS") << int(P::IdIcs) << "Isolated Current Sensors (ICS)"
                         << "Current sensing technique" << Flags{0, 0, 1, 1, 0, 0, 1, 0, 0, 0, 0}
                         << true << false;
    QTest::newRow("three shunt") << int(P::IdThreeShunt) << "Three shunt resistors"
                                 << "Current sensing technique"
                                 << Flags{0, 0, 1, 1, 0, 0, 0, 1, 0, 0, 0} << true << false;
    QTest::newRow("single shunt") << int(P::IdSingleShunt) << "Single shunt resistor"
                                  << "Current sensing technique"
                                  << Flags{0, 0, 1, 1, 0, 0, 0, 0, 1, 0, 0} << true << false;
    QTest::newRow("brake") << int(P::IdBrake) << "Enable DC bus brake resistor management"
                           << "Brake technique" << Flags{0, 0, 1, 1, 0, 0, 0, 1, 0, 1, 0} << false
                           << false;
    QTest::newRow("differential terms")
        << int(P::IdDifferentialTerms) << "Check to enable differential term"
        << "PID differential terms" << Flags{0, 0, 1, 1, 0, 0, 0, 1, 0, 0, 1} << true << false;
  }

  void clickCommits() {
    QFETCH(int, id);
    QFETCH(QString, label);
    QFETCH(QString, group);
    QFETCH(Flags, after);
    QFETCH(bool, check);
    QFETCH(bool, rebuild);
    FakePageHost host;
    CConfigurationPage page(&host);
    page.OnSetActive();
    QAbstractButton *b = page.Button(id);
    QVERIFY(b);
    QCOMPARE(b->text(), label);
    QCOMPARE(b->accessibleName(), label);
    QCOMPARE(qobject_cast<QGroupBox *>(b->parentWidget())->title(), group);
    ArmCheckSentinel(host);
    b->click();
    QCOMPARE(FlagsOf(host.data), after);
    QCOMPARE(CheckRan(host), check);
    QCOMPARE(host.rebuilds, rebuild ? 1 : 0);
    QCOMPARE(host.rebuildsBeforeModified, host.rebuilds); // the rebuild precedes the mark
    QCOMPARE(host.modified, 1);
    QVERIFY(b->isChecked() == (b->text() == QStringLiteral("Flux Weakening") ? false : true));
  }

  void activationShowsTheFlags() {
    FakePageHost host;
    host.data.QuadratureEncoder = 1;
    host.data.HallSensors = 1; // a file with two choices of one group shows both
    host.data.NoSpeedSensors = 0;
    host.data.FeedForwardCurrentRegulation = 7; // any non-zero value counts as set
    CConfigurationPage page(&host);
    page.OnSetActive();
    QVERIFY(page.Button(CConfigurationPage::IdEncoder)->isChecked());
    QVERIFY(page.Button(CConfigurationPage::IdHall)->isChecked());
    QVERIFY(!page.Button(CConfigurationPage::IdSensorless)->isChecked());
    QVERIFY(page.Button(CConfigurationPage::IdFeedForward)->isChecked());
    QVERIFY(page.Button(CConfigurationPage::IdThreeShunt)->isChecked());
    auto *target = qobject_cast<QComboBox *>(page.Control(CConfigurationPage::IdTarget));
    QCOMPARE(target->count(), 1);
    QCOMPARE(target->currentText(), QStringLiteral("PMSM FOC Library 2.0"));
    QCOMPARE(host.modified, 0);
  }

  // The arrow keys move the selection within a group and commit it, as a
  // click does. Defaults: three shunts selected.
  void arrowKeysMoveTheSelectionAndCommit() {
    FakePageHost host;
    CConfigurationPage page(&host);
    page.OnSetActive();
    QVERIFY(ShowActive(page));
    QAbstractButton *three = page.Button(CConfigurationPage::IdThreeShunt);
    QAbstractButton *single = page.Button(CConfigurationPage::IdSingleShunt);
    three->setFocus(Qt::OtherFocusReason);
    ArmCheckSentinel(host);
    QTest::keyClick(three, Qt::Key_Down);
    QVERIFY(single->hasFocus());
    QVERIFY(single->isChecked());
    QVERIFY(!three->isChecked());
    QCOMPARE(FlagsOf(host.data), (Flags{0, 0, 1, 1, 0, 0, 0, 0, 1, 0, 0}));
    QVERIFY(CheckRan(host));
    QCOMPARE(host.modified, 1);
    QTest::keyClick(single, Qt::Key_Up);
    QVERIFY(three->hasFocus());
    QCOMPARE(FlagsOf(host.data), (Flags{0, 0, 1, 1, 0, 0, 0, 1, 0, 0, 0}));
    QCOMPARE(host.modified, 2);
  }

  // What a screen reader or a test driver sees and does through the
  // accessibility interface: radio buttons are radio buttons, and the
  // toggle action commits as a click does.
  void accessibilityRolesAndToggleAction() {
    FakePageHost host;
    CConfigurationPage page(&host);
    page.OnSetActive();
    const auto iface = [&page](int id) {
      return QAccessible::queryAccessibleInterface(page.Button(id));
    };
    QCOMPARE(iface(CConfigurationPage::IdHall)->role(), QAccessible::RadioButton);
    QCOMPARE(iface(CConfigurationPage::IdIcs)->role(), QAccessible::RadioButton);
    QCOMPARE(iface(CConfigurationPage::IdFluxWeakening)->role(), QAccessible::CheckBox);

    const QString toggle = QAccessibleActionInterface::toggleAction();
    iface(CConfigurationPage::IdFluxWeakening)->actionInterface()->doAction(toggle);
    QCOMPARE(host.data.FluxWeakening, 0u);
    QVERIFY(!page.Button(CConfigurationPage::IdFluxWeakening)->isChecked());
    QCOMPARE(host.modified, 1);

    iface(CConfigurationPage::IdHall)->actionInterface()->doAction(toggle);
    QCOMPARE(FlagsOf(host.data), (Flags{0, 1, 0, 0, 0, 0, 0, 1, 0, 0, 0}));
    QCOMPARE(host.rebuilds, 1);
    QCOMPARE(host.modified, 2);
    // Toggling the selected radio button cannot clear the group's choice.
    iface(CConfigurationPage::IdHall)->actionInterface()->doAction(toggle);
    QVERIFY(page.Button(CConfigurationPage::IdHall)->isChecked());
    QCOMPARE(host.data.HallSensors, 1u);
    QCOMPARE(host.modified, 2);
  }

  void pictureClickOpensSupportHelp() {
    FakePageHost host;
    CConfigurationPage page(&host);
    auto *picture = qobject_cast<RotorPicture *>(page.Control(CConfigurationPage::IdPicture));
    QVERIFY(picture);
    QTest::mouseClick(picture, Qt::LeftButton);
    QCOMPARE(host.help, std::vector<unsigned>{0x1800A});
    QCOMPARE(host.modified, 0);
  }

  void pictureTurnsWhileShown() {
    FakePageHost host;
    CConfigurationPage page(&host);
    auto *picture = qobject_cast<RotorPicture *>(page.Control(CConfigurationPage::IdPicture));
    QVERIFY(!picture->IsTurning());
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    QVERIFY(picture->IsTurning());
    const double start = picture->Angle();
    QTRY_VERIFY(picture->Angle() != start);
    page.hide();
    QVERIFY(!picture->IsTurning());
  }
};

QTEST_MAIN(ConfigurationPageTest)
#include "ConfigurationPageTest.moc"
