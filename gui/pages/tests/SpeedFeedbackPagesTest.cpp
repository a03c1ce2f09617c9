// The encoder and Hall pages and their auxiliary mirrors: every field
// commits to its own member (main or Aux, never the other), the speed
// limits run the check and re-show both limits, the Hall radios keep one
// flag set, and the Tab chains are the fixed ones.
#include "PageTestUtil.h"
#include "pages/AuxSpeedFeedback1Page.h"
#include "pages/AuxSpeedFeedback2Page.h"
#include "pages/SpeedFeedback1Page.h"
#include "pages/SpeedFeedback2Page.h"
#include "pages/SpeedFeedbackTables.h"

#include <QGroupBox>
#include <QLabel>

#include <cstddef>
#include <memory>

namespace {

namespace Id = SpeedFeedbackId;

double ValueAt(const UserData &d, std::size_t offset, bool real) {
  const auto *base = reinterpret_cast<const unsigned char *>(&d) + offset;
  return real ? reinterpret_cast<const RealParam *>(base)->Value
              : double(reinterpret_cast<const IntParam *>(base)->Value);
}

// The auxiliary block lies 448 bytes before the main one.
constexpr std::size_t kAuxShift = 448;

std::unique_ptr<CTORVIOPropertyPage> MakeEncoderPage(PageHost *h, bool aux) {
  if (aux)
    return std::make_unique<CAuxSpeedFeedback1Page>(h);
  return std::make_unique<CSpeedFeedback1Page>(h);
}

std::unique_ptr<CTORVIOPropertyPage> MakeHallPage(PageHost *h, bool aux) {
  if (aux)
    return std::make_unique<CAuxSpeedFeedback2Page>(h);
  return std::make_unique<CSpeedFeedback2Page>(h);
}

} // namespace

class SpeedFeedbackPagesTest : public QObject {
  Q_OBJECT

  static void AddMirrorRows(const char *name, int id, const char *label, const char *group,
                            std::size_t offset, bool real, const char *typed, double stored,
                            bool check) {
    for (bool aux : {false, true})
      QTest::newRow(qPrintable(QString::fromUtf8(name) + (aux ? " (aux)" : "")))
          << aux << id << QString::fromUtf8(label) << QString::fromUtf8(group)
          << qulonglong(aux ? offset - kAuxShift : offset) << qulonglong(offset) << real
          << QString::fromUtf8(typed) << stored << check;
  }

  static void AddColumns() {
    QTest::addColumn<bool>("aux");
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("group");
    QTest::addColumn<qulonglong>("offset");
    QTest::addColumn<qulonglong>("mainOffset");
    QTest::addColumn<bool>("real");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<double>("stored");
    QTest::addColumn<bool>("check");
  }

  static void RunCommit(CTORVIOPropertyPage &page, FakePageHost &host) {
    QFETCH(bool, aux);
    QFETCH(int, id);
    QFETCH(QString, label);
    QFETCH(QString, group);
    QFETCH(qulonglong, offset);
    QFETCH(qulonglong, mainOffset);
    QFETCH(bool, real);
    QFETCH(QString, typed);
    QFETCH(double, stored);
    QFETCH(bool, check);
    page.OnSetActive();
    QCOMPARE(page.Label(id)->text(), label);
    QCOMPARE(qobject_cast<QGroupBox *>(page.Field(id)->parentWidget())->title(), group);
    const UserData before = host.data;
    ArmCheckSentinel(host);
    TypeAndCommit(page.Field(id), typed);
    QCOMPARE(host.modified, 1);
    QCOMPARE(ValueAt(host.atModified, offset, real), stored);
    QCOMPARE(CheckRan(host), check);
    // The other block keeps its value.
    const std::size_t other = aux ? mainOffset : mainOffset - kAuxShift;
    QCOMPARE(ValueAt(host.data, other, real), ValueAt(before, other, real));
  }

private slots:
  void encoderCommits_data() {
    AddColumns();
    const char *errors = "Speed measurement errors management";
    AddMirrorRows("pulses", Id::PulsesPerRevolution, "Pulses per revolution",
                  "Quadrature encoder characteristics", offsetof(UserData, PulsesPerRevolution),
                  false, "1024.7", 1024, false);
    AddMirrorRows("min speed", Id::EncoderMinSpeed, "Min mechanical speed (rpm)", errors,
                  offsetof(UserData, MinMechanicalSpeed), false, "100", 100, true);
    AddMirrorRows("max speed", Id::EncoderMaxSpeed, "Max mechanical speed (rpm)", errors,
                  offsetof(UserData, MaxMechanicalSpeed), false, "20000", 20000, true);
    AddMirrorRows("max errors", Id::EncoderMaxErrors, "Max errors number", errors,
                  offsetof(UserData, MaxErrorsNumber), false, "5", 5, false);
    AddMirrorRows("FIFO", Id::FifoDepth, "FIFO depth", errors, offsetof(UserData, FIFODepth), false,
                  "16", 16, false);
    AddMirrorRows("duration", Id::EncoderAlignmentDuration, "Duration (ms)", "Alignment settings",
                  offsetof(UserData, AlignmentDuration), false, "800", 800, false);
    AddMirrorRows("angle", Id::EncoderAlignmentAngle, "Alignment angle (deg)", "Alignment settings",
                  offsetof(UserData, AlignmentAngle), false, "37.9", 37, false);
    AddMirrorRows("current", Id::EncoderAlignmentCurrent, "Current (A 0-peak)",
                  "Alignment settings", offsetof(UserData, AlignmentCurrent), true, "1.37", 1.37,
                  false);
  }

  void encoderCommits() {
    QFETCH(bool, aux);
    FakePageHost host;
    auto page = MakeEncoderPage(&host, aux);
    RunCommit(*page, host);
  }

  void hallCommits_data() {
    AddColumns();
    const char *errors = "Speed measurement errors management";
    AddMirrorRows("phase shift", Id::PhaseShift, "Phase Shift", "Hall sensors placement",
                  offsetof(UserData, PhaseShift), false, "120", 120, false);
    AddMirrorRows("min speed", Id::HallMinSpeed, "Min mechanical speed (rpm)", errors,
                  offsetof(UserData, MinMechanicalSpeed), false, "100", 100, true);
    AddMirrorRows("max speed", Id::HallMaxSpeed, "Max mechanical speed (rpm)", errors,
                  offsetof(UserData, MaxMechanicalSpeed), false, "20000", 20000, true);
  }

  void hallCommits() {
    QFETCH(bool, aux);
    FakePageHost host;
    auto page = MakeHallPage(&host, aux);
    RunCommit(*page, host);
  }

  void speedLimitsAreReshownAfterTheCheck() {
    FakePageHost host;
    CSpeedFeedback1Page page(&host);
    page.OnSetActive();
    // A minimum above the maximum is exchanged with it by the check.
    TypeAndCommit(page.Field(Id::EncoderMinSpeed), QStringLiteral("30000"));
    QCOMPARE(host.data.MinMechanicalSpeed.Value, 30000u);
    QCOMPARE(page.Field(Id::EncoderMaxSpeed)->Min(), 30000.0);
    QCOMPARE(page.ToolTipText(Id::EncoderMaxSpeed), QStringLiteral("MIN = 30000\nMAX = 200000"));
  }

  void hallRadios_data() {
    QTest::addColumn<bool>("aux");
    QTest::newRow("main") << false;
    QTest::newRow("aux") << true;
  }

  void hallRadios() {
    QFETCH(bool, aux);
    FakePageHost host;
    auto page = MakeHallPage(&host, aux);
    page->OnSetActive();
    const HallMembers &m = aux ? kAuxHall : kMainHall;
    const HallMembers &other = aux ? kMainHall : kAuxHall;
    QVERIFY(page->Button(Id::Hall120)->isChecked());
    ArmCheckSentinel(host);
    page->Button(Id::Hall60)->click();
    QCOMPARE(host.data.*m.placement120, 0u);
    QCOMPARE(host.data.*m.placement60, 1u);
    QCOMPARE(host.data.*other.placement120, 1u);
    QVERIFY(!CheckRan(host));
    QCOMPARE(host.modified, 1);
    page->OnSetActive();
    QVERIFY(!page->Button(Id::Hall120)->isChecked());
    QVERIFY(page->Button(Id::Hall60)->isChecked());
  }

  void encoderTooltips() {
    FakePageHost host;
    CSpeedFeedback1Page page(&host);
    page.OnSetActive();
    QCOMPARE(page.ToolTipText(Id::PulsesPerRevolution), QStringLiteral("MIN = 1\nMAX = 65536"));
    QCOMPARE(page.ToolTipText(Id::EncoderAlignmentCurrent),
             QStringLiteral("MIN = 0.05\nMAX = 2.00"));
  }

  void encoderTabChain_data() {
    QTest::addColumn<bool>("aux");
    QTest::addColumn<int>("from");
    QTest::addColumn<bool>("shift");
    QTest::addColumn<int>("to");
    for (bool aux : {false, true}) {
      const char *suffix = aux ? " (aux)" : "";
      const auto row = [&](const char *name, int from, bool shift, int to) {
        QTest::newRow(qPrintable(QString::fromUtf8(name) + suffix)) << aux << from << shift << to;
      };
      row("1013 Tab", 1013, false, 1014);
      row("1013 Shift+Tab", 1013, true, kPageItself);
      row("1014 Tab", 1014, false, 1015);
      row("1014 Shift+Tab", 1014, true, 1013);
      row("1015 Tab", 1015, false, 1016);
      row("1016 Tab", 1016, false, 1017);
      row("1017 Tab", 1017, false, 1019);
      row("1019 Shift+Tab", 1019, true, 1017);
      row("1020 Tab", 1020, false, 1021);
      row("1021 wraps", 1021, false, 1013);
      row("1021 Shift+Tab", 1021, true, 1020);
    }
  }

  void encoderTabChain() {
    QFETCH(bool, aux);
    QFETCH(int, from);
    QFETCH(bool, shift);
    QFETCH(int, to);
    FakePageHost host;
    auto page = MakeEncoderPage(&host, aux);
    page->OnSetActive();
    QVERIFY(ShowActive(*page));
    PressTab(page->Field(from), shift);
    QCOMPARE(QApplication::focusWidget(), page->Control(to));
  }

  void hallTabChain_data() {
    QTest::addColumn<int>("from");
    QTest::addColumn<bool>("shift");
    QTest::addColumn<int>("to");
    QTest::newRow("1014 Tab") << 1014 << false << 1015;
    QTest::newRow("1014 Shift+Tab") << 1014 << true << int(Id::Hall60);
    QTest::newRow("1015 Tab") << 1015 << false << 1016;
    QTest::newRow("1015 Shift+Tab") << 1015 << true << 1014;
    QTest::newRow("1016 Tab") << 1016 << false << int(Id::Hall120);
    QTest::newRow("1016 Shift+Tab") << 1016 << true << 1015;
  }

  void hallTabChain() {
    QFETCH(int, from);
    QFETCH(bool, shift);
    QFETCH(int, to);
    FakePageHost host;
    CSpeedFeedback2Page page(&host);
    page.OnSetActive();
    QVERIFY(ShowActive(page));
    PressTab(page.Field(from), shift);
    QCOMPARE(QApplication::focusWidget(), page.Control(to));
  }
};

QTEST_MAIN(SpeedFeedbackPagesTest)
#include "SpeedFeedbackPagesTest.moc"
