// The auxiliary encoder page: the encoder page on the Aux members. Each
// commit writes its Aux member and leaves the main one alone; the Aux speed
// pair is checked and reloaded; tooltips and Tab chain as on the main page.
#include "PageTestUtil.h"
#include "pages/CSpeedFeedbackPage.h"

#include <QGroupBox>
#include <QLabel>

#include <cstddef>

namespace {

using P = CSpeedFeedbackPage;
constexpr PageKind kKind = PageKind::AuxSpeedFeedback1;

double ValueAt(const UserData &d, std::size_t offset, bool real) {
  const auto *base = reinterpret_cast<const unsigned char *>(&d) + offset;
  return real ? reinterpret_cast<const RealParam *>(base)->Value
              : double(reinterpret_cast<const IntParam *>(base)->Value);
}

QString FrameOf(QWidget *w) {
  auto *box = qobject_cast<QGroupBox *>(w->parentWidget());
  return box ? box->title() : QString();
}

// The auxiliary block lies 448 bytes before the main one.
constexpr std::size_t kAuxOffset = 448;

} // namespace

class AuxSpeedFeedback1PageTest : public QObject {
  Q_OBJECT

private slots:
  void commits_data() {
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("frame");
    QTest::addColumn<qulonglong>("offset");
    QTest::addColumn<bool>("real");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<double>("stored");
    QTest::addColumn<bool>("check");
    const auto row = [](const char *tag, int id, const char *label, const char *frame,
                        std::size_t offset, bool real, const char *typed, double stored,
                        bool check) {
      QTest::newRow(tag) << id << QString::fromUtf8(label) << QString::fromUtf8(frame)
                         << qulonglong(offset) << real << QString::fromUtf8(typed) << stored
                         << check;
    };
    const char *errors = "Speed measurement errors management";
    const char *alignment = "Alignment settings";
    row("pulses", 1013, "Pulses per revolution", "Quadrature encoder characteristics",
        offsetof(UserData, AuxPulsesPerRevolution), false, "500.5", 500, false);
    row("min speed", 1014, "Min mechanical speed (rpm)", errors,
        offsetof(UserData, AuxMinMechanicalSpeed), false, "90", 90, true);
    row("max speed", 1015, "Max mechanical speed (rpm)", errors,
        offsetof(UserData, AuxMaxMechanicalSpeed), false, "15000", 15000, true);
    row("max errors", 1016, "Max errors number", errors, offsetof(UserData, AuxMaxErrorsNumber),
        false, "6", 6, false);
    row("FIFO", 1017, "FIFO depth", errors, offsetof(UserData, AuxFIFODepth), false, "64", 64,
        false);
    row("duration", 1019, "Duration (ms)", alignment, offsetof(UserData, AuxAlignmentDuration),
        false, "650", 650, false);
    row("angle", 1020, "Alignment angle (deg)", alignment, offsetof(UserData, AuxAlignmentAngle),
        false, "10", 10, false);
    row("current", 1021, "Current (A 0-peak)", alignment, offsetof(UserData, AuxAlignmentCurrent),
        true, "0.77", 0.77, false);
  }

  void commits() {
    QFETCH(int, id);
    QFETCH(QString, label);
    QFETCH(QString, frame);
    QFETCH(qulonglong, offset);
    QFETCH(bool, real);
    QFETCH(QString, typed);
    QFETCH(double, stored);
    QFETCH(bool, check);
    FakePageHost host;
    P page(&host, kKind);
    QCOMPARE(page.Caption(), QStringLiteral("Aux speed feedback"));
    QVERIFY(page.OnSetActive());
    NumericField *f = page.Field(id);
    QVERIFY(f && f->isEnabled());
    QCOMPARE(page.Label(id)->text(), label);
    QCOMPARE(FrameOf(f), frame);
    const double mainBefore = ValueAt(host.data, offset + kAuxOffset, real);
    ArmCheckSentinel(host);
    TypeAndCommit(f, typed);
    QCOMPARE(host.modified, 1);
    QCOMPARE(ValueAt(host.atModified, offset, real), stored);
    QCOMPARE(ValueAt(host.atModified, offset + kAuxOffset, real), mainBefore);
    QCOMPARE(CheckRan(host), check);
    QCOMPARE(host.rebuilds, 0);
  }

  void pulsesLeaveTheMainEncoderAlone() {
    FakePageHost host;
    P page(&host, kKind);
    page.OnSetActive();
    TypeAndCommit(page.Field(1013), QStringLiteral("1000"));
    QCOMPARE(host.data.AuxPulsesPerRevolution.Value, 1000u);
    QCOMPARE(host.data.PulsesPerRevolution.Value, 400u);
  }

  void auxSpeedPairIsExchangedAndShown() {
    FakePageHost host;
    host.data.AuxMinMechanicalSpeed.Max = 200000; // as an unchecked file may hold it
    P page(&host, kKind);
    page.OnSetActive();
    TypeAndCommit(page.Field(1014), QStringLiteral("40000"));
    QCOMPARE(host.data.AuxMinMechanicalSpeed.Value, 30000u);
    QCOMPARE(host.data.AuxMaxMechanicalSpeed.Value, 40000u);
    QCOMPARE(page.Field(1014)->text(), QStringLiteral("30000"));
    QCOMPARE(page.Field(1015)->text(), QStringLiteral("40000"));
    QCOMPARE(page.ToolTipText(1015), QStringLiteral("MIN = 30000\nMAX = 200000"));
    // The main pair is not touched.
    QCOMPARE(host.data.MinMechanicalSpeed.Value, 60u);
    QCOMPARE(host.data.MaxMechanicalSpeed.Value, 30000u);
  }

  void tooltips_data() {
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("text");
    QTest::newRow("pulses") << 1013 << "MIN = 1\nMAX = 65536";
    QTest::newRow("min speed") << 1014 << "MIN = 1\nMAX = 30000";
    QTest::newRow("max speed") << 1015 << "MIN = 60\nMAX = 200000";
    QTest::newRow("errors") << 1016 << "MIN = 1\nMAX = 255";
    QTest::newRow("FIFO, from the Aux member") << 1017 << "MIN = 1\nMAX = 64";
    QTest::newRow("duration") << 1019 << "MIN = 1\nMAX = 65535";
    QTest::newRow("angle") << 1020 << "MIN = 0\nMAX = 359";
    QTest::newRow("current") << 1021 << "MIN = 0.05\nMAX = 2.00";
  }

  void tooltips() {
    QFETCH(int, id);
    QFETCH(QString, text);
    FakePageHost host;
    host.data.AuxFIFODepth.Max = 64; // tooltips read the Aux members
    P page(&host, kKind);
    page.OnSetActive();
    QCOMPARE(page.ToolTipText(id), text);
  }

  void tabChain_data() {
    QTest::addColumn<int>("from");
    QTest::addColumn<bool>("shift");
    QTest::addColumn<int>("to");
    const int chain[] = {1013, 1014, 1015, 1016, 1017, 1019, 1020, 1021};
    const int n = 8;
    for (int i = 0; i < n; ++i) {
      QTest::newRow(qPrintable(QStringLiteral("%1 Tab").arg(chain[i])))
          << chain[i] << false << chain[(i + 1) % n];
      QTest::newRow(qPrintable(QStringLiteral("%1 Shift+Tab").arg(chain[i])))
          << chain[i] << true << (i == 0 ? kPageItself : chain[i - 1]);
    }
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

  // The Aux speed pair belongs to the Aux Hall page too, and the Aux error
  // count to the auxiliary observer page.
  void sharedAuxMembers() {
    FakePageHost host;
    {
      CSpeedFeedbackPage hall(&host, PageKind::AuxSpeedFeedback2);
      hall.OnSetActive();
      TypeAndCommit(hall.Field(1015), QStringLiteral("120"));
    }
    {
      // Running sensorless, the observer page's start-up and error fields
      // are in use.
      CSpeedFeedbackPage observer(&host, PageKind::AuxSpeedFeedback3);
      observer.OnSetActive();
      QVERIFY(observer.Field(1023)->isEnabled());
      TypeAndCommit(observer.Field(1023), QStringLiteral("17"));
    }
    P page(&host, kKind);
    page.OnSetActive();
    QCOMPARE(page.Field(1014)->text(), QStringLiteral("120"));
    QCOMPARE(page.Field(1016)->text(), QStringLiteral("17"));
    QCOMPARE(host.data.MaxErrorsNumber.Value, 3u);
    QCOMPARE(host.data.MinMechanicalSpeed.Value, 60u);
  }
};

QTEST_MAIN(AuxSpeedFeedback1PageTest)
#include "AuxSpeedFeedback1PageTest.moc"
