// Saves a picture of every page, activated on the default record, into the
// screenshots folder of the build (or TORVIO_SCREENSHOT_DIR), and checks
// that each page was drawn whole.
#include "pages/PageScreenshots.h"
#include "FakePageHost.h"

#include <QImage>
#include <QTest>

class PageScreenshotsTest : public QObject {
  Q_OBJECT

private slots:
  void everyPageIsSaved() {
    QString folder = qEnvironmentVariable("TORVIO_SCREENSHOT_DIR");
    if (folder.isEmpty())
      folder = QStringLiteral(TORVIO_SCREENSHOT_DEFAULT_DIR);
    FakePageHost host;
    const QStringList files = SaveAllPageScreenshots(host, folder);
    QCOMPARE(files.size(), 11);
    QVERIFY(files.contains(folder + QStringLiteral("/CControlSettingsPage.png")));
    // Every page is drawn whole, with its controls laid out.
    for (const QString &file : files) {
      const QImage image(file);
      QVERIFY2(!image.isNull(), qPrintable(file));
      QVERIFY2(image.width() >= 250 && image.height() >= 150, qPrintable(file));
    }
    QCOMPARE(host.modified, 0);
  }
};

QTEST_MAIN(PageScreenshotsTest)
#include "PageScreenshotsTest.moc"
