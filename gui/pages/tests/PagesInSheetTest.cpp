// The speed feedback pages in the real sheet: the Debug page's choices
// rebuild it at once, the pages the sheet creates open as their rules say,
// and settings shared between pages survive a switch of sensor.
#include "DocumentTestAccess.h"
#include "PageTestUtil.h"
#include "ShellTestSupport.h"
#include "pages/CConfigurationPage.h"
#include "pages/CDebugPage.h"
#include "shell/CMainSheet.h"
#include "shell/CTORVIODoc.h"

namespace {

QString ClassOf(const CMainSheet &sheet, CMainSheet::Slot slot) {
  const CTORVIOPropertyPage *page = sheet.Page(slot);
  return page ? page->objectName() : QString();
}

void SetSensor(UserData &d, int sensor) {
  d.QuadratureEncoder = sensor == 0;
  d.HallSensors = sensor == 1;
  d.NoSpeedSensors = sensor == 2;
  PARVEX_CheckConsistency(&d);
}

// Makes a page current, as a click on its tab does (it is activated).
template <typename Page>
Page *Show(CMainSheet &sheet, CMainSheet::Slot slot) {
  auto *page = qobject_cast<Page *>(sheet.Page(slot));
  if (page)
    sheet.setCurrentWidget(page);
  return page;
}

} // namespace

class PagesInSheetTest : public QObject {
  Q_OBJECT

private slots:
  void init() {
    QLocale::setDefault(QLocale::c());
    settings_.Clear();
  }

  void observerTuningAddsAndRemovesTheAuxPage_data() {
    QTest::addColumn<int>("sensor");
    QTest::newRow("encoder") << 0;
    QTest::newRow("Hall") << 1;
  }

  void observerTuningAddsAndRemovesTheAuxPage() {
    QFETCH(int, sensor);
    CTORVIODoc doc;
    doc.OnNewDocument();
    SetSensor(DocumentTestAccess::Record(doc), sensor);
    DocumentTestAccess::Record(doc).EnableObserverGainTuning = 0;
    CMainSheet sheet(&doc);
    QCOMPARE(ClassOf(sheet, CMainSheet::SlotAuxSpeedFeedback), QString());
    auto *debug = Show<CDebugPage>(sheet, CMainSheet::SlotDebug);
    QVERIFY(debug);
    debug->Button(CDebugPage::IdObserverTuning)->click();
    QCOMPARE(ClassOf(sheet, CMainSheet::SlotAuxSpeedFeedback),
             QStringLiteral("CAuxSpeedFeedback3Page"));
    QCOMPARE(sheet.currentWidget(), static_cast<QWidget *>(debug));
    QVERIFY(doc.IsModified());

    // As the user finds it: the nine start-up and error fields disabled.
    auto *aux = Show<CTORVIOPropertyPage>(sheet, CMainSheet::SlotAuxSpeedFeedback);
    for (int id : {1015, 1016, 1017, 1018, 1019, 1020, 1021, 1022, 1023}) {
      QVERIFY2(!aux->Field(id)->isEnabled(), qPrintable(QString::number(id)));
      QCOMPARE(aux->Field(id)->TextColor(), kGrey);
    }
    QVERIFY(!aux->Button(1004)->isEnabled());
    QVERIFY(aux->Button(1005)->isEnabled());

    Show<CDebugPage>(sheet, CMainSheet::SlotDebug);
    debug->Button(CDebugPage::IdObserverTuning)->click();
    QCOMPARE(ClassOf(sheet, CMainSheet::SlotAuxSpeedFeedback), QString());
    QCOMPARE(doc.Record().EnableObserverGainTuning, 0u);
  }

  void sensorlessChoicesSwapTheAuxPage() {
    CTORVIODoc doc;
    doc.OnNewDocument(); // sensorless, encoder viewed
    CMainSheet sheet(&doc);
    QCOMPARE(ClassOf(sheet, CMainSheet::SlotAuxSpeedFeedback),
             QStringLiteral("CAuxSpeedFeedback1Page"));
    auto *debug = Show<CDebugPage>(sheet, CMainSheet::SlotDebug);
    debug->Button(CDebugPage::IdDac)->click(); // the user switches the DAC off
    QCOMPARE(doc.Record().EnableDACFunctionality, 0u);
    debug->Button(CDebugPage::IdAuxHall)->click();
    QCOMPARE(ClassOf(sheet, CMainSheet::SlotAuxSpeedFeedback),
             QStringLiteral("CAuxSpeedFeedback2Page"));
    QVERIFY(debug->Button(CDebugPage::IdDac)->isChecked()); // forced on by the check
    debug->Button(CDebugPage::IdNone)->click();
    QCOMPARE(ClassOf(sheet, CMainSheet::SlotAuxSpeedFeedback), QString());
    QCOMPARE(ClassOf(sheet, CMainSheet::SlotSpeedFeedback), QStringLiteral("CSpeedFeedback3Page"));
    QCOMPARE(ClassOf(sheet, CMainSheet::SlotCurrentSensing), QStringLiteral("CCurrentSensingPage"));
  }

  // Alignment, error count and speed limits typed on one sensor's page are
  // what the other sensor's page shows once the Configuration page switches.
  void sharedSettingsSurviveASensorSwitch() {
    CTORVIODoc doc;
    doc.OnNewDocument();
    DocumentTestAccess::Record(doc).IncludeAlignmentBeforeStartUp = 1;
    CMainSheet sheet(&doc);
    auto *observer = Show<CTORVIOPropertyPage>(sheet, CMainSheet::SlotSpeedFeedback);
    TypeAndCommit(observer->Field(1025), QStringLiteral("135"));
    TypeAndCommit(observer->Field(1023), QStringLiteral("9"));

    auto *config = Show<CConfigurationPage>(sheet, CMainSheet::SlotConfiguration);
    config->Button(CConfigurationPage::IdEncoder)->click();
    auto *encoder = Show<CTORVIOPropertyPage>(sheet, CMainSheet::SlotSpeedFeedback);
    QCOMPARE(encoder->objectName(), QStringLiteral("CSpeedFeedback1Page"));
    QCOMPARE(encoder->Field(1020)->text(), QStringLiteral("135"));
    QCOMPARE(encoder->Field(1016)->text(), QStringLiteral("9"));
    TypeAndCommit(encoder->Field(1015), QStringLiteral("12000"));

    Show<CConfigurationPage>(sheet, CMainSheet::SlotConfiguration);
    config->Button(CConfigurationPage::IdHall)->click();
    auto *hall = Show<CTORVIOPropertyPage>(sheet, CMainSheet::SlotSpeedFeedback);
    QCOMPARE(hall->objectName(), QStringLiteral("CSpeedFeedback2Page"));
    QCOMPARE(hall->Field(1016)->text(), QStringLiteral("12000"));
  }

private:
  torvio::test::TemporarySettings settings_;
};

QTEST_MAIN(PagesInSheetTest)
#include "PagesInSheetTest.moc"
