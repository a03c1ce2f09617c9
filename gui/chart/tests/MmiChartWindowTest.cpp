// The chart window: its curves, the project's mark, updates and the record
// left alone.
#include "chart/MmiChartWindow.h"

#include <QChart>
#include <QLegend>
#include <QLineSeries>
#include <QScatterSeries>
#include <QValueAxis>
#include <QtTest>

#include <cstring>

// A full chart is 114 modulation-index searches; under the sanitizers in a
// debug build that takes far longer than QTRY's default five seconds.
static constexpr int kChartTimeoutMs = 120000;

using namespace torvio;

namespace {

UserData Project(std::uint32_t sampling) {
  UserData d;
  std::memset(&d, 0, sizeof d);
  PARVEX_SetDefault(&d);
  d.DeadTime.Value = 800;
  d.ADConverterSamplingTime = sampling;
  d.Trise.Value = 2550;
  d.Tnoise.Value = 2550;
  d.PWMFrequency.Value = 14400;
  d.IsolatedCurrentSensors = 0;
  d.SingleShuntResistor = 0;
  d.ThreeShuntResistors = 1;
  return d;
}

} // namespace

class MmiChartWindowTest : public QObject {
  Q_OBJECT

private slots:
  void initTestCase() { QLocale::setDefault(QLocale::c()); }

  void drawsBothCurvesAndTheProjectPoint() {
    UserData record = Project(200);
    const UserData before = record;
    MmiChartWindow w([&record] { return &record; });
    w.show();
    QTRY_VERIFY_WITH_TIMEOUT(!w.Busy() && w.Curve(MmiSensing::ThreeShunts)->count() == 57,
                             kChartTimeoutMs);
    QCOMPARE(w.Curve(MmiSensing::SingleShunt)->count(), 57);
    QCOMPARE(w.Curve(MmiSensing::ThreeShunts)->at(0).x(), 4.0);
    QCOMPARE(w.Curve(MmiSensing::ThreeShunts)->at(56).x(), 32.0);
    QCOMPARE(w.ProjectMark()->count(), 1);
    QCOMPARE(w.ProjectMark()->at(0), QPointF(14.4, 98));
    QCOMPARE(std::memcmp(&record, &before, sizeof record), 0);

    const auto axes = w.Chart()->axes();
    QCOMPARE(axes.size(), 2);
    QStringList titles;
    for (const QAbstractAxis *a : axes)
      titles << a->titleText();
    QVERIFY(titles.contains(QStringLiteral("PWM frequency (kHz)")));
    QVERIFY(titles.contains(QStringLiteral("Maximum available modulation index (%)")));
    QVERIFY(w.Chart()->legend()->isVisible());

    if (qEnvironmentVariableIsSet("TORVIO_CHART_SCREENSHOT"))
      QVERIFY(w.grab().save(qEnvironmentVariable("TORVIO_CHART_SCREENSHOT")));
  }

  void curvesHoldTheQueryResults() {
    UserData record = Project(700);
    MmiChartWindow w([&record] { return &record; });
    QTRY_VERIFY_WITH_TIMEOUT(!w.Busy() && w.Curve(MmiSensing::ThreeShunts)->count() == 57,
                             kChartTimeoutMs);
    // 20000 Hz is point 32, 8000 Hz point 8.
    QCOMPARE(w.Curve(MmiSensing::ThreeShunts)->at(32), QPointF(20.0, 87));
    QCOMPARE(w.Curve(MmiSensing::ThreeShunts)->at(8), QPointF(8.0, 100));
    QCOMPARE(w.Curve(MmiSensing::SingleShunt)->at(8), QPointF(8.0, 100));
  }

  void followsTheProject() {
    UserData record = Project(700);
    MmiChartWindow w([&record] { return &record; });
    QTRY_VERIFY_WITH_TIMEOUT(!w.Busy() && w.ProjectMark()->count() == 1, kChartTimeoutMs);
    QCOMPARE(w.ProjectMark()->at(0), QPointF(14.4, 95));

    record.PWMFrequency.Value = 20000;
    w.Refresh();
    QTRY_COMPARE_WITH_TIMEOUT(w.ProjectMark()->at(0), QPointF(20.0, 87), kChartTimeoutMs);

    // Single shunt, sampling 2450, 14400 Hz: 87.
    record.PWMFrequency.Value = 14400;
    record.ADConverterSamplingTime = 2450;
    record.ThreeShuntResistors = 0;
    record.SingleShuntResistor = 1;
    w.Refresh();
    QTRY_VERIFY_WITH_TIMEOUT(!w.Busy() && w.Shown().inputs == MmiInputsOf(record), kChartTimeoutMs);
    QCOMPARE(w.ProjectMark()->at(0), QPointF(14.4, 87));
    QVERIFY(w.ProjectMark()->name().contains(QStringLiteral("Single shunt")));

    record.IsolatedCurrentSensors = 1;
    w.Refresh();
    QTRY_VERIFY_WITH_TIMEOUT(!w.Busy() && w.Shown().inputs == MmiInputsOf(record), kChartTimeoutMs);
    QCOMPARE(w.ProjectMark()->count(), 0);
  }

  void changesWhileComputingAreNotLost() {
    UserData record = Project(700);
    MmiChartWindow w([&record] { return &record; });
    record.PWMFrequency.Value = 20000;
    w.Refresh(); // arrives while the first computation may still run
    QTRY_VERIFY_WITH_TIMEOUT(!w.Busy() && w.Shown().inputs == MmiInputsOf(record), kChartTimeoutMs);
    QCOMPARE(w.ProjectMark()->at(0), QPointF(20.0, 87));
  }

  void toolTipNamesTheExactValue() {
    QCOMPARE(MmiChartWindow::PointText(QStringLiteral("Three shunts"), 20.0, 87),
             QStringLiteral("Three shunts: 20000 Hz, index 87 %"));
    QCOMPARE(MmiChartWindow::PointText(QStringLiteral("Single shunt"), 14.4, 98),
             QStringLiteral("Single shunt: 14400 Hz, index 98 %"));
  }
};

QTEST_MAIN(MmiChartWindowTest)
#include "MmiChartWindowTest.moc"
