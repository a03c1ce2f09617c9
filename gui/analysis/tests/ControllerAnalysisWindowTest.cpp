// The controller-analysis window: its table names each gain's header and
// definition with the hand-worked values of the defaults, flags are
// highlighted, the charts hold the loops, it follows the record and never
// writes it; and the page flag's texts.
#include "analysis/ControllerAnalysisWindow.h"
#include "DefaultRecord.h"
#include "analysis/AnalysisTables.h"
#include "analysis/BandwidthFlag.h"

#include <QChart>
#include <QHeaderView>
#include <QLabel>
#include <QLineSeries>
#include <QTableWidget>
#include <QtTest>

#include <cstring>

using parvex::analysis::Level;

namespace {

UserData Defaults() {
  return testsupport::DefaultRecord();
}

// The record after an edit on a page: the gains computed again.
UserData WithCutOff(std::uint32_t cutOff) {
  UserData d = Defaults();
  d.CutOffFrequency.Value = cutOff;
  PARVEX_CheckConsistency(&d);
  return d;
}

int RowOf(QTableWidget *table, const QString &quantity) {
  for (int r = 0; r < table->rowCount(); ++r)
    if (table->item(r, ControllerAnalysisWindow::Quantity)->text() == quantity)
      return r;
  return -1;
}

QString Cell(QTableWidget *table, int row, int column) {
  const QTableWidgetItem *item = table->item(row, column);
  return item ? item->text() : QString();
}

QColor Background(QTableWidget *table, int row, int column) {
  return table->item(row, column)->background().color();
}

} // namespace

class ControllerAnalysisWindowTest : public QObject {
  Q_OBJECT

private slots:
  void initTestCase() { QLocale::setDefault(QLocale::c()); }

  // The defaults worked by hand (docs/controller-analysis.md): KpT = 0.9550761 written
  // 3911/4096, -0.025 %, 3.59909 V/A; Ki 633/16384, -0.14 %, noted below the window.
  void tableShowsTheDefaultsByHeaderAndDefinition_data() {
    QTest::addColumn<QString>("quantity");
    QTest::addColumn<QString>("header");
    QTest::addColumn<QString>("definition");
    QTest::addColumn<QString>("written");
    QTest::addColumn<QString>("error");
    QTest::addColumn<QString>("physical");
    QTest::addColumn<QString>("level");
    QTest::newRow("torque P") << "Torque proportional gain"
                              << "MC_Control_Param.h"
                              << "PID_TORQUE_KP_DEFAULT / TF_KPDIV"
                              << "3911/4096"
                              << "-0.025 %"
                              << "Kp 3.59909 V/A"
                              << "ok";
    QTest::newRow("flux I") << "Flux integral gain"
                            << "MC_Control_Param.h"
                            << "PID_FLUX_KI_DEFAULT / TF_KIDIV"
                            << "633/16384"
                            << "-0.14 %"
                            << "Ki 2097.06 V/(A*s)"
                            << "note: 633 counts, below the 2000-4000 window";
    QTest::newRow("K2") << "Observer gain K2"
                        << "MC_State_Observer_param.h"
                        << "K2"
                        << "70929"
                        << "0 %"
                        << "K2 70929 V/(A*s)"
                        << "ok";
    QTest::newRow("modulation") << "Maximum modulation index"
                                << "MC_Control_Param.h"
                                << "MAX_MODULATION_98_PER_CENT"
                                << "98/100"
                                << "0 %"
                                << "modulation index 98 %; phase voltage limit 10.78 V"
                                << "ok";
  }

  void tableShowsTheDefaultsByHeaderAndDefinition() {
    QFETCH(QString, quantity);
    QFETCH(QString, header);
    QFETCH(QString, definition);
    QFETCH(QString, written);
    QFETCH(QString, error);
    QFETCH(QString, physical);
    QFETCH(QString, level);
    UserData record = Defaults();
    ControllerAnalysisWindow w([&record] { return &record; });
    using W = ControllerAnalysisWindow;
    QTableWidget *t = w.GainTable();
    QCOMPARE(t->rowCount(), 11);
    QCOMPARE(t->horizontalHeaderItem(W::Header)->text(), QStringLiteral("Header"));
    QCOMPARE(t->horizontalHeaderItem(W::Definition)->text(), QStringLiteral("Definition"));
    const int r = RowOf(t, quantity);
    QVERIFY(r >= 0);
    QCOMPARE(Cell(t, r, W::Header), header);
    QCOMPARE(Cell(t, r, W::Definition), definition);
    QCOMPARE(Cell(t, r, W::Written), written);
    QCOMPARE(Cell(t, r, W::Error), error);
    QVERIFY2(Cell(t, r, W::Physical).startsWith(physical), qPrintable(Cell(t, r, W::Physical)));
    QVERIFY2(Cell(t, r, W::Level).startsWith(level), qPrintable(Cell(t, r, W::Level)));
    const bool noted = level.startsWith(QStringLiteral("note"));
    QCOMPARE(Background(t, r, W::Quantity) == LevelColour(Level::Note), noted);
  }

  void chartsHoldBothLoopsAndTheIdealDashed() {
    UserData record = Defaults();
    const UserData before = record;
    ControllerAnalysisWindow w([&record] { return &record; });
    w.show();
    for (int axis : {0, 1}) {
      const StepChart &c = w.Step(axis);
      const auto &loop = w.Shown().loops.at(static_cast<std::size_t>(axis));
      // max(60, 10 / (wc Ts)) = max(60, 24) periods of 69.4 us.
      QCOMPARE(c.simulated->count(), 60);
      QCOMPARE(c.ideal->count(), 60);
      QCOMPARE(c.ideal->pen().style(), Qt::DashLine);
      QCOMPARE(c.simulated->pen().style(), Qt::SolidLine);
      QVERIFY(c.chart->title().startsWith(QString::fromStdString(loop.axis)));
      // The ideal curve ends at 1 - exp(-6000 x 59 / 14400) of the 0.2 A step.
      QVERIFY(qAbs(c.ideal->at(59).y() - loop.stepAmps * (1 - std::exp(-6000 * 59 / 14400.0))) <
              1e-9);
      QVERIFY(qAbs(c.ideal->at(59).x() - 59 / 14.4) < 1e-9); // ms
    }
    QCOMPARE(w.Bode().q->count(), 200);
    QCOMPARE(w.Bode().d->count(), 200);
    QCOMPARE(w.LoopTable()->columnCount(), 2);
    QCOMPARE(w.LoopTable()->horizontalHeaderItem(0)->text(), QStringLiteral("q (torque)"));
    QVERIFY(w.Summary()->text().startsWith(QStringLiteral("0 flagged, ")));
    QCOMPARE(std::memcmp(&record, &before, sizeof record), 0);

    if (qEnvironmentVariableIsSet("TORVIO_ANALYSIS_SCREENSHOT"))
      QVERIFY(w.grab().save(qEnvironmentVariable("TORVIO_ANALYSIS_SCREENSHOT")));
  }

  // 15000 rad/s at 14.4 kHz: wc Ts = 1.04, unstable with one period of delay.
  void followsTheRecordAndHighlightsTheFlaggedLoop() {
    UserData record = Defaults();
    ControllerAnalysisWindow w([&record] { return &record; });
    QTableWidget *loops = w.LoopTable();
    const int levelRow = loops->rowCount() - 1;
    QVERIFY(Cell(loops, levelRow, 0).startsWith(QStringLiteral("ok")));

    record = WithCutOff(15000);
    const UserData edited = record;
    w.Refresh();
    QVERIFY2(Cell(loops, levelRow, 0).startsWith(QStringLiteral("flag: the loop is unstable")),
             qPrintable(Cell(loops, levelRow, 0)));
    QCOMPARE(Background(loops, levelRow, 0), LevelColour(Level::Flag));
    QVERIFY(!w.Summary()->text().startsWith(QStringLiteral("0 flagged")));
    QCOMPARE(std::memcmp(&record, &edited, sizeof record), 0);

    record = Defaults();
    w.Refresh();
    QVERIFY(Cell(loops, levelRow, 0).startsWith(QStringLiteral("ok")));
    QCOMPARE(loops->item(levelRow, 0)->background().style(), Qt::NoBrush);
  }

  // A gain flagged alone: R = 0.01 Ohm leaves an integral dividend of 18 counts.
  // At the window's default size every column of both tables is in view,
  // also when an edit brings long reasons (gains entered by hand for another
  // motor: every gain and both loops flagged); a reason too long for its
  // column is elided and whole in its tooltip.
  void everyColumnStaysInView() {
    UserData record = Defaults();
    ControllerAnalysisWindow window([&record] { return &record; });
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    record.TorqueAndFluxGainsComputation = 0;
    record.R.Value = 1.5;
    record.Lq.Value = 5;
    window.Refresh();
    QApplication::processEvents();
    for (QTableWidget *table : {window.GainTable(), window.LoopTable()}) {
      QHeaderView *h = table->horizontalHeader();
      const int width = table->viewport()->width();
      for (int c = 0; c < table->columnCount(); ++c) {
        QVERIFY2(h->sectionViewportPosition(c) >= 0, qPrintable(table->accessibleName()));
        QVERIFY2(h->sectionViewportPosition(c) + h->sectionSize(c) <= width + 1,
                 qPrintable(QStringLiteral("%1 column %2").arg(table->accessibleName()).arg(c)));
        QVERIFY(h->sectionSize(c) > 20);
      }
    }
    QTableWidget *gains = window.GainTable();
    const int level = ControllerAnalysisWindow::Level;
    QVERIFY(gains->horizontalHeader()->sectionSize(level) >= gains->viewport()->width() / 4);
    bool flagged = false;
    for (int r = 0; r < gains->rowCount(); ++r) {
      const QTableWidgetItem *item = gains->item(r, level);
      QCOMPARE(item->toolTip(), item->text());
      flagged = flagged || item->text().startsWith(QStringLiteral("flag: "));
    }
    QVERIFY(flagged);
  }

  void flagTextsNameTheWorstFirst_data() {
    QTest::addColumn<double>("resistance");
    QTest::addColumn<std::uint32_t>("cutOff");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("reason");
    QTest::newRow("defaults") << 0.35 << 6000u << QString() << QString();
    QTest::newRow("unstable") << 0.35 << 15000u << "Unstable current loop"
                              << "q (torque) current loop: the loop is unstable";
    QTest::newRow("gain") << 0.01 << 6000u << "Gain flagged"
                          << "Torque integral gain: only 18 counts";
  }

  void flagTextsNameTheWorstFirst() {
    QFETCH(double, resistance);
    QFETCH(std::uint32_t, cutOff);
    QFETCH(QString, text);
    QFETCH(QString, reason);
    UserData d = Defaults();
    d.R.Value = resistance;
    d.CutOffFrequency.Value = cutOff;
    PARVEX_CheckConsistency(&d);
    const BandwidthFlag flag = BandwidthFlagOf(d);
    QCOMPARE(flag.text, text);
    QCOMPARE(flag.raised(), !text.isEmpty());
    if (flag.raised()) {
      QVERIFY2(flag.reasons.contains(reason), qPrintable(flag.reasons));
      QVERIFY(flag.reasons.endsWith(
          QStringLiteral("Tools > Controller Analysis... shows every figure.")));
    }
  }
};

QTEST_MAIN(ControllerAnalysisWindowTest)
#include "ControllerAnalysisWindowTest.moc"
