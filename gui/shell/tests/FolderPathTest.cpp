// Folder names, folder paths, their level-by-level creation, and the short
// form of a path for the status bar.
#include "shell/FolderPath.h"
#include "ShellTestSupport.h"
#include "shell/ShortenPath.h"

#include <QDir>
#include <QFile>
#include <QtTest>

using namespace torvio;
using torvio::test::ScriptedPrompter;

class TestFolderPath : public QObject {
  Q_OBJECT

private slots:
  void folderNames_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("valid");
    QTest::newRow("empty") << QString() << false;
    QTest::newRow("plain") << QStringLiteral("out") << true;
    QTest::newRow("inner dot") << QStringLiteral("out.v2") << true;
    QTest::newRow("inner blank") << QStringLiteral("my out") << true;
    QTest::newRow("leading dot") << QStringLiteral(".out") << false;
    QTest::newRow("trailing dot") << QStringLiteral("out.") << false;
    QTest::newRow("leading blank") << QStringLiteral(" out") << false;
    QTest::newRow("trailing blank") << QStringLiteral("out ") << false;
    QTest::newRow("leading tab") << QStringLiteral("\tout") << false;
    QTest::newRow("trailing tab") << QStringLiteral("out\t") << false;
    QTest::newRow("quote") << QStringLiteral("o\"ut") << false;
    QTest::newRow("star") << QStringLiteral("o*ut") << false;
    QTest::newRow("slash") << QStringLiteral("o/ut") << false;
    QTest::newRow("colon") << QStringLiteral("o:ut") << false;
    QTest::newRow("less") << QStringLiteral("o<ut") << false;
    QTest::newRow("greater") << QStringLiteral("o>ut") << false;
    QTest::newRow("question") << QStringLiteral("o?ut") << false;
    QTest::newRow("backslash") << QStringLiteral("o\\ut") << false;
    QTest::newRow("bar") << QStringLiteral("o|ut") << false;
  }

  void folderNames() {
    QFETCH(QString, name);
    QFETCH(bool, valid);
    QCOMPARE(IsValidFolderName(name), valid);
  }

  void checkOnly_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("result");
    QTest::newRow("empty") << QString() << 1;
    QTest::newRow("root") << QStringLiteral("/") << 0;
    QTest::newRow("folder") << QStringLiteral("/work/out") << 0;
    QTest::newRow("missing folder, check only") << QStringLiteral("/no/such/folder") << 0;
    QTest::newRow("trailing separator") << QStringLiteral("/work/") << 1;
    QTest::newRow("relative") << QStringLiteral("work/out") << 1;
    QTest::newRow("drive letter") << QStringLiteral("C:\\work") << 1;
    QTest::newRow("empty component") << QStringLiteral("/work//out") << 1;
    QTest::newRow("leading dot") << QStringLiteral("/work/.out") << 1;
    QTest::newRow("trailing dot") << QStringLiteral("/work/out.") << 1;
    QTest::newRow("question mark") << QStringLiteral("/work/o?t") << 1;
    QTest::newRow("dot dot") << QStringLiteral("/work/../out") << 1;
  }

  void checkOnly() {
    QFETCH(QString, path);
    QFETCH(int, result);
    QCOMPARE(CheckFolderPath(path, true), result);
  }

  void createModeMakesEveryLevel() {
    QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/new/deeper/deepest");
    QCOMPARE(CheckFolderPath(path, false), 0);
    QVERIFY(QFileInfo(dir.path() + QStringLiteral("/new")).isDir());
    QVERIFY(QFileInfo(path).isDir());
  }

  void createModeAtTheRoot() { QCOMPARE(CheckFolderPath(QStringLiteral("/"), false), 0); }

  void createModeBlockedByAFile() {
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("plain")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    QCOMPARE(CheckFolderPath(file.fileName() + QStringLiteral("/sub"), false), 2);
  }

  void validateExistingFolderAsksNothing() {
    ScriptedPrompter prompts;
    QTemporaryDir dir;
    QCOMPARE(ValidateFolder(dir.path()), 0);
    QVERIFY(prompts.messages.empty());
  }

  void validateExistingFileCountsAsExisting() {
    ScriptedPrompter prompts;
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("plain")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    QCOMPARE(ValidateFolder(file.fileName()), 0);
    QVERIFY(prompts.messages.empty());
  }

  void validateCreatesNestedFoldersOnYes() {
    ScriptedPrompter prompts;
    QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/new/deeper");
    prompts.answers = {Prompter::Answer::Yes};
    QCOMPARE(ValidateFolder(path), 0);
    QCOMPARE(prompts.messages.size(), std::size_t{1});
    QCOMPARE(prompts.messages[0].text,
             QStringLiteral("The folder:\n\n%1\n\ndoes not exist. Do you want the folder to be "
                            "created?")
                 .arg(path));
    QCOMPARE(prompts.messages[0].icon, Prompter::Icon::Question);
    QCOMPARE(prompts.messages[0].buttons, Prompter::Buttons::YesNo);
    QVERIFY(QFileInfo(dir.path() + QStringLiteral("/new")).isDir());
    QVERIFY(QFileInfo(path).isDir());
  }

  void validateDeclinedCreatesNothing() {
    ScriptedPrompter prompts;
    QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/new");
    prompts.answers = {Prompter::Answer::No};
    QCOMPARE(ValidateFolder(path), -1);
    QCOMPARE(prompts.messages.size(), std::size_t{1});
    QVERIFY(!QFileInfo::exists(path));
  }

  void validateInvalidPathTellsTheUser() {
    ScriptedPrompter prompts;
    QCOMPARE(ValidateFolder(QStringLiteral("/work/")), 1);
    QCOMPARE(prompts.messages.size(), std::size_t{1});
    QCOMPARE(prompts.messages[0].text,
             QStringLiteral("The folder:\n\n/work/\n\nis invalid. Please reenter."));
    QCOMPARE(prompts.messages[0].icon, Prompter::Icon::Exclamation);
  }

  void validateUncreatableFolderTellsTheUser() {
    ScriptedPrompter prompts;
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("plain")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    const QString path = file.fileName() + QStringLiteral("/sub");
    prompts.answers = {Prompter::Answer::Yes};
    QCOMPARE(ValidateFolder(path), 2);
    QCOMPARE(prompts.messages.size(), std::size_t{2});
    QCOMPARE(
        prompts.messages[1].text,
        QStringLiteral("The folder:\n\n%1\n\ncan not be created. Please double check.").arg(path));
  }

  void shortenPath_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("limit");
    QTest::addColumn<QString>("shortened");
    QTest::newRow("short") << QStringLiteral("/work/out/") << 45 << QStringLiteral("/work/out/");
    const QString exactly45 = QStringLiteral("/") + QString(43, u'a') + QStringLiteral("/");
    QTest::newRow("exactly the limit") << exactly45 << 45 << exactly45;
    QTest::newRow("longest tail under the limit")
        << QStringLiteral("/home/engineer/projects/motor-control/firmware/output/headers") << 45
        << QStringLiteral("/.../motor-control/firmware/output/headers");
    QTest::newRow("last tail when it reaches the limit")
        << QStringLiteral("/aaaaaaaaaa/bbbbbbbbbb/cccccccccccccccccccccccccccccccccccccccc") << 45
        << QStringLiteral("/.../cccccccccccccccccccccccccccccccccccccccc");
    QTest::newRow("no tail short enough") << QStringLiteral("/a/") + QString(60, u'x') << 45
                                          << QStringLiteral("/.../") + QString(60, u'x');
    QTest::newRow("limit of three") << QStringLiteral("/work/out/") << 3 << QString();
    // A megabyte of path is shortened at once, to the same 44 characters.
    QTest::newRow("megabyte of components")
        << QStringLiteral("/a").repeated(520000) << 45
        << QStringLiteral("/...") + QStringLiteral("/a").repeated(20);
    // A last component longer than any status text is cut on the left.
    QTest::newRow("huge last component") << QStringLiteral("/a/") + QString(100000, u'x') << 45
                                         << QStringLiteral("/...") + QString(260, u'x');
  }

  void shortenPath() {
    QFETCH(QString, path);
    QFETCH(int, limit);
    QFETCH(QString, shortened);
    QCOMPARE(ShortenPath(path, limit), shortened);
  }
};

QTEST_MAIN(TestFolderPath)
#include "FolderPathTest.moc"
