// The page base on a small page of its own: limits tooltips, conversions on
// commit, the order of the commit steps, activation and Tab candidates.
#include "PageTestUtil.h"
#include "strings/StringTable.h"

#include <QLabel>

#include <cmath>
#include <limits>

namespace {

enum {
  IdReal = 1,
  IdUnsigned,
  IdSigned,
  IdChecked,
  IdRebuilt,
  IdDescribed,
  IdBox,
  IdRadioA,
  IdRadioB
};

// Records, for each call of the two virtual operations, how many times the
// document had been marked modified by then.
class ProbePage : public CTORVIOPropertyPage {
public:
  explicit ProbePage(FakePageHost *host) : CTORVIOPropertyPage(host, "Probe"), host_(host) {
    PageTable t;
    t.groups = {{.key = "g", .title = "Group", .parent = nullptr}};
    t.controls = {
        {.id = IdReal,
         .label = "Real value",
         .group = "g",
         .param = &UserData::ShuntResistorValue,
         .tabNext = {IdUnsigned},
         .tabPrev = {kPageItself},
         .row = 0,
         .unitShown = false},
        {.id = IdUnsigned,
         .label = "Unsigned value",
         .group = "g",
         // Enabled by the model's rule: only with a speed sensor.
         .param = &UserData::SquareWavePeriod,
         .row = 1},
        {.id = IdSigned,
         .label = "Signed value",
         .group = "g",
         .param = &UserData::K1,
         .tabNext = {IdUnsigned, IdReal},
         .tabPrev = {IdUnsigned},
         .row = 2},
        {.id = IdChecked, .label = "Checked value", .group = "g", .param = &UserData::Lq, .row = 3},
        {.id = IdRebuilt,
         .kind = ControlKind::Radio,
         .label = "Rebuilt value",
         .group = "g",
         // Selects another auxiliary page.
         .flag = &UserData::ViewEncoderFeedback,
         .row = 4},
        {.id = IdDescribed,
         .label = "Described value",
         .group = "g",
         .param = &UserData::MinimumSpeed,
         .row = 5,
         .description = torvio::IDS_MIN_SPEED_DESCRIPTION},
        {.id = IdBox,
         .kind = ControlKind::InvertedCheckBox,
         .label = "Manual",
         .group = "g",
         .flag = &UserData::GainsComputation,
         .row = 6},
        {.id = IdRadioA,
         .kind = ControlKind::Radio,
         .label = "A",
         .group = "g",
         .flag = &UserData::Hall120Degrees,
         .row = 7},
        {.id = IdRadioB,
         .kind = ControlKind::Radio,
         .label = "B",
         .group = "g",
         .flag = &UserData::Hall60Degrees,
         .row = 8},
    };
    Build(t);
  }
  void RefreshDependentFields() override {
    refreshedAtModified.push_back(host_->modified);
    RefreshTableDependents();
  }
  void UpdateToolTips() override {
    tooltipsAtModified.push_back(host_->modified);
    UpdateTableToolTips();
  }
  using CTORVIOPropertyPage::SetFieldToolTip;

  std::vector<int> refreshedAtModified;
  std::vector<int> tooltipsAtModified;

private:
  FakePageHost *host_;
};

} // namespace

class PropertyPageTest : public QObject {
  Q_OBJECT

private slots:
  void tooltip_data() {
    QTest::addColumn<double>("min");
    QTest::addColumn<double>("max");
    QTest::addColumn<int>("description");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QString>("text");
    QTest::newRow("real, 3 decimals") << 0.001 << 10.0 << 0 << 3 << "MIN = 0.001\nMAX = 10.000";
    QTest::newRow("integer") << 1.0 << 65535.0 << 0 << 0 << "MIN = 1\nMAX = 65535";
    QTest::newRow("described")
        << 0.0 << 3600.0 << 102 << 0
        << "MINIMUM MECHANICAL SPEED TO VALIDATE THE CLOSED LOOP\n\nMIN = 0\nMAX = 3600";
    QTest::newRow("exact limit rounded for display")
        << 0.05 << 2.9182879377431905 << 0 << 2 << "MIN = 0.05\nMAX = 2.92";
  }

  void tooltip() {
    QFETCH(double, min);
    QFETCH(double, max);
    QFETCH(int, description);
    QFETCH(int, decimals);
    QFETCH(QString, text);
    FakePageHost host;
    ProbePage page(&host);
    page.SetFieldToolTip(page.Field(IdReal), min, max, description, decimals);
    QCOMPARE(page.ToolTipText(IdReal), text);
    const QString shown = page.Field(IdReal)->toolTip();
    QVERIFY(shown.contains(QStringLiteral("VARIABLE INFORMATION")));
    QVERIFY(shown.contains(QStringLiteral("MIN = ")));
  }

  void activationLoadsEveryControl() {
    FakePageHost host;
    host.data.ShuntResistorValue = {0.001, 0.5, 10, 3};
    host.data.SquareWavePeriod = {1, 4294967295u, 4294967295u, 0};
    host.data.K1.Value = -300;
    host.data.GainsComputation = 0;
    host.data.Hall120Degrees = 1;
    host.data.Hall60Degrees = 1; // a file may set both
    ProbePage page(&host);
    QVERIFY(page.OnSetActive());
    QCOMPARE(page.Field(IdReal)->text(), QStringLiteral("0.500"));
    // Wider than the field: shown from its left with an ellipsis.
    QCOMPARE(page.Field(IdUnsigned)->GetValue(), 4294967295.0);
    QVERIFY(page.Field(IdUnsigned)->text().startsWith(QStringLiteral("42949")));
    QCOMPARE(page.Field(IdSigned)->text(), QStringLiteral("-300"));
    QCOMPARE(page.Field(IdSigned)->Min(), -2147483648.0);
    QVERIFY(page.Button(IdBox)->isChecked());
    QVERIFY(page.Button(IdRadioA)->isChecked());
    QVERIFY(page.Button(IdRadioB)->isChecked());
    QCOMPARE(page.ToolTipText(IdDescribed),
             QStringLiteral(
                 "MINIMUM MECHANICAL SPEED TO VALIDATE THE CLOSED LOOP\n\nMIN = 0\nMAX = 3600"));
    QCOMPARE(host.modified, 0);
  }

  void activationPicksUpChangesMadeElsewhere() {
    FakePageHost host;
    ProbePage page(&host);
    page.OnSetActive();
    host.data.Lq.Value = 1.25;
    page.OnSetActive();
    QCOMPARE(page.Field(IdChecked)->text(), QStringLiteral("1.25"));
  }

  void unsafeDecimalsShowSafely() {
    FakePageHost host;
    host.data.ShuntResistorValue.Decimals = std::numeric_limits<double>::quiet_NaN();
    host.data.Lq.Decimals = 1e300;
    ProbePage page(&host);
    page.OnSetActive();
    QCOMPARE(page.Field(IdReal)->Precision(), 0);
    QCOMPARE(page.Field(IdChecked)->Precision(), 15);
  }

  void commitConverts_data() {
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<double>("stored");
    QTest::newRow("real kept as typed") << int(IdReal) << "1.375" << 1.375;
    QTest::newRow("unsigned truncated") << int(IdUnsigned) << "2.9" << 2.0;
    QTest::newRow("signed keeps its sign") << int(IdSigned) << "-300" << -300.0;
    QTest::newRow("signed truncated toward zero") << int(IdSigned) << "-7.9" << -7.0;
  }

  void commitConverts() {
    QFETCH(int, id);
    QFETCH(QString, typed);
    QFETCH(double, stored);
    FakePageHost host;
    host.data.NoSpeedSensors = 0;   // enables the unsigned field
    host.data.GainsComputation = 0; // and the signed one
    ProbePage page(&host);
    page.OnSetActive();
    TypeAndCommit(page.Field(id), typed);
    QCOMPARE(host.modified, 1);
    switch (id) {
    case IdReal:
      QCOMPARE(host.data.ShuntResistorValue.Value, stored);
      break;
    case IdUnsigned:
      QCOMPARE(double(host.data.SquareWavePeriod.Value), stored);
      QCOMPARE(page.Field(id)->text(), QStringLiteral("2")); // shows what was stored
      break;
    case IdSigned:
      QCOMPARE(double(host.data.K1.Value), stored);
      break;
    }
  }

  void commitStepsRunInOrder() {
    FakePageHost host;
    ProbePage page(&host);
    page.OnSetActive();
    page.refreshedAtModified.clear();
    page.tooltipsAtModified.clear();
    ArmCheckSentinel(host);
    TypeAndCommit(page.Field(IdChecked), QStringLiteral("0.8"));
    QCOMPARE(host.atModified.Lq.Value, 0.8);
    QVERIFY(CheckRan(host));
    // Refresh, then tooltips, both before the document is marked modified.
    QCOMPARE(page.refreshedAtModified, std::vector<int>{0});
    QCOMPARE(page.tooltipsAtModified, std::vector<int>{0});
    QCOMPARE(host.modified, 1);
  }

  void commitWithoutCheckLeavesTheRecordAlone() {
    FakePageHost host;
    host.data.GainsComputation = 0; // K1 entered by hand
    ProbePage page(&host);
    page.OnSetActive();
    ArmCheckSentinel(host);
    // The model runs no check after K1 (a gain entered by hand).
    TypeAndCommit(page.Field(IdSigned), QStringLiteral("5"));
    QVERIFY(!CheckRan(host));
    QCOMPARE(host.modified, 1);
    QCOMPARE(host.rebuilds, 0);
  }

  void rebuildComesBeforeModified() {
    FakePageHost host;
    ProbePage page(&host);
    page.OnSetActive();
    ArmCheckSentinel(host);
    page.Button(IdRebuilt)->click();
    QVERIFY(CheckRan(host));
    QCOMPARE(host.rebuildsBeforeModified, 1);
    QCOMPARE(host.modified, 1);
  }

  void buttonsWriteTheirFlags() {
    FakePageHost host;
    ProbePage page(&host);
    page.OnSetActive();
    page.Button(IdBox)->click();
    QCOMPARE(host.data.GainsComputation, 0u);
    page.Button(IdBox)->click();
    QCOMPARE(host.data.GainsComputation, 1u);
    page.Button(IdRadioB)->click();
    QCOMPARE(host.data.Hall120Degrees, 0u);
    QCOMPARE(host.data.Hall60Degrees, 1u);
    QVERIFY(!page.Button(IdRadioA)->isChecked());
    // Clicking the selected button keeps it selected and still commits.
    page.Button(IdRadioB)->click();
    QVERIFY(page.Button(IdRadioB)->isChecked());
    QCOMPARE(host.data.Hall60Degrees, 1u);
    QCOMPARE(host.modified, 4);
  }

  void enableRuleGreysTheField() {
    FakePageHost host;
    host.data.NoSpeedSensors = 1;
    ProbePage page(&host);
    page.OnSetActive();
    QVERIFY(!page.Field(IdUnsigned)->isEnabled());
    QCOMPARE(page.Field(IdUnsigned)->TextColor(), kGrey);
    host.data.NoSpeedSensors = 0;
    page.OnSetActive();
    QVERIFY(page.Field(IdUnsigned)->isEnabled());
    QCOMPARE(page.Field(IdUnsigned)->TextColor(), kBlack);
  }

  void accessibleNamesAreTheLabels() {
    FakePageHost host;
    ProbePage page(&host);
    QCOMPARE(page.Field(IdReal)->accessibleName(), QStringLiteral("Real value"));
    QCOMPARE(page.Label(IdReal)->buddy(), page.Field(IdReal));
    QCOMPARE(page.Button(IdBox)->accessibleName(), QStringLiteral("Manual"));
  }

  void tabTakesTheFirstEnabledCandidate() {
    FakePageHost host;
    host.data.NoSpeedSensors = 1; // the unsigned field is disabled
    ProbePage page(&host);
    page.OnSetActive();
    QVERIFY(ShowActive(page));
    PressTab(page.Field(IdSigned), false);
    QCOMPARE(QApplication::focusWidget(), page.Field(IdReal));
    // Shift+Tab from the first field gives the focus to the page itself.
    PressTab(page.Field(IdReal), true);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(&page));
  }

  void fieldsWithoutHandlersLeaveTabToTheChain() {
    FakePageHost host;
    ProbePage page(&host);
    QVERIFY(page.Field(IdReal)->KeepsTab());
    QVERIFY(!page.Field(IdChecked)->KeepsTab());
  }
};

QTEST_MAIN(PropertyPageTest)
#include "PropertyPageTest.moc"
