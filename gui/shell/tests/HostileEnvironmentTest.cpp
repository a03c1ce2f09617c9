// The document and the shell under faults: a save onto a full disk or into
// an unwritable folder, and a settings store holding bytes that are not
// UTF-8. Nothing may crash, every failure is said once, and neither the
// previous project file nor the open project is lost.
#include "DocumentTestAccess.h"
#include "FullDisk.h"
#include "ProjectStore.h"
#include "ScratchFolder.h"
#include "ShellTestSupport.h"
#include "UnwritableFolder.h"
#include "shell/CMainFrame.h"
#include "shell/COptionsDlg.h"
#include "shell/CTORVIOApp.h"
#include "shell/CTORVIODoc.h"
#include "shell/FileCommands.h"
#include "shell/GenerateSources.h"
#include "shell/PathBytes.h"
#include "shell/Settings.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QtTest>

#include <cstring>

#include <filesystem>
#include <sys/stat.h>

using namespace torvio;
using testsupport::FullDisk;
using torvio::test::OnNextModal;
using torvio::test::ReadAll;
using torvio::test::ScriptedPrompter;

namespace {

QString PathOf(const std::filesystem::path &p) {
  return QString::fromStdString(p.string());
}

} // namespace

Q_DECLARE_METATYPE(FullDisk::Kind)

class TestHostileEnvironment : public QObject {
  Q_OBJECT

private slots:
  void init() { settings_.Clear(); }

  void saveOnFullDiskKeepsFileAndModifiedProject_data() {
    QTest::addColumn<FullDisk::Kind>("kind");
    QTest::newRow("full tmpfs") << FullDisk::Kind::FullTmpfs;
    QTest::newRow("file size limit") << FullDisk::Kind::FileSizeLimit;
  }

  void saveOnFullDiskKeepsFileAndModifiedProject() {
    QFETCH(FullDisk::Kind, kind);
    ScriptedPrompter prompter;
    CTORVIODoc doc;
    doc.OnNewDocument();
    WriteOutputDir(QStringLiteral("/out/"));
    // The project as saved before, made by the document itself.
    testsupport::ScratchFolder scratch;
    const QString first = PathOf(scratch.Path() / "first.tvd");
    QVERIFY(doc.OnSaveDocument(first));
    const QByteArray previous = ReadAll(first);
    QCOMPARE(previous.size(), 1 + 12 + 1992 + 1 + 5);

    FullDisk disk("project.tvd", previous.toStdString(), kind);
    const QString path = PathOf(disk.Path() / "project.tvd");
    DocumentTestAccess::Record(doc).PolePairs.Value = 11;
    DocumentTestAccess::SetModified(doc, true);
    const UserData edited = doc.Record();

    const bool saved = doc.OnSaveDocument(path);
    disk.Release();
    qInfo() << disk.Description();
    QVERIFY(!saved);
    QCOMPARE(ReadAll(path), previous);
    QVERIFY(doc.IsModified());
    QCOMPARE(std::memcmp(&doc.Record(), &edited, sizeof edited), 0);
    QCOMPARE(doc.GetPathName(), first);
    QCOMPARE(prompter.messages.size(), std::size_t{1});
    QCOMPARE(prompter.messages[0].icon, Prompter::Icon::Error);
    const QString text = prompter.messages[0].text;
    QVERIFY2(text.startsWith(QStringLiteral("Failed to save document.\n\n")), qPrintable(text));
    QVERIFY2(text.size() > int(std::strlen("Failed to save document.\n\n")), qPrintable(text));
    // No temporary file is left beside the project.
    QStringList left = QDir(PathOf(disk.Path())).entryList(QDir::Files | QDir::Hidden);
    left.removeAll(QStringLiteral("filler"));
    QCOMPARE(left, QStringList{QStringLiteral("project.tvd")});
  }

  void saveChangesAnsweredYesOnFullDiskCancelsTheClose() {
    ScriptedPrompter prompter;
    CTORVIODoc doc;
    doc.OnNewDocument();
    testsupport::ScratchFolder scratch;
    const QString first = PathOf(scratch.Path() / "first.tvd");
    QVERIFY(doc.OnSaveDocument(first));
    const QByteArray previous = ReadAll(first);
    FullDisk disk("project.tvd", previous.toStdString());
    const QString path = PathOf(disk.Path() / "project.tvd");
    QVERIFY(doc.OnOpenDocument(path));
    DocumentTestAccess::Record(doc).PolePairs.Value = 11;
    DocumentTestAccess::SetModified(doc, true);
    // "Save changes?" before New, Open or Exit: Yes, and the save fails, so
    // the project must not be replaced or closed.
    prompter.answers.push_back(Prompter::Answer::Yes);
    QVERIFY(!SaveModifiedCommand(doc, nullptr));
    prompter.answers.push_back(Prompter::Answer::Yes);
    QVERIFY(!FileNewCommand(doc, nullptr));
    QCOMPARE(prompter.messages.size(), std::size_t{4});
    disk.Release();
    QVERIFY(doc.IsModified());
    QCOMPARE(doc.Record().PolePairs.Value, 11u);
    QCOMPARE(doc.GetPathName(), path);
    QCOMPARE(ReadAll(path), previous);
  }

  void saveIntoUnwritableFolderKeepsFileAndModifiedProject() {
    ScriptedPrompter prompter;
    CTORVIODoc doc;
    doc.OnNewDocument();
    testsupport::UnwritableFolder folder("project.tvd", "previous bytes");
    qInfo() << folder.Description();
    QVERIFY(!doc.OnSaveDocument(QString::fromStdString(folder.Prefix() + "project.tvd")));
    QVERIFY(doc.IsModified());
    QCOMPARE(ReadAll(PathOf(folder.Existing("project.tvd"))), QByteArray("previous bytes"));
    QCOMPARE(prompter.messages.size(), std::size_t{1});
    QVERIFY(prompter.messages[0].text.startsWith(QStringLiteral("Failed to save document.")));
  }

  void settingsWithNonUtf8BytesAreShownAndUsedSafely() {
    // Write an entry the normal way to learn the store's file, then replace
    // the file with raw bytes that are not UTF-8.
    WriteOutputDir(QStringLiteral("/placeholder/"));
    const QString store = QSettings().fileName();
    {
      QFile file(store);
      QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
      file.write("[Options]\n"
                 "OutputDir=/dev/null/caf\xe9/\xff\xfe\x80/\n"
                 "TemplatesDir=/nonexistent/\xc3\x28\xa0\xa1/\n"
                 "[Globals]\n"
                 "FirstRun=\xff\n");
    }
    const Folders folders = ReadFolders();
    QVERIFY(!folders.outputDir.isEmpty());
    QVERIFY(!folders.templatesDir.isEmpty());
    QVERIFY(folders.outputDir.startsWith(QStringLiteral("/dev/null/caf")));
    QVERIFY(folders.outputDir.endsWith(u'/'));
    // An unreadable number counts as 0, not as a first run.
    QCOMPARE(ReadFirstRun(), 0);

    CTORVIODoc doc;
    CMainFrame frame(&doc, nullptr, torvio::test::KindPageFactory());
    frame.OnStatusTimer();
    qInfo() << frame.StatusText();
    // Bytes that are not UTF-8 read as replacement characters.
    QVERIFY(folders.outputDir.contains(QChar(QChar::ReplacementCharacter)));
    QVERIFY2(frame.StatusText().startsWith(QStringLiteral("Output Dir: /")),
             qPrintable(frame.StatusText()));

    COptionsDlg options;
    QCOMPARE(options.OutputEdit()->text(), folders.outputDir);
    QCOMPARE(options.TemplatesEdit()->text(), folders.templatesDir);

    // Generation runs and says what failed: the folder cannot be made (a
    // file holds its first part), and no template can be found.
    OnNextModal([](QWidget *modal) { modal->close(); });
    GenerateSourcesCommand(doc, nullptr);
    const QStringList report = test::Digits(doc.LastReport());
    QCOMPARE(report.size(), 1 + 3 + 18 + 1);
    QVERIFY2(report[0].startsWith(QStringLiteral("1Output Dir : /dev/null/caf")) &&
                 report[0].endsWith(QStringLiteral(" cannot take the headers: Not a directory.")),
             qPrintable(report[0]));
    QVERIFY(report[5].startsWith(QStringLiteral("1Exit code [2] -> ")));
    QCOMPARE(report.last(), QStringLiteral("1End include files creation. 9 Error(s) 0 Warning(s)"));

    // The output folder as read goes into the project and comes back.
    testsupport::ScratchFolder scratch;
    const QString path = PathOf(scratch.Path() / "p.tvd");
    QVERIFY(doc.OnSaveDocument(path));
    WriteOutputDir(QString());
    QVERIFY(doc.OnOpenDocument(path));
    QCOMPARE(ReadFolders().outputDir, folders.outputDir);
  }

  void openingSomethingButAFileLeavesTheProjectAlone_data() {
    QTest::addColumn<QString>("what");
    QTest::newRow("endless device") << QStringLiteral("device");
    QTest::newRow("pipe without a writer") << QStringLiteral("pipe");
    QTest::newRow("folder") << QStringLiteral("folder");
  }

  void openingSomethingButAFileLeavesTheProjectAlone() {
    QFETCH(QString, what);
    QTemporaryDir dir;
    QString path = QStringLiteral("/dev/zero");
    if (what == QStringLiteral("pipe")) {
      path = dir.filePath(QStringLiteral("pipe.tvd"));
      QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    } else if (what == QStringLiteral("folder")) {
      path = dir.path();
    }
    ScriptedPrompter prompter;
    CTORVIODoc doc;
    doc.OnNewDocument();
    DocumentTestAccess::Record(doc).PolePairs.Value = 11;
    const UserData before = doc.Record();
    QVERIFY(!doc.OnOpenDocument(path));
    QCOMPARE(std::memcmp(&doc.Record(), &before, sizeof before), 0);
    QVERIFY(doc.IsModified());
    QCOMPARE(prompter.messages.size(), std::size_t{1});
    QCOMPARE(prompter.messages[0].text,
             QStringLiteral("Failed to open document.\n\n%1\n\nThis is not a regular file: a "
                            "folder, device or pipe cannot be a project file.")
                 .arg(path));
  }

  // Save As onto a pipe is refused with the reason, the pipe stays, and the
  // project stays modified.
  void saveOntoSomethingButAFileIsRefused() {
    QTemporaryDir dir;
    const QString pipe = dir.filePath(QStringLiteral("pipe.tvd"));
    QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    ScriptedPrompter prompter;
    CTORVIODoc doc;
    doc.OnNewDocument();
    QVERIFY(!doc.OnSaveDocument(pipe));
    QCOMPARE(prompter.messages.size(), std::size_t{1});
    QVERIFY(prompter.messages[0].text.startsWith(QStringLiteral("Failed to save document.")));
    QVERIFY(prompter.messages[0].text.contains(QStringLiteral("not a regular file")));
    struct stat status {};
    QCOMPARE(::lstat(QFile::encodeName(pipe).constData(), &status), 0);
    QVERIFY(S_ISFIFO(status.st_mode));
    QVERIFY(doc.IsModified());
  }

  // A settings file that is no regular file is neither read (a pipe would
  // block the start) nor written (a device would be replaced): the settings
  // live in memory for the run, and the start says so once.
  void settingsStoreThatIsNoRegularFileIsLeftAlone_data() {
    QTest::addColumn<QString>("what");
    QTest::newRow("pipe") << QStringLiteral("pipe");
    QTest::newRow("link to a device") << QStringLiteral("device");
    QTest::newRow("folder") << QStringLiteral("folder");
  }

  void settingsStoreThatIsNoRegularFileIsLeftAlone() {
    QFETCH(QString, what);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("TORVIO")));
    const QString file = dir.filePath(QStringLiteral("TORVIO/TORVIO.conf"));
    const QByteArray name = QFile::encodeName(file);
    if (what == QStringLiteral("pipe"))
      QCOMPARE(::mkfifo(name.constData(), 0600), 0);
    else if (what == QStringLiteral("device"))
      QVERIFY(QFile::link(QStringLiteral("/dev/null"), file));
    else
      QVERIFY(QDir().mkpath(file));
    SetSettingsFolder(dir.path());
    QCOMPARE(SettingsFilePath(), file);

    ScriptedPrompter prompter;
    CTORVIOApp app;
    QVERIFY(app.InitInstance({QStringLiteral("torvio")}));
    QCOMPARE(prompter.messages.size(), std::size_t{1});
    QVERIFY(prompter.messages[0].text.contains(file));
    WriteOutputDir(QStringLiteral("/kept/in/memory/"));
    QCOMPARE(ReadFolders().outputDir, QStringLiteral("/kept/in/memory/"));
    struct stat status {};
    QCOMPARE(::lstat(name.constData(), &status), 0);
    if (what == QStringLiteral("pipe"))
      QVERIFY(S_ISFIFO(status.st_mode));
    else if (what == QStringLiteral("device"))
      QVERIFY(S_ISLNK(status.st_mode));
    else
      QVERIFY(S_ISDIR(status.st_mode));
    SetSettingsFolder(settings_.Path());
  }

  // Folder names that are not UTF-8 keep their bytes through the project
  // file, the settings, the Options dialog left alone, and generation.
  void nonUtf8OutputFolderKeepsItsBytes() {
    testsupport::ScratchFolder scratch;
    const std::string folderBytes = scratch.Prefix() + "caf\xe9/";
    QVERIFY(std::filesystem::create_directory(std::filesystem::path(folderBytes)));
    const std::string projectPath = scratch.Prefix() + "p.tvd";
    UserData record{};
    PARVEX_SetDefault(&record);
    QVERIFY(torvio::SaveProject(projectPath, record, folderBytes, std::nullopt).ok());
    const QString project = PathFromBytes(projectPath);

    CTORVIODoc doc;
    QVERIFY(doc.OnOpenDocument(project));
    QCOMPARE(PathBytes(ReadFolders().outputDir), folderBytes);

    COptionsDlg options;
    QVERIFY(options.OutputEdit()->text().endsWith(QStringLiteral("caf\\xE9/")));
    QVERIFY(!options.RawBytesNote()->isHidden());
    options.accept(); // left as shown: the bytes stay
    QCOMPARE(PathBytes(ReadFolders().outputDir), folderBytes);

    DocumentTestAccess::SetModified(doc, true);
    QVERIFY(doc.OnSaveDocument(project));
    const auto saved = torvio::LoadProject(projectPath);
    QVERIFY(saved.project);
    QCOMPARE(saved.project->outputDir, folderBytes);

    WriteTemplatesDir(FirstRunTemplatesDir() + u'/');
    OnNextModal([](QWidget *modal) { modal->close(); });
    GenerateSourcesCommand(doc, nullptr);
    QVERIFY(std::filesystem::exists(std::filesystem::path(folderBytes + "BuildLog.xml")));
    QVERIFY(!std::filesystem::exists(std::filesystem::path(scratch.Prefix() + "caf\xef\xbf\xbd")));
  }

  // A folder holding a NUL byte would send the headers beside it: it is
  // refused before anything is written.
  void outputFolderWithANulByteWritesNothing() {
    testsupport::ScratchFolder scratch;
    const std::string out = scratch.Prefix() + "out";
    QVERIFY(std::filesystem::create_directory(std::filesystem::path(out)));
    CTORVIODoc doc;
    doc.OnNewDocument();
    WriteFolders(
        {FirstRunTemplatesDir() + u'/', PathFromBytes(out + std::string(1, '\0') + "evil/")});
    OnNextModal([](QWidget *modal) { modal->close(); });
    GenerateSourcesCommand(doc, nullptr);
    QCOMPARE(test::Digits(doc.LastReport()),
             QStringList{QStringLiteral("1Output Dir holds a NUL byte, which no file system path "
                                        "can hold: nothing was generated.")});
    QVERIFY(std::filesystem::is_empty(scratch.Path() / "out"));
    QCOMPARE(std::distance(std::filesystem::directory_iterator(scratch.Path()),
                           std::filesystem::directory_iterator()),
             1);
  }

private:
  torvio::test::TemporarySettings settings_;
};

QTEST_MAIN(TestHostileEnvironment)
#include "HostileEnvironmentTest.moc"
