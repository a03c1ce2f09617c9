// File > Export... and File > Import...: the JSON text torvio-gen writes
// and reads, a typed value counting as entered, an import as one undoable
// edit, and a refused import changing nothing.
#include "DefaultRecord.h"
#include "DocumentTestAccess.h"
#include "ProjectJson.h"
#include "ScriptedEdit.h"
#include "ShellTestSupport.h"
#include "history/ProjectHistory.h"
#include "pages/NumericField.h"
#include "shell/CColorListBox.h"
#include "shell/CLogDialog.h"
#include "shell/CMainFrame.h"
#include "shell/CMainSheet.h"
#include "shell/CTORVIODoc.h"
#include "shell/CTORVIOView.h"
#include "shell/Settings.h"
#include "strings/StringTable.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QUndoStack>
#include <QtTest>

using namespace torvio;
using torvio::test::ScriptedPrompter;

namespace {

using testsupport::SameRecord;

UserData Defaults() {
  return testsupport::DefaultRecord();
}

void WriteText(const QString &path, const std::string &text) {
  QFile f(path);
  QVERIFY(f.open(QIODevice::WriteOnly));
  f.write(text.data(), qint64(text.size()));
}

using Window = test::MainWindow;

} // namespace

class TestJsonCommands : public QObject {
  Q_OBJECT

private slots:
  void initTestCase() { QLocale::setDefault(QLocale::c()); }
  void init() { settings_.Clear(); }

  void fileMenuOffersExportAndImport() {
    Window w;
    QMenu *file = w.frame.menuBar()->actions().value(0)->menu();
    QVERIFY(file);
    QStringList texts;
    for (QAction *a : file->actions())
      texts << (a->isSeparator() ? QStringLiteral("|") : a->text());
    QCOMPARE(texts, (QStringList{"&New", "&Open...", "&Save", "Save &As...", "Compare &With...",
                                 "|", "&Export...", "&Import...", "|", "E&xit"}));
    QCOMPARE(w.frame.Action(ID_FILE_EXPORT)->statusTip(),
             QStringLiteral("Write the project as a JSON text, one setting per line"));
  }

  void exportWritesTheTypedValueAsTorvioGenDoes() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("motor.json"));
    ScriptedPrompter prompter;
    prompter.fileNames = {path};
    Window w;
    w.doc.OnNewDocument();
    WriteOutputDir(QStringLiteral("/srv/out/"));
    QVERIFY(w.Show());
    // Typed, not committed: the command commits it first.
    QVERIFY(w.Type(CMainSheet::SlotMotorAndHw, QStringLiteral("R (Ohm)"), QStringLiteral("0.5")));
    w.frame.Action(ID_FILE_EXPORT)->trigger();
    QCOMPARE(prompter.fileFilters, QStringList{QStringLiteral("JSON Files (*.json)")});
    QCOMPARE(prompter.suggestedNames, QStringList{QStringLiteral("Untitled.json")});
    UserData expected = Defaults();
    QVERIFY(scripting::ApplyAssignment(expected, "MOTORANDHW/MOTORCHARACTERISTICS/R=0.5").ok());
    const auto json = scripting::ExportProjectJson(expected, "/srv/out/");
    QVERIFY(json.ok());
    QCOMPARE(test::ReadAll(path), QByteArray::fromStdString(*json));
    QVERIFY(prompter.messages.empty());
  }

  void importIsOneUndoableEdit() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("motor.json"));
    UserData imported = Defaults();
    QVERIFY(scripting::ApplyAssignments(imported, {"MOTORANDHW/MOTORCHARACTERISTICS/PolePairs=5",
                                                   "CONFIGURATION/SPEEDFEEDBACK/HallSensors=TRUE"})
                .ok());
    WriteText(path, *scripting::ExportProjectJson(imported, "/srv/motor5/"));
    ScriptedPrompter prompter;
    prompter.fileNames = {path};
    Window w;
    w.doc.OnNewDocument();
    DocumentTestAccess::SetModified(w.doc, false);
    w.frame.Action(ID_FILE_IMPORT)->trigger();
    QCOMPARE(prompter.fileFilters, QStringList{QStringLiteral("JSON Files (*.json)")});
    QVERIFY(prompter.messages.empty());
    QVERIFY(SameRecord(w.doc.Record(), imported));
    QVERIFY(w.doc.IsModified());
    QCOMPARE(ReadFolders().outputDir, QStringLiteral("/srv/motor5/"));
    // The sheet follows the record: Hall sensors bring the Hall page.
    QCOMPARE(w.sheet->Kind(CMainSheet::SlotSpeedFeedback), PageKind::SpeedFeedback2);
    QUndoStack *stack = w.frame.History()->Stack();
    QCOMPARE(stack->count(), 1);
    QCOMPARE(w.frame.Action(ID_EDIT_UNDO)->text(), QStringLiteral("&Undo Import"));
    stack->undo();
    QVERIFY(SameRecord(w.doc.Record(), Defaults()));
    // The imported output folder is not undone with the record: the project
    // stays modified, so that closing asks.
    QCOMPARE(ReadFolders().outputDir, QStringLiteral("/srv/motor5/"));
    QVERIFY(w.doc.IsModified());
  }

  // An import is an edit: R changed by hand in the JSON recomputes the
  // integral gains (633 -> 2716 over 16384 for 1.5 Ohm), and the message
  // log lists what the check changed.
  void importRecomputesWhatFollowsAndSaysSo() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("motor.json"));
    UserData exported = Defaults();
    QVERIFY(scripting::ApplyAssignment(exported, "MOTORANDHW/MOTORCHARACTERISTICS/R=0.35").ok());
    std::string json = *scripting::ExportProjectJson(exported, "");
    const std::string from = "\"min\":0.01,\"value\":0.35}";
    json.replace(json.find(from), from.size(), "\"min\":0.01,\"value\":1.5}");
    WriteText(path, json);
    ScriptedPrompter prompter;
    prompter.fileNames = {path};
    Window w;
    QStringList shown;
    test::OnNextModal([&](QWidget *modal) {
      if (auto *log = qobject_cast<CLogDialog *>(modal))
        for (int i = 0; i < log->List()->count(); ++i)
          shown << log->List()->item(i)->text();
      modal->close();
    });
    w.frame.Action(ID_FILE_IMPORT)->trigger();
    QCOMPARE(prompter.fileTitles, QStringList{QStringLiteral("Import")});
    QCOMPARE(w.doc.Record().TorqueIDividend.Value, 2716u);
    QCOMPARE(w.doc.Record().FluxIDividend.Value, 2716u);
    QCOMPARE(shown.value(0),
             QStringLiteral("After importing %1 the consistency check changed:").arg(path));
    QVERIFY(shown.contains(QStringLiteral(
        "    CONTROLSETTINGS/TORQUEANDFLUXCONTROLLER/TORQUE/TorqueIDividend: 633 -> 2716")));
    QCOMPARE(w.frame.History()->Stack()->count(), 1);
  }

  void aRefusedImportChangesNothingAndSaysWhy() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bad.json"));
    std::string text = *scripting::ExportProjectJson(Defaults(), "");
    const std::string from = "\"value\":0.35}";
    text.replace(text.find(from), from.size(), "\"value\":151}");
    WriteText(path, text);
    ScriptedPrompter prompter;
    prompter.fileNames = {path};
    Window w;
    w.doc.OnNewDocument();
    DocumentTestAccess::SetModified(w.doc, false);
    const UserData before = w.doc.Record();
    w.frame.Action(ID_FILE_IMPORT)->trigger();
    QCOMPARE(prompter.messages.size(), std::size_t(1));
    QCOMPARE(prompter.messages[0].icon, Prompter::Icon::Error);
    QCOMPARE(prompter.messages[0].text,
             QStringLiteral("The file\n\n%1\n\ncannot be imported; the project is unchanged:\n\n"
                            "MOTORANDHW/MOTORCHARACTERISTICS/R: 151 is outside 0.01..150")
                 .arg(path));
    QVERIFY(SameRecord(w.doc.Record(), before));
    QVERIFY(!w.doc.IsModified());
    QCOMPARE(w.frame.History()->Stack()->count(), 0);
  }

  void anExportThatCannotBeWrittenSaysSo() {
    QTemporaryDir dir;
    ScriptedPrompter prompter;
    prompter.fileNames = {dir.path()}; // a folder
    Window w;
    w.frame.Action(ID_FILE_EXPORT)->trigger();
    QCOMPARE(prompter.messages.size(), std::size_t(1));
    QCOMPARE(prompter.messages[0].icon, Prompter::Icon::Error);
    QVERIFY(prompter.messages[0].text.startsWith(
        QStringLiteral("The project could not be exported to\n\n%1\n\n").arg(dir.path())));
    QVERIFY(QFileInfo(dir.path()).isDir());
  }

  void cancellingAsksNothingMore() {
    ScriptedPrompter prompter; // no file name: cancel
    Window w;
    const UserData before = w.doc.Record();
    w.frame.Action(ID_FILE_IMPORT)->trigger();
    w.frame.Action(ID_FILE_EXPORT)->trigger();
    QVERIFY(prompter.messages.empty());
    QVERIFY(SameRecord(w.doc.Record(), before));
  }

private:
  torvio::test::TemporarySettings settings_;
};

QTEST_MAIN(TestJsonCommands)
#include "JsonCommandsTest.moc"
