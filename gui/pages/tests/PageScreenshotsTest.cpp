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
    for (const QString &file : files)
      QVERIFY2(!QImage(file).isNull(), qPrintable(file));
    // The pages with their controls built are drawn at full size.
    for (const char *page :
         {"CConfigurationPage", "CMotorAndHwPage", "CControlSettingsPage", "CCurrentSensingPage"}) {
      const QImage image(folder + QLatin1Char('/') + QLatin1String(page) + QStringLiteral(".png"));
      QVERIFY2(image.width() >= 400 && image.height() >= 150, page);
    }
    QCOMPARE(host.modified, 0);
  }
};

QTEST_MAIN(PageScreenshotsTest)
#include "PageScreenshotsTest.moc"
