// Saves a picture of every page, activated on the default record, into the
// screenshots folder of the build (or TORVIO_SCREENSHOT_DIR), and checks
// that each page was drawn whole.
#include "pages/PageScreenshots.h"
#include "FakePageHost.h"

#include <QImage>
#include <QTest>

#include <utility>

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
    // Every page is drawn whole, its controls laid out: the widest pages
    // span two columns of frames, the Hall pages one.
    const std::pair<const char *, int> pages[] = {
        {"CConfigurationPage", 400},
        {"CMotorAndHwPage", 400},
        {"CControlSettingsPage", 400},
        {"CCurrentSensingPage", 400},
        {"CDebugPage", 400},
        {"CSpeedFeedback1Page", 400},
        {"CSpeedFeedback2Page", 250},
        {"CSpeedFeedback3Page", 400},
        {"CAuxSpeedFeedback1Page", 400},
        {"CAuxSpeedFeedback2Page", 250},
        {"CAuxSpeedFeedback3Page", 400},
    };
    for (const auto &[page, width] : pages) {
      const QImage image(folder + QLatin1Char('/') + QLatin1String(page) + QStringLiteral(".png"));
      QVERIFY2(image.width() >= width && image.height() >= 150, page);
    }
    QCOMPARE(host.modified, 0);
  }
};

QTEST_MAIN(PageScreenshotsTest)
#include "PageScreenshotsTest.moc"
