// Generate Sources as a firmware repository sees it: a second run leaves
// unchanged headers alone, a hand edit is asked about (each choice through
// the prompter), a busy folder is said so, and Preview Generation shows the
// diff without writing.
#include "DocumentTestAccess.h"
#include "ShellTestSupport.h"
#include "shell/CColorListBox.h"
#include "shell/CLogDialog.h"
#include "shell/CMainFrame.h"
#include "shell/CTORVIODoc.h"
#include "shell/DiffDialog.h"
#include "shell/GenerateSources.h"
#include "shell/PathBytes.h"
#include "shell/Settings.h"
#include "strings/StringTable.h"

#include "FolderLock.h"
#include "GeneratedFiles.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QTextDocument>
#include <QtTest>

using namespace torvio;
using torvio::test::OnNextModal;
using torvio::test::ReadAll;
using torvio::test::ScriptedPrompter;
using torvio::test::WriteAll;

namespace {

// Runs Generate Sources, closing the log; the lines the log showed.
QStringList Generate(CTORVIODoc &doc) {
  QStringList shown;
  OnNextModal([&](QWidget *modal) {
    if (auto *log = qobject_cast<CLogDialog *>(modal)) {
      for (int i = 0; i < log->List()->count(); ++i)
        shown << log->List()->item(i)->text();
    }
    modal->close();
  });
  GenerateSourcesCommand(doc, nullptr);
  return shown;
}

const QStringList kChoices = {"Overwrite", "Keep these files", "Show Differences...", "Cancel"};

} // namespace

class TestRegenerationDialog : public QObject {
  Q_OBJECT

private slots:
  void init() {
    settings_.Clear();
    output_.emplace();
    doc_.emplace();
    doc_->OnNewDocument();
    WriteFolders({QStringLiteral(TORVIO_TEMPLATES_DIR), Out()});
    QVERIFY(Generate(*doc_).contains(QStringLiteral("Files: 0 updated, 9 created, 0 unchanged.")));
    hall_ = ReadAll(Out() + QStringLiteral("MC_Hall_prm.h"));
    QVERIFY(!hall_.isEmpty());
  }

  void secondRunLeavesUnchangedHeadersAlone() {
    const QString header = Out() + QStringLiteral("MC_Control_Param.h");
    const QDateTime past = QDateTime::fromSecsSinceEpoch(1000000000);
    {
      QFile f(header);
      QVERIFY(f.open(QIODevice::ReadWrite));
      QVERIFY(f.setFileTime(past, QFileDevice::FileModificationTime));
    }
    const QStringList shown = Generate(*doc_);
    QVERIFY(shown.contains(QStringLiteral("MC_Control_Param.h : unchanged")));
    QVERIFY(shown.contains(QStringLiteral("Files: 0 updated, 0 created, 9 unchanged.")));
    QCOMPARE(QFileInfo(header).lastModified(), past);
  }

  void handEditChoices_data() {
    QTest::addColumn<QList<int>>("choices");
    QTest::addColumn<bool>("kept");
    QTest::addColumn<QString>("reportLine");
    QTest::newRow("overwrite") << QList<int>{0} << false << "MC_Hall_prm.h : updated";
    QTest::newRow("keep") << QList<int>{1} << true << "MC_Hall_prm.h : kept";
    QTest::newRow("cancel") << QList<int>{3} << true
                            << "Generation cancelled: nothing was written.";
    // Escape or the close button give the last choice.
    QTest::newRow("closed") << QList<int>{} << true << "Generation cancelled: nothing was written.";
    QTest::newRow("differences, then keep") << QList<int>{2, 1} << true << "MC_Hall_prm.h : kept";
  }

  void handEditChoices() {
    QFETCH(QList<int>, choices);
    QFETCH(bool, kept);
    QFETCH(QString, reportLine);
    const QString hall = Out() + QStringLiteral("MC_Hall_prm.h");
    const QByteArray edited = hall_ + "/* tuned on the bench */\n";
    QVERIFY(WriteAll(hall, edited));
    const QByteArray buildLog = ReadAll(Out() + QStringLiteral("BuildLog.xml"));

    ScriptedPrompter prompts;
    prompts.choices.assign(choices.begin(), choices.end());
    QString diffShown;
    const bool cancelled = reportLine.startsWith(QStringLiteral("Generation cancelled"));
    // A cancelled run shows nothing; else the log, after the differences
    // when they were asked for.
    if (!cancelled) {
      OnNextModal([&](QWidget *modal) {
        if (auto *diff = qobject_cast<DiffDialog *>(modal)) {
          diffShown = diff->Text()->toPlainText();
          diff->CloseButton()->click();
          OnNextModal([](QWidget *log) { log->close(); });
        } else {
          modal->close();
        }
      });
    }
    GenerateSourcesCommand(*doc_, nullptr);

    QCOMPARE(prompts.questions.size(), std::size_t(choices.contains(2) ? 2 : 1));
    QCOMPARE(prompts.questions[0].choices, kChoices);
    // Enter keeps the hand edits.
    QCOMPARE(prompts.questions[0].defaultChoice, 1);
    QVERIFY(prompts.questions[0].text.contains(QStringLiteral("    MC_Hall_prm.h\n")));
    QVERIFY(!prompts.questions[0].text.contains(QStringLiteral("MC_Control_Param.h")));
    QCOMPARE(ReadAll(hall) == edited, kept);
    QVERIFY(test::Digits(doc_->LastReport()).join(u'\n').contains(reportLine));
    if (cancelled)
      QCOMPARE(ReadAll(Out() + QStringLiteral("BuildLog.xml")), buildLog);
    if (choices.contains(2)) {
      QVERIFY2(diffShown.startsWith(QStringLiteral(
                   "MC_Hall_prm.h : would be updated, although it was edited by hand\n")),
               qPrintable(diffShown));
      QVERIFY(diffShown.contains(QStringLiteral("--- a/MC_Hall_prm.h\n+++ b/MC_Hall_prm.h\n")));
      QVERIFY(diffShown.contains(QStringLiteral("\n-/* tuned on the bench */")));
    }
  }

  // No dialog waits while the run holds the folder: when the hand-edit
  // question and the log show, the folder holds the generated files, the
  // manifest and the lock file only, and another run gets the lock at once.
  void folderIsFreeWhileADialogWaits() {
    QVERIFY(WriteAll(Out() + QStringLiteral("MC_Hall_prm.h"), hall_ + "/* tuned */\n"));
    ScriptedPrompter prompts;
    prompts.choices = {1};
    QStringList atQuestion, atLog;
    bool freeAtQuestion = false, freeAtLog = false;
    prompts.onQuestion = [&] {
      atQuestion = FolderEntries();
      freeAtQuestion = FolderLock(PathBytes(Out()), std::chrono::milliseconds(0)).Held();
    };
    OnNextModal([&](QWidget *log) {
      atLog = FolderEntries();
      freeAtLog = FolderLock(PathBytes(Out()), std::chrono::milliseconds(0)).Held();
      log->close();
    });
    GenerateSourcesCommand(*doc_, nullptr);
    QStringList expected = {QStringLiteral(".torvio-generated.sha256"),
                            QStringLiteral(".torvio-generation.lock")};
    for (const char *name : kGeneratedFiles)
      expected << QString::fromLatin1(name);
    expected.sort();
    QCOMPARE(atQuestion, expected);
    QCOMPARE(atLog, expected);
    QVERIFY(freeAtQuestion);
    QVERIFY(freeAtLog);
    QVERIFY(test::Digits(doc_->LastReport()).contains(QStringLiteral("2MC_Hall_prm.h : kept")));
  }

  // A missing output folder is made, parents and all, and the log says so;
  // one that cannot be made is named with the system's reason, and each
  // header still reports its own failure.
  void missingOutputFolderIsCreated() {
    const QString deeper = Out() + QStringLiteral("new/deeper/");
    WriteFolders({QStringLiteral(TORVIO_TEMPLATES_DIR), deeper});
    QStringList shown = Generate(*doc_);
    QCOMPARE(shown.value(0),
             QStringLiteral("Output Dir : %1 did not exist and was created.").arg(deeper));
    QVERIFY(QFileInfo(deeper + QStringLiteral("MC_Hall_prm.h")).isFile());
    QVERIFY(shown.contains(QStringLiteral("Files: 0 updated, 9 created, 0 unchanged.")));

    const QString underAFile = Out() + QStringLiteral("MC_Hall_prm.h/out/");
    WriteFolders({QStringLiteral(TORVIO_TEMPLATES_DIR), underAFile});
    shown = Generate(*doc_);
    QCOMPARE(shown.value(0),
             QStringLiteral("Output Dir : %1 cannot take the headers: Not a directory.")
                 .arg(underAFile));
    QCOMPARE(
        shown.filter(QStringLiteral("Exit code [4] -> Error : Header file creation failed (.h)."))
            .size(),
        9);
  }

  void busyFolderIsSaidSo() {
    ScriptedPrompter prompts;
    FolderLock other(PathBytes(Out()), std::chrono::milliseconds(0));
    QVERIFY(other.Held());
    GenerateSourcesCommand(*doc_, nullptr);
    QCOMPARE(prompts.messages.size(), std::size_t{1});
    QVERIFY(prompts.messages[0].text.startsWith(
        QStringLiteral("Another generation is writing into the output folder")));
    QCOMPARE(test::Digits(doc_->LastReport()).size(), 1);
    QVERIFY(test::Digits(doc_->LastReport())[0].startsWith(QStringLiteral("1Output Dir : ")));
  }

  // Through the Tools menu's action: statuses and a coloured diff, nothing
  // written.
  void previewShowsTheChangeAndWritesNothing() {
    CMainFrame frame(&*doc_, nullptr, test::KindPageFactory());
    DocumentTestAccess::Record(*doc_).OverTemperatureThreshold.Value = 70;
    const QString control = Out() + QStringLiteral("MC_Control_Param.h");
    const QByteArray before = ReadAll(control);
    QString summary, text;
    QColor removed, added;
    OnNextModal([&](QWidget *modal) {
      auto *diff = qobject_cast<DiffDialog *>(modal);
      QVERIFY(diff);
      QCOMPARE(diff->windowTitle(), QStringLiteral("Preview Generation"));
      QVERIFY(diff->Text()->isReadOnly());
      QVERIFY(diff->Text()->font().fixedPitch() || QFontInfo(diff->Text()->font()).fixedPitch());
      summary = diff->Text()->accessibleDescription();
      text = diff->Text()->toPlainText();
      for (QTextBlock b = diff->Text()->document()->begin(); b.isValid(); b = b.next()) {
        const QColor c = b.begin().fragment().charFormat().foreground().color();
        if (b.text().startsWith(u'-') && !b.text().startsWith(QStringLiteral("---")))
          removed = c;
        if (b.text().startsWith(u'+') && !b.text().startsWith(QStringLiteral("+++")))
          added = c;
      }
      diff->CloseButton()->click();
    });
    frame.Action(ID_TOOLS_PREVIEW)->trigger();
    QVERIFY2(summary.contains(QStringLiteral("1 to update, 0 to create, 8 unchanged")),
             qPrintable(summary));
    QVERIFY(text.startsWith(QStringLiteral("MC_Control_Param.h : would be updated\n"
                                           "MC_PMSM_motor_param.h : unchanged\n")));
    QVERIFY(text.contains(QStringLiteral("BuildLog.xml : would be written\n")));
    QVERIFY(text.contains(QStringLiteral("--- a/MC_Control_Param.h\n")));
    QCOMPARE(removed, QColor(192, 0, 0));
    QCOMPARE(added, QColor(0, 128, 0));
    QCOMPARE(ReadAll(control), before);
  }

private:
  QString Out() const { return output_->path() + u'/'; }
  QStringList FolderEntries() const {
    QStringList names = QDir(Out()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                              QDir::NoDotAndDotDot);
    names.sort();
    return names;
  }

  test::TemporarySettings settings_;
  std::optional<QTemporaryDir> output_;
  std::optional<CTORVIODoc> doc_;
  QByteArray hall_;
};

QTEST_MAIN(TestRegenerationDialog)
#include "RegenerationDialogTest.moc"
