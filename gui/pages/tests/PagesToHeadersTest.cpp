// From the pages to the firmware headers: a project set up the way a user
// does it (quadrature encoder, observer gain tuning with hand-edited
// auxiliary gains), saved in the project format and read back, then
// generated with the bundled templates. The headers carry what was typed.
#include "PageTestUtil.h"
#include "ProjectFile.h"
#include "pages/CConfigurationPage.h"
#include "pages/CDebugPage.h"
#include "pages/CSpeedFeedbackPage.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstring>
#include <string>
#include <vector>

namespace {

std::vector<std::string> gLines;

void Collect(const char *text, int severity) {
  gLines.push_back(std::to_string(severity) + text);
}

QString ReadHeader(const QString &folder, const char *name) {
  QFile f(QDir(folder).filePath(QLatin1String(name)));
  if (!f.open(QIODevice::ReadOnly))
    return QString();
  return QString::fromLatin1(f.readAll());
}

} // namespace

class PagesToHeadersTest : public QObject {
  Q_OBJECT

private slots:
  void encoderWithObserverTuning() {
    FakePageHost host; // a new project: sensorless by default
    {
      CConfigurationPage config(&host);
      config.OnSetActive();
      config.Button(CConfigurationPage::IdEncoder)->click();
    }
    {
      CDebugPage debug(&host);
      debug.OnSetActive();
      QVERIFY(!debug.Button(CDebugPage::IdAuxEncoder)->isEnabled());
      if (!debug.Button(CDebugPage::IdObserverTuning)->isChecked())
        debug.Button(CDebugPage::IdObserverTuning)->click();
      QCOMPARE(host.data.EnableObserverGainTuning, 1u);
    }
    {
      CSpeedFeedbackPage encoder(&host, PageKind::SpeedFeedback1);
      encoder.OnSetActive();
      TypeAndCommit(encoder.Field(1013), QStringLiteral("2048"));
      TypeAndCommit(encoder.Field(1016), QStringLiteral("5"));
    }
    {
      CSpeedFeedbackPage observer(&host, PageKind::AuxSpeedFeedback3);
      observer.OnSetActive();
      QVERIFY(!observer.Field(1015)->isEnabled());
      observer.Button(1005)->click(); // manual editing
      TypeAndCommit(observer.Field(1027), QStringLiteral("-1234"));
      TypeAndCommit(observer.Field(1028), QStringLiteral("50000"));
      TypeAndCommit(observer.Field(1029), QStringLiteral("300"));
      TypeAndCommit(observer.Field(1031), QStringLiteral("40"));
    }
    QCOMPARE(host.data.PulsesPerRevolution.Value, 2048u);
    QCOMPARE(host.data.AuxK1.Value, -1234);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString out = dir.filePath(QStringLiteral("out"));
    QVERIFY(QDir().mkpath(out));

    // Saved and read back through the project format.
    const std::vector<std::uint8_t> bytes =
        torvio::EncodeProject(host.data, (out + QLatin1Char('/')).toStdString());
    QFile file(dir.filePath(QStringLiteral("motor.tvd")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(reinterpret_cast<const char *>(bytes.data()), qint64(bytes.size())),
             qint64(bytes.size()));
    file.close();
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray read = file.readAll();
    torvio::ProjectContents project;
    QCOMPARE(torvio::DecodeProject(reinterpret_cast<const std::uint8_t *>(read.constData()),
                                   std::size_t(read.size()), project),
             torvio::ProjectReadStatus::Ok);
    QCOMPARE(std::memcmp(&project.data, &host.data, sizeof(UserData)), 0);

    const std::string templates = TORVIO_BUILT_TEMPLATES_DIR "/";
    GenerateSourcesArgs args{templates.c_str(), project.outputDir.c_str(), Collect};
    gLines.clear();
    QCOMPARE(PARVEX_GenerateSources(&project.data, &args), 0);
    bool noErrors = false;
    for (const std::string &line : gLines)
      noErrors = noErrors || line.find("End include files creation. 0 Error(s)") == 1;
    QVERIFY2(noErrors, gLines.empty() ? "no report" : gLines.back().c_str());

    const QString encoder = ReadHeader(out, "MC_encoder_param.h");
    QVERIFY(encoder.contains(QStringLiteral(
        "#define ENCODER_PPR           (u16)(2048)   // number of pulses per revolution\n")));
    const QString observer = ReadHeader(out, "MC_State_Observer_param.h");
    QVERIFY2(observer.contains(QStringLiteral(
                 "#define K1 (s32)(-1234)             /* State Observer Gain 1 */\n")),
             qPrintable(observer));
    QVERIFY(observer.contains(
        QStringLiteral("#define K2 (s32)(50000)             /* State Observer Gain 2 */\n")));
    QVERIFY(observer.contains(QStringLiteral("#define PLL_KP_GAIN 300\n")));
    QVERIFY(observer.contains(QStringLiteral("#define PLL_KI_GAIN 40\n")));
    // The main observer's computed gain is not the one generated.
    QVERIFY(!observer.contains(QStringLiteral("-21162")));
    const QString conf = ReadHeader(out, "Garnetline_MCconf.h");
    QVERIFY(conf.contains(QStringLiteral("#define OBSERVER_GAIN_TUNING\n")));
  }
};

QTEST_MAIN(PagesToHeadersTest)
#include "PagesToHeadersTest.moc"
