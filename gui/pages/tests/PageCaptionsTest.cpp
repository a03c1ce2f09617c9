// Every kind of page is built by the one page list with the name and tab
// caption the sheet shows for it, and activates without changing the record.
#include "FakePageHost.h"
#include "pages/CTORVIOPropertyPage.h"
#include "pages/PageCatalog.h"

#include <QTest>

#include <memory>

Q_DECLARE_METATYPE(PageKind)

class PageCaptionsTest : public QObject {
  Q_OBJECT

private slots:
  void caption_data() {
    QTest::addColumn<PageKind>("kind");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    const auto row = [](PageKind kind, const char *name, const char *caption) {
      QTest::newRow(name) << kind << QString::fromUtf8(name) << QString::fromUtf8(caption);
    };
    row(PageKind::Configuration, "CConfigurationPage", "Configuration");
    row(PageKind::MotorAndHw, "CMotorAndHwPage", "Motor and HW");
    row(PageKind::ControlSettings, "CControlSettingsPage", "Control Settings");
    row(PageKind::Debug, "CDebugPage", "Debug");
    row(PageKind::SpeedFeedback1, "CSpeedFeedback1Page", "Speed feedback");
    row(PageKind::SpeedFeedback2, "CSpeedFeedback2Page", "Speed feedback");
    row(PageKind::SpeedFeedback3, "CSpeedFeedback3Page", "Speed feedback");
    row(PageKind::AuxSpeedFeedback1, "CAuxSpeedFeedback1Page", "Aux speed feedback");
    row(PageKind::AuxSpeedFeedback2, "CAuxSpeedFeedback2Page", "Aux speed feedback");
    row(PageKind::AuxSpeedFeedback3, "CAuxSpeedFeedback3Page", "Aux speed feedback");
    row(PageKind::CurrentSensing, "CCurrentSensingPage", "Current sensing");
  }

  void caption() {
    QFETCH(PageKind, kind);
    QFETCH(QString, name);
    QFETCH(QString, caption);
    FakePageHost host;
    std::unique_ptr<CTORVIOPropertyPage> page(CreatePage(kind, &host));
    QCOMPARE(page->objectName(), name);
    QCOMPARE(page->Caption(), caption);
    QCOMPARE(page->Record(), &host.data);
    QVERIFY(page->OnSetActive());
    QCOMPARE(host.modified, 0); // activation only reads the record
  }

  void theListHasEveryKindOnceInSheetOrder() {
    int expected = 0;
    for (const PageInfo &info : AllPages())
      QCOMPARE(static_cast<int>(info.kind), expected++);
    QCOMPARE(expected, 11);
  }
};

QTEST_MAIN(PageCaptionsTest)
#include "PageCaptionsTest.moc"
