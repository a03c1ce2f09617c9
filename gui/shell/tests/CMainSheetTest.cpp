// Which pages the sheet shows, in which order, for the record's
// speed-feedback choices, and what a rebuild keeps and recreates.
#include "shell/CMainSheet.h"
#include "DocumentTestAccess.h"
#include "ShellTestSupport.h"
#include "shell/CTORVIODoc.h"
#include "shell/CTORVIOView.h"

#include <QPointer>
#include <QtTest>

using namespace torvio;
using torvio::test::KindPage;
using torvio::test::KindPageFactory;

Q_DECLARE_METATYPE(std::optional<torvio::PageKind>)

namespace {

enum Flag : unsigned {
  QE = 1u << 0,      // QuadratureEncoder
  HALL = 1u << 1,    // HallSensors
  NOSENS = 1u << 2,  // NoSpeedSensors
  TUNING = 1u << 3,  // EnableObserverGainTuning
  VIEWENC = 1u << 4, // ViewEncoderFeedback
  VIEWHALL = 1u << 5 // ViewHallSensorsFeedback
};

void SetFlags(UserData &data, unsigned flags) {
  data.QuadratureEncoder = (flags & QE) ? 1 : 0;
  data.HallSensors = (flags & HALL) ? 1 : 0;
  data.NoSpeedSensors = (flags & NOSENS) ? 1 : 0;
  data.EnableObserverGainTuning = (flags & TUNING) ? 1 : 0;
  data.ViewEncoderFeedback = (flags & VIEWENC) ? 1 : 0;
  data.ViewHallSensorsFeedback = (flags & VIEWHALL) ? 1 : 0;
}

QStringList Captions(const QTabWidget &sheet) {
  QStringList captions;
  for (int i = 0; i < sheet.count(); ++i) {
    captions << sheet.tabText(i);
  }
  return captions;
}

std::optional<PageKind> None() {
  return std::nullopt;
}

} // namespace

class TestMainSheet : public QObject {
  Q_OBJECT

private slots:
  void init() { settings_.Clear(); }

  void pagesFollowTheFlags_data() {
    QTest::addColumn<unsigned>("flags");
    QTest::addColumn<std::optional<PageKind>>("speed");
    QTest::addColumn<std::optional<PageKind>>("aux");
    using K = PageKind;
    QTest::newRow("encoder") << unsigned(QE) << std::optional(K::SpeedFeedback1) << None();
    QTest::newRow("encoder, tuning") << unsigned(QE | TUNING) << std::optional(K::SpeedFeedback1)
                                     << std::optional(K::AuxSpeedFeedback3);
    QTest::newRow("encoder, views ignored")
        << unsigned(QE | VIEWENC | VIEWHALL) << std::optional(K::SpeedFeedback1) << None();
    QTest::newRow("encoder before Hall")
        << unsigned(QE | HALL | NOSENS) << std::optional(K::SpeedFeedback1) << None();
    QTest::newRow("Hall") << unsigned(HALL) << std::optional(K::SpeedFeedback2) << None();
    QTest::newRow("Hall, tuning") << unsigned(HALL | TUNING) << std::optional(K::SpeedFeedback2)
                                  << std::optional(K::AuxSpeedFeedback3);
    QTest::newRow("Hall, encoder view ignored")
        << unsigned(HALL | VIEWENC) << std::optional(K::SpeedFeedback2) << None();
    QTest::newRow("Hall before sensorless")
        << unsigned(HALL | NOSENS) << std::optional(K::SpeedFeedback2) << None();
    QTest::newRow("sensorless") << unsigned(NOSENS) << std::optional(K::SpeedFeedback3) << None();
    QTest::newRow("sensorless, tuning ignored")
        << unsigned(NOSENS | TUNING) << std::optional(K::SpeedFeedback3) << None();
    QTest::newRow("sensorless, encoder view")
        << unsigned(NOSENS | VIEWENC) << std::optional(K::SpeedFeedback3)
        << std::optional(K::AuxSpeedFeedback1);
    QTest::newRow("sensorless, Hall view")
        << unsigned(NOSENS | VIEWHALL) << std::optional(K::SpeedFeedback3)
        << std::optional(K::AuxSpeedFeedback2);
    QTest::newRow("sensorless, both views")
        << unsigned(NOSENS | VIEWENC | VIEWHALL | TUNING) << std::optional(K::SpeedFeedback3)
        << std::optional(K::AuxSpeedFeedback1);
    QTest::newRow("no sensor flag") << 0u << None() << None();
    QTest::newRow("no sensor flag, tuning") << unsigned(TUNING) << None() << None();
    QTest::newRow("no sensor flag, encoder view")
        << unsigned(VIEWENC) << None() << std::optional(K::AuxSpeedFeedback1);
    QTest::newRow("no sensor flag, Hall view")
        << unsigned(VIEWHALL) << None() << std::optional(K::AuxSpeedFeedback2);
  }

  void pagesFollowTheFlags() {
    QFETCH(unsigned, flags);
    QFETCH(std::optional<PageKind>, speed);
    QFETCH(std::optional<PageKind>, aux);
    UserData data{};
    SetFlags(data, flags);
    QCOMPARE(SpeedFeedbackPageFor(data), speed);
    QCOMPARE(AuxSpeedFeedbackPageFor(data), aux);

    CTORVIODoc doc;
    SetFlags(DocumentTestAccess::Record(doc), flags);
    CMainSheet sheet(&doc, nullptr, KindPageFactory());
    QCOMPARE(sheet.Kind(CMainSheet::SlotSpeedFeedback), speed);
    QCOMPARE(sheet.Kind(CMainSheet::SlotAuxSpeedFeedback), aux);
    QCOMPARE(sheet.Kind(CMainSheet::SlotCurrentSensing), std::optional(PageKind::CurrentSensing));

    QStringList expected = {QStringLiteral("Configuration"), QStringLiteral("Motor and HW"),
                            QStringLiteral("Control Settings"), QStringLiteral("Debug")};
    if (speed) {
      expected << QStringLiteral("Speed feedback");
    }
    if (aux) {
      expected << QStringLiteral("Aux speed feedback");
    }
    expected << QStringLiteral("Current sensing");
    QCOMPARE(Captions(sheet), expected);
    // The tabs hold exactly the slots' pages, in slot order.
    int tab = 0;
    for (int slot = 0; slot < CMainSheet::SlotCount; ++slot) {
      if (auto *page = sheet.Page(static_cast<CMainSheet::Slot>(slot))) {
        QCOMPARE(sheet.widget(tab++), page);
        QCOMPARE(static_cast<KindPage *>(page)->kind,
                 *sheet.Kind(static_cast<CMainSheet::Slot>(slot)));
      }
    }
  }

  void sensorlessWithHallViewShowsTheDocumentedOrder() {
    CTORVIODoc doc;
    SetFlags(DocumentTestAccess::Record(doc), NOSENS | VIEWHALL);
    CMainSheet sheet(&doc, nullptr, KindPageFactory());
    QCOMPARE(Captions(sheet),
             (QStringList{"Configuration", "Motor and HW", "Control Settings", "Debug",
                          "Speed feedback", "Aux speed feedback", "Current sensing"}));
  }

  void rebuildKeepsFixedPagesAndRecreatesTheOthers() {
    CTORVIODoc doc;
    SetFlags(DocumentTestAccess::Record(doc), NOSENS | VIEWENC);
    CMainSheet sheet(&doc, nullptr, KindPageFactory());
    QPointer<CTORVIOPropertyPage> configuration = sheet.Page(CMainSheet::SlotConfiguration);
    QPointer<CTORVIOPropertyPage> debug = sheet.Page(CMainSheet::SlotDebug);
    QPointer<CTORVIOPropertyPage> speed = sheet.Page(CMainSheet::SlotSpeedFeedback);
    QPointer<CTORVIOPropertyPage> aux = sheet.Page(CMainSheet::SlotAuxSpeedFeedback);
    QPointer<CTORVIOPropertyPage> sensing = sheet.Page(CMainSheet::SlotCurrentSensing);

    sheet.RebuildPages(false);
    QCOMPARE(sheet.count(), 7);
    QCOMPARE(sheet.Page(CMainSheet::SlotSpeedFeedback), speed.data());

    SetFlags(DocumentTestAccess::Record(doc), HALL);
    sheet.RebuildPages(true);
    QCOMPARE(sheet.Page(CMainSheet::SlotConfiguration), configuration.data());
    QCOMPARE(sheet.Page(CMainSheet::SlotDebug), debug.data());
    QVERIFY(speed.isNull());
    QVERIFY(aux.isNull());
    QVERIFY(sensing.isNull()); // recreated by every rebuild
    QVERIFY(sheet.Page(CMainSheet::SlotCurrentSensing));
    QCOMPARE(sheet.Kind(CMainSheet::SlotSpeedFeedback), std::optional(PageKind::SpeedFeedback2));
    QCOMPARE(sheet.count(), 6);
  }

  void hostGivesTheDocumentsRecordAndModifiedFlag() {
    CTORVIODoc doc;
    CMainSheet sheet(&doc, nullptr, KindPageFactory());
    PageHost &host = sheet;
    QCOMPARE(&host.Record(), &doc.Record());
    QCOMPARE(sheet.Page(CMainSheet::SlotMotorAndHw)->Record(), &doc.Record());
    DocumentTestAccess::SetModified(doc, false);
    host.Set(*parvex::FindParameter("PolePairs"), 5, QStringLiteral("Pole pairs"));
    QVERIFY(doc.IsModified());
  }

  void withoutDocumentOnlyFixedPagesAndCurrentSensing() {
    CMainSheet sheet(nullptr, nullptr, KindPageFactory());
    QCOMPARE(Captions(sheet), (QStringList{"Configuration", "Motor and HW", "Control Settings",
                                           "Debug", "Current sensing"}));
  }

  void viewRebuildsAndReloadsAfterOpen() {
    CTORVIODoc doc;
    SetFlags(DocumentTestAccess::Record(doc), QE);
    CTORVIOView view(&doc, nullptr, KindPageFactory());
    CMainSheet *sheet = view.Sheet();
    QCOMPARE(sheet->Kind(CMainSheet::SlotSpeedFeedback), std::optional(PageKind::SpeedFeedback1));
    sheet->setCurrentIndex(1);
    auto *current = static_cast<KindPage *>(sheet->currentWidget());
    const int before = current->activations;
    SetFlags(DocumentTestAccess::Record(doc), NOSENS | VIEWHALL);
    DocumentTestAccess::UpdateAllViews(doc);
    QCOMPARE(sheet->Kind(CMainSheet::SlotSpeedFeedback), std::optional(PageKind::SpeedFeedback3));
    QCOMPARE(sheet->Kind(CMainSheet::SlotAuxSpeedFeedback),
             std::optional(PageKind::AuxSpeedFeedback2));
    QCOMPARE(sheet->currentWidget(), current);
    QCOMPARE(current->activations, before + 1);
  }

  void viewCentresTheSheetAndKeepsItsSize() {
    CTORVIODoc doc;
    CTORVIOView view(&doc, nullptr, KindPageFactory());
    CMainSheet *sheet = view.Sheet();
    const QSize size = sheet->size();
    QCOMPARE(view.sizeHint(), size);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    view.resize(size.width() + 100, size.height() + 41);
    QCOMPARE(sheet->size(), size);
    QCOMPARE(sheet->pos(), QPoint(50, 20));
    view.resize(size.width() - 30, size.height() - 30);
    QCOMPARE(sheet->pos(), QPoint(0, 0)); // offsets are never negative
  }

  void switchingTabsActivatesThePage() {
    CTORVIODoc doc;
    CMainSheet sheet(&doc, nullptr, KindPageFactory());
    auto *debug = static_cast<KindPage *>(sheet.Page(CMainSheet::SlotDebug));
    const int before = debug->activations;
    sheet.setCurrentWidget(debug);
    QCOMPARE(debug->activations, before + 1);
  }

private:
  test::TemporarySettings settings_;
};

QTEST_MAIN(TestMainSheet)
#include "CMainSheetTest.moc"
