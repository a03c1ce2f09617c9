// The sheet with the real page classes: the class behind every slot, and a
// speed-feedback choice on the Configuration page rebuilding the sheet.
#include "DocumentTestAccess.h"
#include "ShellTestSupport.h"
#include "pages/CTORVIOPropertyPage.h"
#include "shell/CMainSheet.h"
#include "shell/CTORVIODoc.h"
#include "shell/CTORVIOView.h"

#include <QAbstractButton>
#include <QtTest>

using namespace torvio;

namespace {

QStringList Classes(const CMainSheet &sheet) {
  QStringList classes;
  for (int i = 0; i < sheet.count(); ++i) {
    classes << sheet.widget(i)->objectName();
  }
  return classes;
}

void SetSensor(UserData &data, int encoder, int hall, int none) {
  data.QuadratureEncoder = encoder;
  data.HallSensors = hall;
  data.NoSpeedSensors = none;
}

} // namespace

class TestSheetRealPages : public QObject {
  Q_OBJECT

private slots:
  void init() { settings_.Clear(); }

  void slotsHoldTheirPageClasses_data() {
    QTest::addColumn<int>("encoder");
    QTest::addColumn<int>("hall");
    QTest::addColumn<int>("tuning");
    QTest::addColumn<int>("viewEncoder");
    QTest::addColumn<int>("viewHall");
    QTest::addColumn<QStringList>("optional");
    QTest::newRow("encoder, tuning")
        << 1 << 0 << 1 << 0 << 0 << QStringList{"CSpeedFeedback1Page", "CAuxSpeedFeedback3Page"};
    QTest::newRow("Hall") << 0 << 1 << 0 << 0 << 0 << QStringList{"CSpeedFeedback2Page"};
    QTest::newRow("sensorless, encoder view")
        << 0 << 0 << 0 << 1 << 0 << QStringList{"CSpeedFeedback3Page", "CAuxSpeedFeedback1Page"};
    QTest::newRow("sensorless, Hall view")
        << 0 << 0 << 0 << 0 << 1 << QStringList{"CSpeedFeedback3Page", "CAuxSpeedFeedback2Page"};
  }

  void slotsHoldTheirPageClasses() {
    QFETCH(int, encoder);
    QFETCH(int, hall);
    QFETCH(int, tuning);
    QFETCH(int, viewEncoder);
    QFETCH(int, viewHall);
    QFETCH(QStringList, optional);
    CTORVIODoc doc;
    SetSensor(DocumentTestAccess::Record(doc), encoder, hall, encoder || hall ? 0 : 1);
    DocumentTestAccess::Record(doc).EnableObserverGainTuning = tuning;
    DocumentTestAccess::Record(doc).ViewEncoderFeedback = viewEncoder;
    DocumentTestAccess::Record(doc).ViewHallSensorsFeedback = viewHall;
    CMainSheet sheet(&doc);
    const QStringList expected =
        QStringList{"CConfigurationPage", "CMotorAndHwPage", "CControlSettingsPage", "CDebugPage"} +
        optional + QStringList{"CCurrentSensingPage"};
    QCOMPARE(Classes(sheet), expected);
    for (int i = 0; i < sheet.count(); ++i) {
      auto *page = qobject_cast<CTORVIOPropertyPage *>(sheet.widget(i));
      QVERIFY(page);
      QCOMPARE(sheet.tabText(i), page->Caption());
    }
  }

  void choosingTheEncoderOnTheConfigurationPageRebuilds() {
    CTORVIODoc doc;
    doc.OnNewDocument();
    CTORVIOView view(&doc);
    CMainSheet *sheet = view.Sheet();
    QCOMPARE(sheet->Page(CMainSheet::SlotSpeedFeedback)->objectName(),
             QStringLiteral("CSpeedFeedback3Page"));
    DocumentTestAccess::SetModified(doc, false);
    sheet->setCurrentIndex(0);
    QAbstractButton *encoder = nullptr;
    for (auto *button :
         sheet->Page(CMainSheet::SlotConfiguration)->findChildren<QAbstractButton *>()) {
      if (button->text() == QStringLiteral("Quadrature encoder")) {
        encoder = button;
      }
    }
    QVERIFY(encoder);
    encoder->click();
    QCOMPARE(doc.Record().QuadratureEncoder, 1u);
    QCOMPARE(sheet->Page(CMainSheet::SlotSpeedFeedback)->objectName(),
             QStringLiteral("CSpeedFeedback1Page"));
    QVERIFY(doc.IsModified());
    QCOMPARE(sheet->currentIndex(), 0);
  }

private:
  test::TemporarySettings settings_;
};

QTEST_MAIN(TestSheetRealPages)
#include "SheetRealPagesTest.moc"
