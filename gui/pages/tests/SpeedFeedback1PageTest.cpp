// The encoder page: each field's label, frame, record member, conversion,
// check and refresh as its table gives them; the speed pair kept in order by
// the check; tooltips; and the fixed Tab chain.
#include "PageTestUtil.h"
#include "pages/CSpeedFeedbackPage.h"

#include <QGroupBox>
#include <QLabel>

#include <cstddef>

namespace {

using P = CSpeedFeedbackPage;
constexpr PageKind kKind = PageKind::SpeedFeedback1;

double ValueAt(const UserData &d, std::size_t offset, bool real) {
  const auto *base = reinterpret_cast<const unsigned char *>(&d) + offset;
  return real ? reinterpret_cast<const RealParam *>(base)->Value
              : double(reinterpret_cast<const IntParam *>(base)->Value);
}

QString FrameOf(QWidget *w) {
  auto *box = qobject_cast<QGroupBox *>(w->parentWidget());
  return box ? box->title() : QString();
}

} // namespace

class SpeedFeedback1PageTest : public QObject {
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
        offsetof(UserData, PulsesPerRevolution), false, "1024.9", 1024, false);
    row("min speed", 1014, "Min mechanical speed (rpm)", errors,
        offsetof(UserData, MinMechanicalSpeed), false, "100.7", 100, true);
    row("max speed", 1015, "Max mechanical speed (rpm)", errors,
        offsetof(UserData, MaxMechanicalSpeed), false, "25000", 25000, true);
    row("max errors", 1016, "Max errors number", errors, offsetof(UserData, MaxErrorsNumber), false,
        "7.5", 7, false);
    row("FIFO", 1017, "FIFO depth", errors, offsetof(UserData, FIFODepth), false, "16", 16, false);
    row("duration", 1019, "Duration (ms)", alignment, offsetof(UserData, AlignmentDuration), false,
        "800", 800, false);
    row("angle", 1020, "Alignment angle (deg)", alignment, offsetof(UserData, AlignmentAngle),
        false, "37.9", 37, false);
    row("current", 1021, "Current (A 0-peak)", alignment, offsetof(UserData, AlignmentCurrent),
        true, "1.37", 1.37, false);
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
    host.data.QuadratureEncoder = 1;
    host.data.NoSpeedSensors = 0;
    P page(&host, kKind);
    QCOMPARE(page.Caption(), QStringLiteral("Speed feedback"));
    QVERIFY(page.OnSetActive());
    NumericField *f = page.Field(id);
    QVERIFY(f && f->isEnabled());
    QCOMPARE(f->TextColor(), kBlack);
    QCOMPARE(page.Label(id)->text(), label);
    QCOMPARE(f->accessibleName(), label);
    QCOMPARE(FrameOf(f), frame);

    ArmCheckSentinel(host);
    TypeAndCommit(f, typed);
    QCOMPARE(host.modified, 1);
    QCOMPARE(ValueAt(host.atModified, offset, real), stored);
    QCOMPARE(CheckRan(host), check);
    QCOMPARE(host.rebuilds, 0);
    QCOMPARE(f->GetValue(), stored);
  }

  // Min 100 moves the maximum's lower limit; the check runs, both speed
  // fields are reloaded and the tooltips follow, all before the mark.
  void minSpeedReloadsBothSpeedFields() {
    FakePageHost host;
    P page(&host, kKind);
    page.OnSetActive();
    QCOMPARE(page.Field(1015)->Min(), 60.0);
    QCOMPARE(page.ToolTipText(1015), QStringLiteral("MIN = 60\nMAX = 200000"));
    ArmCheckSentinel(host);
    QString tipAtModified;
    double minAtModified = 0;
    host.onModified = [&] {
      tipAtModified = page.ToolTipText(1015);
      minAtModified = page.Field(1015)->Min();
    };
    TypeAndCommit(page.Field(1014), QStringLiteral("100"));
    QVERIFY(CheckRan(host));
    QCOMPARE(host.data.MaxMechanicalSpeed.Min, 100u);
    QCOMPARE(minAtModified, 100.0);
    QCOMPARE(tipAtModified, QStringLiteral("MIN = 100\nMAX = 200000"));
    QCOMPARE(page.Field(1014)->Max(), 30000.0);
  }

  // A record whose pair is out of order (as a file may hold it): the check
  // exchanges them and the page shows the exchange.
  void minAboveMaxIsExchanged() {
    FakePageHost host;
    host.data.MinMechanicalSpeed.Max = 200000;
    P page(&host, kKind);
    page.OnSetActive();
    TypeAndCommit(page.Field(1014), QStringLiteral("50000"));
    QCOMPARE(host.data.MinMechanicalSpeed.Value, 30000u);
    QCOMPARE(host.data.MaxMechanicalSpeed.Value, 50000u);
    QCOMPARE(page.Field(1014)->text(), QStringLiteral("30000"));
    QCOMPARE(page.Field(1015)->text(), QStringLiteral("50000"));
    QCOMPARE(page.Field(1014)->Max(), 50000.0);
    QCOMPARE(page.Field(1015)->Min(), 30000.0);
  }

  // Only the speed pair is reloaded: a value changed behind the page in
  // another field stays as shown until the next activation.
  void refreshTouchesOnlyTheSpeedPair() {
    FakePageHost host;
    P page(&host, kKind);
    page.OnSetActive();
    host.data.FIFODepth.Value = 32;
    host.data.MaxMechanicalSpeed.Value = 20000;
    TypeAndCommit(page.Field(1014), QStringLiteral("70"));
    QCOMPARE(page.Field(1015)->text(), QStringLiteral("20000"));
    QCOMPARE(page.Field(1017)->text(), QStringLiteral("8"));
    page.OnSetActive();
    QCOMPARE(page.Field(1017)->text(), QStringLiteral("32"));
  }

  void pulsesStoreWithoutCheckAndKeepTooltips() {
    FakePageHost host;
    P page(&host, kKind);
    page.OnSetActive();
    host.data.MinMechanicalSpeed.Min = 5; // only a tooltip rebuild would show it
    TypeAndCommit(page.Field(1013), QStringLiteral("2048"));
    QCOMPARE(host.data.PulsesPerRevolution.Value, 2048u);
    QCOMPARE(page.ToolTipText(1014), QStringLiteral("MIN = 1\nMAX = 30000"));
    QCOMPARE(host.modified, 1);
  }

  void loadsUnsignedAsUnsigned() {
    FakePageHost host;
    host.data.PulsesPerRevolution.Max = 4294967295u;
    host.data.PulsesPerRevolution.Value = 4294967295u;
    P page(&host, kKind);
    page.OnSetActive();
    // Wider than the field: shown from its left with an ellipsis.
    QCOMPARE(page.Field(1013)->GetValue(), 4294967295.0);
    QVERIFY(page.Field(1013)->text().startsWith(QStringLiteral("42949")));
    QCOMPARE(page.Field(1021)->text(), QStringLiteral("1.95"));
    QCOMPARE(page.Field(1021)->Precision(), 2);
  }

  void activationShowsChangesMadeElsewhere() {
    FakePageHost host;
    P page(&host, kKind);
    page.OnSetActive();
    host.data.AlignmentAngle.Value = 180;
    host.data.MaxErrorsNumber.Value = 9;
    page.OnSetActive();
    QCOMPARE(page.Field(1020)->text(), QStringLiteral("180"));
    QCOMPARE(page.Field(1016)->text(), QStringLiteral("9"));
    QCOMPARE(host.modified, 0);
  }

  void tooltips_data() {
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("text");
    QTest::newRow("pulses") << 1013 << "MIN = 1\nMAX = 65536";
    QTest::newRow("min speed") << 1014 << "MIN = 1\nMAX = 30000";
    QTest::newRow("max speed") << 1015 << "MIN = 60\nMAX = 200000";
    QTest::newRow("errors") << 1016 << "MIN = 1\nMAX = 255";
    QTest::newRow("FIFO") << 1017 << "MIN = 1\nMAX = 128";
    QTest::newRow("duration") << 1019 << "MIN = 1\nMAX = 65535";
    QTest::newRow("angle") << 1020 << "MIN = 0\nMAX = 359";
    QTest::newRow("current") << 1021 << "MIN = 0.05\nMAX = 2.00";
  }

  void tooltips() {
    QFETCH(int, id);
    QFETCH(QString, text);
    FakePageHost host;
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
      const int next = chain[(i + 1) % n];
      const int prev = i == 0 ? kPageItself : chain[i - 1];
      QTest::newRow(qPrintable(QStringLiteral("%1 Tab").arg(chain[i])))
          << chain[i] << false << next;
      QTest::newRow(qPrintable(QStringLiteral("%1 Shift+Tab").arg(chain[i])))
          << chain[i] << true << prev;
    }
  }

  void tabChain() {
    QFETCH(int, from);
    QFETCH(bool, shift);
    QFETCH(int, to);
    FakePageHost host;
    // The record as the sheet has it when it shows this page.
    host.data.QuadratureEncoder = 1;
    host.data.NoSpeedSensors = 0;
    P page(&host, kKind);
    page.OnSetActive();
    QVERIFY(ShowActive(page));
    PressTab(page.Field(from), shift);
    QCOMPARE(QApplication::focusWidget(), page.Control(to));
  }

  void otherKeysStayInTheField() {
    FakePageHost host;
    P page(&host, kKind);
    page.OnSetActive();
    QVERIFY(ShowActive(page));
    NumericField *f = page.Field(1013);
    f->setFocus();
    QTest::keyClick(f, Qt::Key_Tab, Qt::ControlModifier);
    QTest::keyClick(f, Qt::Key_Home);
    QCOMPARE(QApplication::focusWidget(), f);
  }
};

QTEST_MAIN(SpeedFeedback1PageTest)
#include "SpeedFeedback1PageTest.moc"
