// The message log: colours by severity, how selected items are drawn, and
// opened on the last full page.
#include "shell/CLogDialog.h"
#include "ShellTestSupport.h"
#include "shell/CColorListBox.h"

#include <QPushButton>
#include <QtTest>

class TestLogDialog : public QObject {
  Q_OBJECT

private slots:
  void severityColours_data() {
    QTest::addColumn<int>("severity");
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<QString>("text");
    QTest::newRow("error")
        << 1 << QColor(255, 0, 0)
        << QStringLiteral("Exit code [9] -> Output Directory not specified. Build aborted.");
    QTest::newRow("warning") << 2 << QColor(0, 0, 255) << QStringLiteral("Check");
    QTest::newRow("information") << 0 << QColor(0, 0, 0) << QStringLiteral("Done");
    QTest::newRow("empty line") << 0 << QColor(0, 0, 0) << QString();
  }

  void severityColours() {
    QFETCH(int, severity);
    QFETCH(QColor, colour);
    QFETCH(QString, text);
    const std::vector<parvex::ReportLine> lines{
        {text.toStdString(), static_cast<parvex::Severity>(severity)}};
    CLogDialog dialog(lines);
    QCOMPARE(dialog.List()->count(), 1);
    QCOMPARE(dialog.List()->item(0)->text(), text);
    QCOMPARE(dialog.List()->GetItemColor(0), colour);
  }

  void emptyReportLeavesTheBoxEmpty() {
    CLogDialog dialog({});
    QCOMPARE(dialog.List()->count(), 0);
    QCOMPARE(dialog.CloseButton()->text(), QStringLiteral("&Close"));
    QVERIFY(dialog.CloseButton()->isDefault());
  }

  void selectedAndUnselectedItemColours() {
    QPalette palette;
    palette.setColor(QPalette::Active, QPalette::HighlightedText, QColor(250, 250, 250));
    palette.setColor(QPalette::Active, QPalette::Text, QColor(10, 10, 10));
    palette.setColor(QPalette::Active, QPalette::Base, QColor(240, 240, 240));
    palette.setColor(QPalette::Disabled, QPalette::Text, QColor(128, 128, 128));
    const QColor red(255, 0, 0), blue(0, 0, 255), black(0, 0, 0);

    auto c = CColorListBox::ColorsFor(red, true, true, palette);
    QCOMPARE(c.background, red);
    QCOMPARE(c.text, QColor(0, 255, 255)); // cyan, the inverse of red
    c = CColorListBox::ColorsFor(blue, true, true, palette);
    QCOMPARE(c.text, QColor(255, 255, 0));
    c = CColorListBox::ColorsFor(red, false, true, palette);
    QCOMPARE(c.background, QColor(240, 240, 240));
    QCOMPARE(c.text, red);
    c = CColorListBox::ColorsFor(red, false, false, palette);
    QCOMPARE(c.text, QColor(128, 128, 128));
    c = CColorListBox::ColorsFor(black, true, true, palette);
    QCOMPARE(c.background, black);
    QCOMPARE(c.text, QColor(250, 250, 250));
    c = CColorListBox::ColorsFor(black, false, true, palette);
    QCOMPARE(c.text, QColor(10, 10, 10));
    c = CColorListBox::ColorsFor(black, false, false, palette);
    QCOMPARE(c.text, QColor(128, 128, 128));
  }

  void selectedRedLineIsDrawnOnRed() {
    const std::vector<parvex::ReportLine> lines{{std::string(20, ' '), parvex::Severity::Error}};
    CLogDialog dialog(lines);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    dialog.List()->setCurrentRow(0);
    const QRect rect = dialog.List()->visualItemRect(dialog.List()->item(0));
    const QImage image = dialog.List()->viewport()->grab().toImage();
    // Away from the focus frame, the item's background is its own colour.
    QCOMPARE(QColor(image.pixel(rect.center().x(), rect.center().y())), QColor(255, 0, 0));
  }

  // The end of the run is in view on a full last page: the last line at the
  // bottom, no blank space below it, and as many lines above it as fit.
  void lastLineEndsAFullLastPage_data() {
    QTest::addColumn<int>("count");
    QTest::newRow("long run") << 200;
    QTest::newRow("failed run") << 23;
    QTest::newRow("fits") << 3;
  }

  void lastLineEndsAFullLastPage() {
    QFETCH(int, count);
    std::vector<parvex::ReportLine> lines;
    for (int i = 0; i < count; ++i) {
      lines.push_back({"line " + std::to_string(i), parvex::Severity::Information});
    }
    CLogDialog dialog(lines);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    CColorListBox *list = dialog.List();
    const int rowHeight = list->visualItemRect(list->item(0)).height();
    const int rows = list->viewport()->height() / rowHeight;
    QVERIFY(rows >= 10);
    const QRect last = list->visualItemRect(list->item(count - 1));
    QVERIFY(list->viewport()->rect().contains(last));
    QCOMPARE(list->GetTopIndex(), std::max(0, count - rows));
    if (count > rows)
      QVERIFY(list->viewport()->height() - last.bottom() <= rowHeight);
  }

  void closeEndsTheDialog() {
    CLogDialog dialog({{"x", parvex::Severity::Information}});
    dialog.show();
    dialog.CloseButton()->click();
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
  }
};

QTEST_MAIN(TestLogDialog)
#include "CLogDialogTest.moc"
