// The encoder page, main and auxiliary: each field's label, frame, member,
// conversion, check and refresh as its table gives them; a commit leaves the
// other side's member alone; the speed pair kept in order by the check;
// tooltips read from the page's own side; and the fixed Tab chain.
#include "SpeedFeedbackSides.h"

#include <QLabel>

namespace {

using P = CSpeedFeedbackPage;
using parvex::ParamPart;

PageKind EncoderPage(Side side) {
  return PageOf(Sensor::Encoder, side);
}

// The record as the sheet has it when it shows the page: the main page while
// the encoder drives the motor; the auxiliary one by default, where the
// sensorless observer drives it and the encoder's feedback is viewed.
void ShowEncoder(UserData &d, Side side) {
  if (side == Side::Main) {
    d.QuadratureEncoder = 1;
    d.NoSpeedSensors = 0;
  }
}

} // namespace

class SpeedFeedbackEncoderPageTest : public QObject {
  Q_OBJECT

private slots:
  void commits_data() {
    AddCommitColumns();
    const char *errors = "Speed measurement errors management";
    const char *alignment = "Alignment settings";
    for (Side side : kSides) {
      const auto row = [side](const char *tag, int id, const char *label, const char *frame,
                              const char *setting, const char *typed, double stored, bool check,
                              double kept) {
        NewRow(side, QString::fromUtf8(tag))
            << id << QString::fromUtf8(label) << QString::fromUtf8(frame)
            << QString::fromUtf8(setting) << QString::fromUtf8(typed) << stored << check << kept;
      };
      row("pulses", 1013, "Pulses per revolution", "Quadrature encoder characteristics",
          "PulsesPerRevolution", "1024.9", 1024, false, 400);
      row("min speed", 1014, "Min mechanical speed (rpm)", errors, "MinMechanicalSpeed", "100.7",
          100, true, 60);
      row("max speed", 1015, "Max mechanical speed (rpm)", errors, "MaxMechanicalSpeed", "25000",
          25000, true, 30000);
      row("max errors", 1016, "Max errors number", errors, "MaxErrorsNumber", "7.5", 7, false, 3);
      row("FIFO", 1017, "FIFO depth", errors, "FIFODepth", "16", 16, false, 8);
      row("duration", 1019, "Duration (ms)", alignment, "AlignmentDuration", "800", 800, false,
          700);
      row("angle", 1020, "Alignment angle (deg)", alignment, "AlignmentAngle", "37.9", 37, false,
          90);
      row("current", 1021, "Current (A 0-peak)", alignment, "AlignmentCurrent", "1.37", 1.37, false,
          1.95);
    }
  }

  void commits() { CheckCommit(Sensor::Encoder, ShowEncoder, true); }

  void minSpeedReloadsBothSpeedFields_data() {
    AddSideColumn();
    for (Side side : kSides)
      NewRow(side, QStringLiteral("min 100"));
  }

  // Min 100 moves the maximum's lower limit; the check runs, both speed
  // fields are reloaded and the tooltips follow, all before the mark.
  void minSpeedReloadsBothSpeedFields() {
    QFETCH(Side, side);
    FakePageHost host;
    P page(&host, EncoderPage(side));
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
    QCOMPARE(Read(host.data, side, "MaxMechanicalSpeed", ParamPart::Min), 100.0);
    QCOMPARE(Read(host.data, OtherSide(side), "MaxMechanicalSpeed", ParamPart::Min), 60.0);
    QCOMPARE(minAtModified, 100.0);
    QCOMPARE(tipAtModified, QStringLiteral("MIN = 100\nMAX = 200000"));
    QCOMPARE(page.Field(1014)->Max(), 30000.0);
  }

  void minAboveMaxIsExchanged_data() {
    AddSideColumn();
    for (Side side : kSides)
      NewRow(side, QStringLiteral("min 50000"));
  }

  // A record whose pair is out of order (as a file may hold it): the check
  // exchanges them and the page shows the exchange; the other side's pair is
  // not touched.
  void minAboveMaxIsExchanged() {
    QFETCH(Side, side);
    FakePageHost host;
    Write(host.data, side, "MinMechanicalSpeed", 200000, ParamPart::Max);
    P page(&host, EncoderPage(side));
    page.OnSetActive();
    TypeAndCommit(page.Field(1014), QStringLiteral("50000"));
    QCOMPARE(Read(host.data, side, "MinMechanicalSpeed"), 30000.0);
    QCOMPARE(Read(host.data, side, "MaxMechanicalSpeed"), 50000.0);
    QCOMPARE(page.Field(1014)->text(), QStringLiteral("30000"));
    QCOMPARE(page.Field(1015)->text(), QStringLiteral("50000"));
    QCOMPARE(page.Field(1014)->Max(), 50000.0);
    QCOMPARE(page.Field(1015)->Min(), 30000.0);
    QCOMPARE(page.ToolTipText(1015), QStringLiteral("MIN = 30000\nMAX = 200000"));
    QCOMPARE(Read(host.data, OtherSide(side), "MinMechanicalSpeed"), 60.0);
    QCOMPARE(Read(host.data, OtherSide(side), "MaxMechanicalSpeed"), 30000.0);
  }

  void refreshTouchesOnlyTheSpeedPair_data() {
    AddSideColumn();
    for (Side side : kSides)
      NewRow(side, QStringLiteral("FIFO changed behind the page"));
  }

  // Only the speed pair is reloaded: a value changed behind the page in
  // another field stays as shown until the next activation.
  void refreshTouchesOnlyTheSpeedPair() {
    QFETCH(Side, side);
    FakePageHost host;
    P page(&host, EncoderPage(side));
    page.OnSetActive();
    Write(host.data, side, "FIFODepth", 32);
    Write(host.data, side, "MaxMechanicalSpeed", 20000);
    TypeAndCommit(page.Field(1014), QStringLiteral("70"));
    QCOMPARE(page.Field(1015)->text(), QStringLiteral("20000"));
    QCOMPARE(page.Field(1017)->text(), QStringLiteral("8"));
    page.OnSetActive();
    QCOMPARE(page.Field(1017)->text(), QStringLiteral("32"));
  }

  void pulsesStoreWithoutCheckAndKeepTooltips_data() {
    AddSideColumn();
    for (Side side : kSides)
      NewRow(side, QStringLiteral("pulses 2048"));
  }

  void pulsesStoreWithoutCheckAndKeepTooltips() {
    QFETCH(Side, side);
    FakePageHost host;
    P page(&host, EncoderPage(side));
    page.OnSetActive();
    // Only a tooltip rebuild would show it.
    Write(host.data, side, "MinMechanicalSpeed", 5, ParamPart::Min);
    TypeAndCommit(page.Field(1013), QStringLiteral("2048"));
    QCOMPARE(Read(host.data, side, "PulsesPerRevolution"), 2048.0);
    QCOMPARE(Read(host.data, OtherSide(side), "PulsesPerRevolution"), 400.0);
    QCOMPARE(page.ToolTipText(1014), QStringLiteral("MIN = 1\nMAX = 30000"));
    QCOMPARE(host.modified, 1);
  }

  void loadsUnsignedAsUnsigned_data() {
    AddSideColumn();
    for (Side side : kSides)
      NewRow(side, QStringLiteral("largest uint32"));
  }

  void loadsUnsignedAsUnsigned() {
    QFETCH(Side, side);
    FakePageHost host;
    Write(host.data, side, "PulsesPerRevolution", 4294967295.0, ParamPart::Max);
    Write(host.data, side, "PulsesPerRevolution", 4294967295.0);
    P page(&host, EncoderPage(side));
    page.OnSetActive();
    // Wider than the field: shown from its left with an ellipsis.
    QCOMPARE(page.Field(1013)->GetValue(), 4294967295.0);
    QVERIFY(page.Field(1013)->text().startsWith(QStringLiteral("42949")));
    QCOMPARE(page.Field(1021)->text(), QStringLiteral("1.95"));
    QCOMPARE(page.Field(1021)->Precision(), 2);
  }

  void activationShowsChangesMadeElsewhere_data() {
    AddSideColumn();
    for (Side side : kSides)
      NewRow(side, QStringLiteral("angle and errors"));
  }

  void activationShowsChangesMadeElsewhere() {
    QFETCH(Side, side);
    FakePageHost host;
    P page(&host, EncoderPage(side));
    page.OnSetActive();
    Write(host.data, side, "AlignmentAngle", 180);
    Write(host.data, side, "MaxErrorsNumber", 9);
    page.OnSetActive();
    QCOMPARE(page.Field(1020)->text(), QStringLiteral("180"));
    QCOMPARE(page.Field(1016)->text(), QStringLiteral("9"));
    QCOMPARE(host.modified, 0);
  }

  void tooltips_data() {
    AddSideColumn();
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("text");
    for (Side side : kSides) {
      NewRow(side, QStringLiteral("pulses")) << 1013 << "MIN = 1\nMAX = 65536";
      NewRow(side, QStringLiteral("min speed")) << 1014 << "MIN = 1\nMAX = 30000";
      NewRow(side, QStringLiteral("max speed")) << 1015 << "MIN = 60\nMAX = 200000";
      NewRow(side, QStringLiteral("errors")) << 1016 << "MIN = 1\nMAX = 255";
      NewRow(side, QStringLiteral("FIFO")) << 1017 << "MIN = 1\nMAX = 128";
      NewRow(side, QStringLiteral("duration")) << 1019 << "MIN = 1\nMAX = 65535";
      NewRow(side, QStringLiteral("angle")) << 1020 << "MIN = 0\nMAX = 359";
      NewRow(side, QStringLiteral("current")) << 1021 << "MIN = 0.05\nMAX = 2.00";
    }
  }

  void tooltips() {
    QFETCH(Side, side);
    QFETCH(int, id);
    QFETCH(QString, text);
    FakePageHost host;
    P page(&host, EncoderPage(side));
    page.OnSetActive();
    QCOMPARE(page.ToolTipText(id), text);
  }

  void tooltipsReadTheirSide_data() {
    AddSideColumn();
    for (Side side : kSides)
      NewRow(side, QStringLiteral("FIFO max 64"));
  }

  // The tooltip takes its limits from the page's own side.
  void tooltipsReadTheirSide() {
    QFETCH(Side, side);
    FakePageHost host;
    Write(host.data, side, "FIFODepth", 64, ParamPart::Max);
    P page(&host, EncoderPage(side));
    page.OnSetActive();
    QCOMPARE(page.ToolTipText(1017), QStringLiteral("MIN = 1\nMAX = 64"));
  }

  void tabChain_data() {
    AddSideColumn();
    QTest::addColumn<int>("from");
    QTest::addColumn<bool>("shift");
    QTest::addColumn<int>("to");
    const int chain[] = {1013, 1014, 1015, 1016, 1017, 1019, 1020, 1021};
    const int n = 8;
    for (Side side : kSides) {
      for (int i = 0; i < n; ++i) {
        const int next = chain[(i + 1) % n];
        const int prev = i == 0 ? kPageItself : chain[i - 1];
        NewRow(side, QStringLiteral("%1 Tab").arg(chain[i])) << chain[i] << false << next;
        NewRow(side, QStringLiteral("%1 Shift+Tab").arg(chain[i])) << chain[i] << true << prev;
      }
    }
  }

  void tabChain() {
    QFETCH(Side, side);
    QFETCH(int, from);
    QFETCH(bool, shift);
    QFETCH(int, to);
    FakePageHost host;
    ShowEncoder(host.data, side);
    P page(&host, EncoderPage(side));
    page.OnSetActive();
    QVERIFY(ShowActive(page));
    PressTab(page.Field(from), shift);
    QCOMPARE(QApplication::focusWidget(), page.Control(to));
  }

  void otherKeysStayInTheField_data() {
    AddSideColumn();
    for (Side side : kSides)
      NewRow(side, QStringLiteral("Ctrl+Tab, Home"));
  }

  void otherKeysStayInTheField() {
    QFETCH(Side, side);
    FakePageHost host;
    P page(&host, EncoderPage(side));
    page.OnSetActive();
    QVERIFY(ShowActive(page));
    NumericField *f = page.Field(1013);
    f->setFocus();
    QTest::keyClick(f, Qt::Key_Tab, Qt::ControlModifier);
    QTest::keyClick(f, Qt::Key_Home);
    QCOMPARE(QApplication::focusWidget(), f);
  }

  // The Aux speed pair belongs to the Aux Hall page too, and the Aux error
  // count to the auxiliary observer page; the main members stay as they are.
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
    P page(&host, PageKind::AuxSpeedFeedback1);
    page.OnSetActive();
    QCOMPARE(page.Field(1014)->text(), QStringLiteral("120"));
    QCOMPARE(page.Field(1016)->text(), QStringLiteral("17"));
    QCOMPARE(host.data.MaxErrorsNumber.Value, 3u);
    QCOMPARE(host.data.MinMechanicalSpeed.Value, 60u);
  }
};

QTEST_MAIN(SpeedFeedbackEncoderPageTest)
#include "SpeedFeedbackEncoderPageTest.moc"
