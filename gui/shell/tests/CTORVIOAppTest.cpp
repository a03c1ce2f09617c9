// Start-up: the command line opens a project or creates a new one.
#include "shell/CTORVIOApp.h"
#include "DocumentTestAccess.h"
#include "ShellTestSupport.h"
#include "shell/CMainFrame.h"
#include "shell/CTORVIODoc.h"
#include "shell/Settings.h"

#include <QFile>
#include <QtTest>

using namespace torvio;
using torvio::test::ScriptedPrompter;

class TestApp : public QObject {
  Q_OBJECT

private slots:
  void init() { settings_.Clear(); }

  void withoutFileStartsANewProjectAndClearsTheOutputFolder() {
    WriteOutputDir(QStringLiteral("/from/the/last/run/"));
    CTORVIOApp app;
    QVERIFY(app.InitInstance({QStringLiteral("torvio")}));
    QVERIFY(app.Document()->IsModified());
    QCOMPARE(ReadFolders().outputDir, QString());
    QVERIFY(app.MainFrame()->isVisible());
    QCOMPARE(app.MainFrame()->windowTitle(), QStringLiteral("Untitled* - TORVIO"));
    DocumentTestAccess::SetModified(*app.Document(), false);
  }

  void fileOnTheCommandLineIsOpened() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("motor.tvd"));
    {
      CTORVIODoc writer;
      writer.OnNewDocument();
      DocumentTestAccess::Record(writer).PolePairs.Value = 5;
      WriteOutputDir(QStringLiteral("/motor/out/"));
      QVERIFY(writer.OnSaveDocument(path));
    }
    WriteOutputDir(QString());
    CTORVIOApp app;
    QVERIFY(app.InitInstance({QStringLiteral("torvio"), path}));
    QCOMPARE(app.Document()->Record().PolePairs.Value, 5u);
    QVERIFY(!app.Document()->IsModified());
    QCOMPARE(ReadFolders().outputDir, QStringLiteral("/motor/out/"));
    QCOMPARE(app.MainFrame()->windowTitle(), QStringLiteral("motor.tvd - TORVIO"));
  }

  void unreadableFileEndsTheProgram() {
    ScriptedPrompter prompts;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("other.tvd"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("\x05OTHER");
    file.close();
    CTORVIOApp app;
    QVERIFY(!app.InitInstance({QStringLiteral("torvio"), path}));
    QCOMPARE(prompts.messages.size(), std::size_t{1});
    QCOMPARE(prompts.messages[0].text,
             QStringLiteral("Error reading the selected file (unknown file format)."));
  }

private:
  test::TemporarySettings settings_;
};

QTEST_MAIN(TestApp)
#include "CTORVIOAppTest.moc"
