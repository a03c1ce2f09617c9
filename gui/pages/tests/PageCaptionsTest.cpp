// Every page class carries the tab caption the sheet shows for it.
#include "FakePageHost.h"
#include "pages/AuxSpeedFeedback1Page.h"
#include "pages/AuxSpeedFeedback2Page.h"
#include "pages/AuxSpeedFeedback3Page.h"
#include "pages/ConfigurationPage.h"
#include "pages/ControlSettingsPage.h"
#include "pages/CurrentSensingPage.h"
#include "pages/DebugPage.h"
#include "pages/MotorAndHwPage.h"
#include "pages/SpeedFeedback1Page.h"
#include "pages/SpeedFeedback2Page.h"
#include "pages/SpeedFeedback3Page.h"

#include <QTest>

#include <functional>
#include <memory>

using Factory = std::function<CTORVIOPropertyPage *(PageHost *)>;
Q_DECLARE_METATYPE(Factory)

class PageCaptionsTest : public QObject {
  Q_OBJECT

private slots:
  void caption_data() {
    QTest::addColumn<Factory>("make");
    QTest::addColumn<QString>("caption");
    const auto row = [](const char *name, Factory f, const char *caption) {
      QTest::newRow(name) << f << QString::fromUtf8(caption);
    };
    row(
        "configuration", [](PageHost *h) { return new CConfigurationPage(h); }, "Configuration");
    row(
        "motor", [](PageHost *h) { return new CMotorAndHwPage(h); }, "Motor and HW");
    row(
        "control", [](PageHost *h) { return new CControlSettingsPage(h); }, "Control Settings");
    row(
        "debug", [](PageHost *h) { return new CDebugPage(h); }, "Debug");
    row(
        "speed1", [](PageHost *h) { return new CSpeedFeedback1Page(h); }, "Speed feedback");
    row(
        "speed2", [](PageHost *h) { return new CSpeedFeedback2Page(h); }, "Speed feedback");
    row(
        "speed3", [](PageHost *h) { return new CSpeedFeedback3Page(h); }, "Speed feedback");
    row(
        "aux1", [](PageHost *h) { return new CAuxSpeedFeedback1Page(h); }, "Aux speed feedback");
    row(
        "aux2", [](PageHost *h) { return new CAuxSpeedFeedback2Page(h); }, "Aux speed feedback");
    row(
        "aux3", [](PageHost *h) { return new CAuxSpeedFeedback3Page(h); }, "Aux speed feedback");
    row(
        "current", [](PageHost *h) { return new CCurrentSensingPage(h); }, "Current sensing");
  }

  void caption() {
    QFETCH(Factory, make);
    QFETCH(QString, caption);
    FakePageHost host;
    std::unique_ptr<CTORVIOPropertyPage> page(make(&host));
    QCOMPARE(page->Caption(), caption);
    QCOMPARE(page->Data, &host.data);
    QVERIFY(page->OnSetActive());
    QCOMPARE(host.modified, 0); // activation only reads the record
  }
};

QTEST_MAIN(PageCaptionsTest)
#include "PageCaptionsTest.moc"
