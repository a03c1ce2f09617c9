// The project document: New, Save, Open, the file's bytes, and loads that
// must fail without touching the open project.
#include "shell/CTORVIODoc.h"
#include "DocumentTestAccess.h"
#include "ProjectStore.h"
#include "ShellTestSupport.h"
#include "history/ProjectHistory.h"
#include "shell/FileCommands.h"
#include "shell/Settings.h"

#include <QUndoStack>

#include <QFile>
#include <QSignalSpy>
#include <QtTest>

#include <cstring>

using namespace torvio;
using torvio::test::ReadAll;
using torvio::test::ScriptedPrompter;
using torvio::test::WriteAll;

namespace {

QByteArray RecordBytes(const UserData &data) {
  return QByteArray(reinterpret_cast<const char *>(&data), sizeof data);
}

bool SameRecord(const UserData &a, const UserData &b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

// A record unlike the defaults, so a load that really happened shows.
UserData MarkedRecord() {
  UserData data{};
  PARVEX_SetDefault(&data);
  data.PWMFrequency.Value = 16000;
  data.PolePairs.Value = 7;
  data.R.Value = 0.125;
  return data;
}

} // namespace

class TestDocument : public QObject {
  Q_OBJECT

private slots:
  void init() {
    settings_.Clear();
    QVERIFY(dir_.isValid());
  }

  void newDocumentIsModifiedWithDefaultsAndNoOutputFolder() {
    WriteOutputDir(QStringLiteral("/left/over/"));
    CTORVIODoc doc;
    QSignalSpy updated(&doc, &CTORVIODoc::recordChanged);
    QVERIFY(doc.OnNewDocument());
    QVERIFY(doc.IsModified());
    QCOMPARE(ReadFolders().outputDir, QString());
    QCOMPARE(updated.count(), 1);
    UserData defaults{};
    PARVEX_SetDefault(&defaults);
    QVERIFY(SameRecord(doc.Record(), defaults));
    QCOMPARE(doc.GetTitle(), QStringLiteral("Untitled"));
  }

  void savedFileHasMagicRecordAndEmptyFolder() {
    CTORVIODoc doc;
    doc.OnNewDocument();
    const QString path = dir_.filePath(QStringLiteral("plain.tvd"));
    QVERIFY(doc.OnSaveDocument(path));
    QVERIFY(!doc.IsModified());
    const QByteArray bytes = ReadAll(path);
    QCOMPARE(bytes.size(), 1 + 12 + 1992 + 1);
    QCOMPARE(static_cast<unsigned char>(bytes[0]), 0x0C);
    QCOMPARE(bytes.mid(1, 12), QByteArray("TORVIOFILEV2"));
    QCOMPARE(bytes.mid(13, 1992), RecordBytes(doc.Record()));
    QCOMPARE(static_cast<unsigned char>(bytes.back()), 0x00);
  }

  void roundTripIsByteForByte() {
    CTORVIODoc doc;
    doc.OnNewDocument();
    DocumentTestAccess::Record(doc) = MarkedRecord();
    WriteOutputDir(QStringLiteral("/work/out/"));
    const QString first = dir_.filePath(QStringLiteral("first.tvd"));
    QVERIFY(doc.OnSaveDocument(first));
    const QByteArray saved = ReadAll(first);
    QCOMPARE(saved.size(), 1 + 12 + 1992 + 1 + 10);
    QCOMPARE(saved.right(11), QByteArray("\x0a/work/out/"));

    doc.OnNewDocument();
    QVERIFY(!SameRecord(doc.Record(), MarkedRecord()));
    QCOMPARE(ReadFolders().outputDir, QString());

    QSignalSpy updated(&doc, &CTORVIODoc::recordChanged);
    QVERIFY(doc.OnOpenDocument(first));
    QCOMPARE(updated.count(), 1);
    QVERIFY(!doc.IsModified());
    QVERIFY(SameRecord(doc.Record(), MarkedRecord()));
    QCOMPARE(ReadFolders().outputDir, QStringLiteral("/work/out/"));
    QCOMPARE(doc.GetTitle(), QStringLiteral("first.tvd"));

    const QString second = dir_.filePath(QStringLiteral("second.tvd"));
    QVERIFY(doc.OnSaveDocument(second));
    QCOMPARE(ReadAll(second), saved);
  }

  // Values no page could have entered are named once on open, and kept.
  void implausibleSettingsAreNamedOnceAndKept() {
    UserData odd = MarkedRecord();
    odd.HallSensors = 2;
    odd.PWMFrequency.Value = 65535;
    const QString path = dir_.filePath(QStringLiteral("odd.tvd"));
    QVERIFY(SaveProject(path.toStdString(), odd, "/work/out/", std::nullopt).ok());

    ScriptedPrompter prompts;
    CTORVIODoc doc;
    QVERIFY(doc.OnOpenDocument(path));
    QCOMPARE(prompts.messages.size(), std::size_t{1});
    QCOMPARE(prompts.messages[0].icon, Prompter::Icon::Exclamation);
    QCOMPARE(prompts.messages[0].text,
             QStringLiteral("This project holds settings that no page could have entered:\n\n"
                            "CONFIGURATION/SPEEDFEEDBACK/HallSensors: 2 is no flag value (0 or 1)\n"
                            "CONTROLSETTINGS/DRIVINGSETTINGS/PWMFrequency: 65535 is outside "
                            "4000..32000\n\nThey are kept as they are; the pages, the check and "
                            "Generate Sources take them as stored."));
    QVERIFY(SameRecord(doc.Record(), odd));
    QVERIFY(!doc.IsModified());
  }

  void versionOneFileLoadsAndClearsTheOutputFolder() {
    const UserData marked = MarkedRecord();
    const QString path = dir_.filePath(QStringLiteral("v1.tvd"));
    QVERIFY(WriteAll(path, QByteArray("\x0cTORVIOFILEV1") + RecordBytes(marked)));
    CTORVIODoc doc;
    doc.OnNewDocument();
    WriteOutputDir(QStringLiteral("/previous/"));
    QVERIFY(doc.OnOpenDocument(path));
    QVERIFY(SameRecord(doc.Record(), marked));
    QCOMPARE(ReadFolders().outputDir, QString());
    QVERIFY(!doc.IsModified());
  }

  void unknownMagicIsRejectedOnce_data() {
    QTest::addColumn<QByteArray>("magic");
    QTest::newRow("wrong case") << QByteArray("TorvioFileV2");
    QTest::newRow("lower case") << QByteArray("torviofilev2");
    QTest::newRow("version 3") << QByteArray("TORVIOFILEV3");
    QTest::newRow("other") << QByteArray("SOMETHING");
  }

  void unknownMagicIsRejectedOnce() {
    QFETCH(QByteArray, magic);
    const QString path = dir_.filePath(QStringLiteral("unknown.tvd"));
    QVERIFY(WriteAll(path, QByteArray(1, static_cast<char>(magic.size())) + magic +
                               RecordBytes(MarkedRecord()) + QByteArray(1, '\0')));
    ExpectLoadFailure(path,
                      QStringLiteral("Error reading the selected file (unknown file format)."));
  }

  void truncatedFilesLeaveTheProjectAsItWas_data() {
    QTest::addColumn<int>("length");
    QTest::newRow("inside the magic") << 5;
    QTest::newRow("inside the record") << 13 + 1000;
    QTest::newRow("before the folder") << 13 + 1992;
    QTest::newRow("inside the folder") << 13 + 1992 + 4;
  }

  void truncatedFilesLeaveTheProjectAsItWas() {
    QFETCH(int, length);
    CTORVIODoc writer;
    writer.OnNewDocument();
    DocumentTestAccess::Record(writer) = MarkedRecord();
    WriteOutputDir(QStringLiteral("/a/longer/output/folder/"));
    const QString full = dir_.filePath(QStringLiteral("full.tvd"));
    QVERIFY(writer.OnSaveDocument(full));
    const QString cut = dir_.filePath(QStringLiteral("cut.tvd"));
    QVERIFY(WriteAll(cut, ReadAll(full).left(length)));
    ExpectLoadFailure(cut, QString());
  }

  void emptyFileIsRejected() {
    const QString path = dir_.filePath(QStringLiteral("empty.tvd"));
    QVERIFY(WriteAll(path, QByteArray()));
    ExpectLoadFailure(path, QString());
  }

  void longOutputFolderUsesTheWidePrefix() {
    const QString folder = QStringLiteral("/") + QString(298, u'x') + QStringLiteral("/");
    QCOMPARE(folder.size(), 300);
    CTORVIODoc doc;
    doc.OnNewDocument();
    WriteOutputDir(folder);
    const QString path = dir_.filePath(QStringLiteral("long.tvd"));
    QVERIFY(doc.OnSaveDocument(path));
    const QByteArray bytes = ReadAll(path);
    QCOMPARE(bytes.size(), 1 + 12 + 1992 + 3 + 300);
    QCOMPARE(static_cast<unsigned char>(bytes[2005]), 0xFF);
    QCOMPARE(static_cast<unsigned char>(bytes[2006]), 0x2C); // 300, little-endian
    QCOMPARE(static_cast<unsigned char>(bytes[2007]), 0x01);
    QCOMPARE(bytes.mid(2008), folder.toLatin1());

    doc.OnNewDocument();
    QVERIFY(doc.OnOpenDocument(path));
    QCOMPARE(ReadFolders().outputDir, folder);
  }

  void failedSaveIsReportedAndKeepsTheProjectModified() {
    ScriptedPrompter prompts;
    CTORVIODoc doc;
    doc.OnNewDocument();
    const QString path = dir_.filePath(QStringLiteral("missing-folder/p.tvd"));
    QVERIFY(!doc.OnSaveDocument(path));
    QCOMPARE(prompts.messages.size(), std::size_t{1});
    // The file is named, then the system's reason.
    QCOMPARE(
        prompts.messages[0].text,
        QStringLiteral("Failed to save document.\n\n%1\n\nNo such file or directory").arg(path));
    QVERIFY(doc.IsModified());
    QCOMPARE(doc.GetPathName(), QString());
  }

  void failedSaveKeepsTheOldFile() {
    // A folder of the file's name cannot be replaced: the save fails and
    // leaves the folder as it was rather than a half-written file.
    ScriptedPrompter prompts;
    const QString path = dir_.filePath(QStringLiteral("taken.tvd"));
    QVERIFY(QDir().mkpath(path));
    CTORVIODoc doc;
    doc.OnNewDocument();
    QVERIFY(!doc.OnSaveDocument(path));
    QVERIFY(QFileInfo(path).isDir());
    QVERIFY(doc.IsModified());
  }

  void newAsksToSaveAModifiedProject() {
    ScriptedPrompter prompts;
    CTORVIODoc doc;
    doc.OnNewDocument();
    DocumentTestAccess::Record(doc).PolePairs.Value = 9;

    prompts.answers = {Prompter::Answer::Cancel};
    QVERIFY(!FileNewCommand(doc, nullptr));
    QCOMPARE(doc.Record().PolePairs.Value, 9u);
    QCOMPARE(prompts.messages.back().text, QStringLiteral("Save changes to Untitled?"));
    QCOMPARE(prompts.messages.back().buttons, Prompter::Buttons::YesNoCancel);

    prompts.answers = {Prompter::Answer::Yes};
    const QString path = dir_.filePath(QStringLiteral("asked.tvd"));
    prompts.fileNames = {path};
    QVERIFY(FileNewCommand(doc, nullptr));
    QVERIFY(QFileInfo::exists(path));
    QVERIFY(doc.IsModified()); // the new project
    QCOMPARE(prompts.messages.size(), std::size_t{2});
  }

  void openAsksFirstAndNoLeavesTheFileUnsaved() {
    ScriptedPrompter prompts;
    const QString source = dir_.filePath(QStringLiteral("source.tvd"));
    {
      CTORVIODoc writer;
      writer.OnNewDocument();
      DocumentTestAccess::Record(writer) = MarkedRecord();
      QVERIFY(writer.OnSaveDocument(source));
    }
    CTORVIODoc doc;
    doc.OnNewDocument();
    prompts.answers = {Prompter::Answer::No};
    prompts.fileNames = {source};
    QVERIFY(FileOpenCommand(doc, nullptr));
    QCOMPARE(prompts.messages.size(), std::size_t{1});
    QVERIFY(SameRecord(doc.Record(), MarkedRecord()));
    QVERIFY(!doc.IsModified());

    // An unmodified project is replaced without a question.
    prompts.fileNames = {source};
    QVERIFY(FileOpenCommand(doc, nullptr));
    QCOMPARE(prompts.messages.size(), std::size_t{1});
  }

  // Every edit goes through the document: the signal names exactly the
  // settings whose stored values differ (the edited one and what the check
  // moved with it), one undo step restores them, and an edit that changes
  // nothing is no step but still marks the project modified.
  void editsNameWhatChangedAndUndoAsOneStep_data() {
    QTest::addColumn<QString>("setting");
    QTest::addColumn<double>("value");
    QTest::addColumn<QStringList>("among");    // named in the signal
    QTest::addColumn<QStringList>("notAmong"); // never named
    QTest::addColumn<int>("steps");
    // Pole pairs: no check runs after it on the page; nothing else moves.
    QTest::newRow("pole pairs") << "PolePairs" << 4.0 << QStringList{"PolePairs"}
                                << QStringList{"R", "Ke"} << 1;
    // The PWM frequency: the check recomputes the integral gains, which
    // scale with the sampling period.
    QTest::newRow("PWM frequency")
        << "PWMFrequency" << 20000.0 << QStringList{"PWMFrequency", "TorqueIDividend"}
        << QStringList{"Ke"} << 1;
    // The value it holds entered again: no change, no step.
    QTest::newRow("same value") << "PolePairs" << 2.0 << QStringList{} << QStringList{"PolePairs"}
                                << 0;
  }

  void editsNameWhatChangedAndUndoAsOneStep() {
    QFETCH(QString, setting);
    QFETCH(double, value);
    QFETCH(QStringList, among);
    QFETCH(QStringList, notAmong);
    QFETCH(int, steps);
    CTORVIODoc doc;
    const QString path = dir_.filePath(QStringLiteral("saved.tvd"));
    QVERIFY(doc.OnSaveDocument(path));
    const UserData before = doc.Record();
    QStringList named;
    connect(&doc, &CTORVIODoc::recordChanged, this,
            [&named](const ChangedSettings &changed, bool replaced) {
              QVERIFY(!replaced);
              for (const parvex::Parameter *p : changed)
                named << QString::fromLatin1(p->name);
            });
    QVERIFY(doc.Set(*parvex::FindParameter(setting.toStdString()), value, QStringLiteral("x")));
    for (const QString &name : among)
      QVERIFY2(named.contains(name), qPrintable(name));
    for (const QString &name : notAmong)
      QVERIFY2(!named.contains(name), qPrintable(name));
    QVERIFY(doc.IsModified());
    QCOMPARE(doc.History()->Stack()->count(), steps);
    if (steps == 0)
      return;
    doc.History()->Stack()->undo();
    QVERIFY(SameRecord(doc.Record(), before));
    QVERIFY(!doc.IsModified()); // back at the state saved
  }

private:
  // Loading `path` fails with exactly one error message (`text` when given)
  // and leaves record, modified flag, path and output folder as they were.
  void ExpectLoadFailure(const QString &path, const QString &text) {
    ScriptedPrompter prompts;
    CTORVIODoc doc;
    doc.OnNewDocument();
    DocumentTestAccess::Record(doc).PolePairs.Value = 11;
    const QString kept = dir_.filePath(QStringLiteral("kept.tvd"));
    QVERIFY(doc.OnSaveDocument(kept));
    DocumentTestAccess::Record(doc).DeadTime.Value = 999;
    DocumentTestAccess::SetModified(doc, true);
    WriteOutputDir(QStringLiteral("/still/here/"));
    const UserData before = doc.Record();

    QSignalSpy updated(&doc, &CTORVIODoc::recordChanged);
    QVERIFY(!doc.OnOpenDocument(path));
    QCOMPARE(prompts.messages.size(), std::size_t{1});
    QCOMPARE(prompts.messages[0].icon, Prompter::Icon::Error);
    if (!text.isEmpty()) {
      QCOMPARE(prompts.messages[0].text, text);
    }
    QVERIFY(SameRecord(doc.Record(), before));
    QVERIFY(doc.IsModified());
    QCOMPARE(doc.GetPathName(), kept);
    QCOMPARE(ReadFolders().outputDir, QStringLiteral("/still/here/"));
    QCOMPARE(updated.count(), 0);
  }

  test::TemporarySettings settings_;
  QTemporaryDir dir_;
};

QTEST_MAIN(TestDocument)
#include "CTORVIODocTest.moc"
