// Tools Generate Sources against the real generator of libparvex: the lines
// it reports arrive in the document's report and in the log with their
// colours.
#include "ShellTestSupport.h"
#include "shell/CColorListBox.h"
#include "shell/CLogDialog.h"
#include "shell/CMainFrame.h"
#include "shell/CTORVIODoc.h"
#include "shell/GenerateSources.h"
#include "shell/Settings.h"

#include <QDir>
#include <QPushButton>
#include <QtTest>

using namespace torvio;
using torvio::test::OnNextModal;

namespace {

const char *const kTemplates[] = {
    "MC_Control_Param",  "MC_PMSM_motor_param",     "MC_Hall_prm",
    "MC_encoder_param",  "MC_State_Observer_param", "MC_pwm_1shunt_prm",
    "MC_pwm_3shunt_prm", "MC_pwm_ics_prm",          "Garnetline_MCconf"};

struct Shown {
  QStringList texts;
  QList<QColor> colours;
};

// Runs the command and reads what the log dialog showed.
Shown Generate(CTORVIODoc &doc) {
  Shown shown;
  OnNextModal([&](QWidget *modal) {
    if (auto *log = qobject_cast<CLogDialog *>(modal)) {
      for (int i = 0; i < log->List()->count(); ++i) {
        shown.texts << log->List()->item(i)->text();
        shown.colours << log->List()->GetItemColor(i);
      }
      log->CloseButton()->click();
    } else {
      QFAIL("only the log dialog was expected");
    }
  });
  GenerateSourcesCommand(doc, nullptr);
  return shown;
}

} // namespace

class TestGenerateSourcesLibrary : public QObject {
  Q_OBJECT

private slots:
  void init() { settings_.Clear(); }

  void emptyTemplatesFolderGivesNineRedExitCodes() {
    QTemporaryDir templates;
    QTemporaryDir output;
    CTORVIODoc doc;
    doc.OnNewDocument(); // clears the output folder, so set it afterwards
    WriteFolders({templates.path() + u'/', output.path() + u'/'});
    const Shown shown = Generate(doc);

    QStringList expected = {QStringLiteral("0Start include files creation"),
                            QStringLiteral("0Templates Dir : ") + templates.path() + u'/',
                            QStringLiteral("0Output Dir : ") + output.path() + u'/'};
    for (const char *name : kTemplates) {
      expected << QStringLiteral("0Generating File : %1.h").arg(QLatin1String(name))
               << QStringLiteral("1Exit code [2] -> Error : Template file (.th) not found.");
    }
    expected << QStringLiteral("1End include files creation. 9 Error(s) 0 Warning(s)");
    // Then what was placed in the folder: no header, the build log.
    for (const char *name : kTemplates)
      expected << QStringLiteral("2%1.h : not produced").arg(QLatin1String(name));
    expected << QStringLiteral("0BuildLog.xml : written")
             << QStringLiteral("0Files: 0 updated, 0 created, 0 unchanged.");
    QCOMPARE(test::Digits(doc.LastReport()), expected);

    QCOMPARE(shown.texts.size(), expected.size());
    QCOMPARE(shown.texts.first(), QStringLiteral("Start include files creation"));
    QCOMPARE(shown.colours.first(), QColor(0, 0, 0));
    QCOMPARE(shown.texts[4],
             QStringLiteral("Exit code [2] -> Error : Template file (.th) not found."));
    QCOMPARE(shown.colours[4], QColor(255, 0, 0));
    QCOMPARE(shown.colours[expected.size() - 12], QColor(255, 0, 0));
    QVERIFY(QFileInfo::exists(output.filePath(QStringLiteral("BuildLog.xml"))));
  }

  void bundledTemplatesGenerateEveryHeader() {
    const QString templates = FirstRunTemplatesDir() + u'/';
    if (!QFileInfo::exists(templates + QStringLiteral("MC_Control_Param.th"))) {
      QSKIP("the sample templates are not beside the program");
    }
    QTemporaryDir output;
    CTORVIODoc doc;
    doc.OnNewDocument();
    WriteFolders({templates, output.path() + u'/'});
    const Shown shown = Generate(doc);
    for (const char *name : kTemplates) {
      QVERIFY2(
          test::Digits(doc.LastReport()).contains(QStringLiteral("0Exit code [0] -> No errors.")),
          name);
      QVERIFY2(QFileInfo::exists(output.filePath(QLatin1String(name) + QStringLiteral(".h"))),
               name);
    }
    QCOMPARE(test::Digits(doc.LastReport()).count(QStringLiteral("0Exit code [0] -> No errors.")),
             9);
    // Warnings depend on the templates; errors must not occur.
    const QStringList report = test::Digits(doc.LastReport());
    QCOMPARE(report.last(), QStringLiteral("0Files: 0 updated, 9 created, 0 unchanged."));
    // The generation's last line comes before the ten placement lines.
    const QString end = report[report.size() - 12];
    QVERIFY2(end == QStringLiteral("0End include files creation. 0 Error(s) 0 Warning(s)") ||
                 end.startsWith(QStringLiteral("2End include files creation. 0 Error(s)")),
             qPrintable(end));
    QCOMPARE(shown.texts.size(), test::Digits(doc.LastReport()).size());
  }

private:
  test::TemporarySettings settings_;
};

QTEST_MAIN(TestGenerateSourcesLibrary)
#include "GenerateSourcesLibraryTest.moc"
