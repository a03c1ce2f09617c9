// A value typed into a field counts as entered whatever the user does next:
// every command, started from the keyboard, the toolbar, a menu or the
// window's close button, first commits the pending edit of the focused
// field (its limits, the consistency check, one undo step). The focus never
// leaves the field before the command, as with a real user.
#include "DefaultRecord.h"
#include "DocumentTestAccess.h"
#include "ProjectFile.h"
#include "ShellTestSupport.h"
#include "chart/MmiChartWindow.h"
#include "history/ProjectHistory.h"
#include "pages/NumericField.h"
#include "shell/CLogDialog.h"
#include "shell/CMainFrame.h"
#include "shell/CMainSheet.h"
#include "shell/CTORVIODoc.h"
#include "shell/CTORVIOView.h"
#include "shell/HelpWindow.h"
#include "shell/Settings.h"
#include "strings/StringTable.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QPushButton>
#include <QToolBar>
#include <QToolButton>
#include <QUndoStack>
#include <QtTest>

using namespace torvio;
using torvio::test::OnNextModal;
using torvio::test::ScriptedPrompter;

namespace {

using testsupport::SameRecord;

UserData Defaults() {
  return testsupport::DefaultRecord();
}

// The defaults after R (Ohm) was committed: the value, then the check the
// page runs after R (the integral gains follow it).
UserData DefaultsWithR(double r) {
  UserData d = Defaults();
  d.R.Value = r;
  PARVEX_CheckConsistency(&d);
  return d;
}

// The project file of `record` with no output folder, as Save writes it.
QByteArray ProjectBytes(const UserData &record) {
  const auto bytes = EncodeProject(record, std::string());
  return QByteArray(reinterpret_cast<const char *>(bytes.data()), qsizetype(bytes.size()));
}

struct Window : test::MainWindow {
  QUndoStack *stack = frame.History()->Stack();

  void ClickToolButton(unsigned id) {
    auto *bar = frame.findChild<QToolBar *>(QStringLiteral("toolbar"));
    QTest::mouseClick(bar->widgetForAction(frame.Action(id)), Qt::LeftButton);
  }

  void Shortcut(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier) {
    QTest::keyClick(frame.windowHandle(), key, modifiers);
  }
};

} // namespace

class TestPendingEdit : public QObject {
  Q_OBJECT

private slots:
  void initTestCase() { QLocale::setDefault(QLocale::c()); }
  void init() { settings_.Clear(); }
  void cleanup() { delete HelpWindow::Existing(); }

  void ctrlSSavesTheTypedValue() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("motor1.tvd"));
    Window w;
    QVERIFY(w.doc.OnSaveDocument(path));
    QVERIFY(w.Show());
    QVERIFY(!w.frame.Action(ID_FILE_SAVE)->isEnabled());
    NumericField *r =
        w.Type(CMainSheet::SlotMotorAndHw, QStringLiteral("R (Ohm)"), QStringLiteral("0.50"));
    QVERIFY(r);
    QVERIFY(r->hasFocus());
    QVERIFY(w.frame.Action(ID_FILE_SAVE)->isEnabled()); // the typed value is unsaved
    w.Shortcut(Qt::Key_S);
    QVERIFY(r->hasFocus());
    QCOMPARE(test::ReadAll(path), ProjectBytes(DefaultsWithR(0.5)));
    QVERIFY(!w.doc.IsModified());
    QCOMPARE(w.frame.windowTitle(), QStringLiteral("motor1.tvd - TORVIO"));
    QCOMPARE(w.stack->count(), 1);
  }

  void toolbarSaveSavesTheTypedValue() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("motor1.tvd"));
    Window w;
    QVERIFY(w.doc.OnSaveDocument(path));
    QVERIFY(w.Show());
    QVERIFY(w.Type(CMainSheet::SlotMotorAndHw, QStringLiteral("R (Ohm)"), QStringLiteral("0.50")));
    w.ClickToolButton(ID_FILE_SAVE);
    QCOMPARE(test::ReadAll(path), ProjectBytes(DefaultsWithR(0.5)));
  }

  // Text the field refuses (no number) brings back its last good value, as
  // Tab does, and the command goes on with the record as it was.
  void refusedTextKeepsTheLastValue() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("motor1.tvd"));
    Window w;
    QVERIFY(w.doc.OnSaveDocument(path));
    QVERIFY(w.Show());
    NumericField *r =
        w.Type(CMainSheet::SlotMotorAndHw, QStringLiteral("R (Ohm)"), QStringLiteral("-"));
    QVERIFY(r);
    DocumentTestAccess::SetModified(w.doc, true); // so that Save writes
    w.Shortcut(Qt::Key_S);
    QCOMPARE(r->text(), QStringLiteral("0.35"));
    QCOMPARE(test::ReadAll(path), ProjectBytes(Defaults()));
    QCOMPARE(w.stack->count(), 0);
  }

  void toolbarGenerateWritesTheTypedValue() {
    const QString templates = FirstRunTemplatesDir() + u'/';
    if (!QFileInfo::exists(templates + QStringLiteral("MC_PMSM_motor_param.th")))
      QSKIP("the bundled templates are not beside the program");
    QTemporaryDir output;
    Window w;
    WriteFolders({templates, output.path() + u'/'});
    QVERIFY(w.Show());
    QVERIFY(w.Type(CMainSheet::SlotMotorAndHw, QStringLiteral("R (Ohm)"), QStringLiteral("0.50")));
    OnNextModal([](QWidget *modal) {
      if (auto *log = qobject_cast<CLogDialog *>(modal))
        log->CloseButton()->click();
    });
    w.ClickToolButton(ID_TOOLS_GENERATE);
    const QByteArray header =
        test::ReadAll(output.filePath(QStringLiteral("MC_PMSM_motor_param.h")));
    QVERIFY(header.contains("#define RS               0.50 "));
  }

  void closeButtonAsksAndSavesTheTypedValue() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("motor1.tvd"));
    ScriptedPrompter prompter;
    Window w;
    QVERIFY(w.doc.OnSaveDocument(path));
    QVERIFY(w.Show());
    QVERIFY(w.Type(CMainSheet::SlotMotorAndHw, QStringLiteral("R (Ohm)"), QStringLiteral("0.50")));
    prompter.answers = {Prompter::Answer::Cancel};
    QVERIFY(!w.frame.close());
    QVERIFY(w.frame.isVisible());
    QCOMPARE(prompter.messages.size(), std::size_t(1));
    QCOMPARE(prompter.messages[0].text, QStringLiteral("Save changes to motor1.tvd?"));
    QVERIFY(SameRecord(w.doc.Record(), DefaultsWithR(0.5)));

    QVERIFY(w.Type(CMainSheet::SlotMotorAndHw, QStringLiteral("R (Ohm)"), QStringLiteral("0.60")));
    prompter.answers = {Prompter::Answer::Yes};
    QVERIFY(w.frame.close());
    QCOMPARE(test::ReadAll(path), ProjectBytes(DefaultsWithR(0.6)));
  }

  // New while the field sits on a page that New deletes: the value goes into
  // the old project (which asks to be saved), never into the new one.
  void newFromAnOptionalPageGivesTheDefaults() {
    ScriptedPrompter prompter;
    Window w;
    w.doc.OnNewDocument();
    QVERIFY(w.doc.OnSaveDocument(QDir::temp().filePath(QStringLiteral("pending-new.tvd"))));
    QVERIFY(w.Show());
    QVERIFY(w.Type(CMainSheet::SlotCurrentSensing, QStringLiteral("T Rise (ns)"),
                   QStringLiteral("3000")));
    prompter.answers = {Prompter::Answer::No};
    w.Shortcut(Qt::Key_N);
    QCOMPARE(prompter.messages.size(), std::size_t(1));
    QVERIFY(SameRecord(w.doc.Record(), Defaults()));
    QCOMPARE(w.stack->count(), 0);

    QVERIFY(w.Type(CMainSheet::SlotCurrentSensing, QStringLiteral("T Rise (ns)"),
                   QStringLiteral("3000")));
    prompter.answers = {Prompter::Answer::No};
    w.ClickToolButton(ID_FILE_NEW);
    QVERIFY(SameRecord(w.doc.Record(), Defaults()));
    QFile::remove(QDir::temp().filePath(QStringLiteral("pending-new.tvd")));
  }

  // Undo with an edit pending undoes that edit; the history and the record
  // agree, and Redo brings exactly the committed edit back.
  void toolbarUndoAndRedoWithAPendingEdit() {
    Window w;
    QVERIFY(w.Show());
    NumericField *pwm = w.Type(CMainSheet::SlotControlSettings,
                               QStringLiteral("PWM Frequency (Hz)"), QStringLiteral("20000"));
    QVERIFY(pwm);
    QTest::keyClick(pwm, Qt::Key_Return);
    UserData first = Defaults();
    first.PWMFrequency.Value = 20000;
    PARVEX_CheckConsistency(&first);
    QVERIFY(SameRecord(w.doc.Record(), first));
    UserData second = first;
    second.R.Value = 0.5;
    PARVEX_CheckConsistency(&second);

    QVERIFY(w.Type(CMainSheet::SlotMotorAndHw, QStringLiteral("R (Ohm)"), QStringLiteral("0.50")));
    w.ClickToolButton(ID_EDIT_UNDO);
    QCOMPARE(w.stack->count(), 2);
    QCOMPARE(w.stack->index(), 1);
    QVERIFY(SameRecord(w.doc.Record(), first));
    w.ClickToolButton(ID_EDIT_REDO);
    QCOMPARE(w.stack->index(), 2);
    QVERIFY(SameRecord(w.doc.Record(), second));
    w.ClickToolButton(ID_EDIT_UNDO);
    w.ClickToolButton(ID_EDIT_UNDO);
    QCOMPARE(w.stack->index(), 0);
    QVERIFY(SameRecord(w.doc.Record(), Defaults()));
  }

  // Every other command sees the typed value in the record: started from
  // its menu (which leaves the focus in the field), each answered so that it
  // ends at once.
  void everyCommandCommitsFirst_data() {
    QTest::addColumn<unsigned>("id");
    QTest::addRow("open") << unsigned(ID_FILE_OPEN);
    QTest::addRow("save as") << unsigned(ID_FILE_SAVE_AS);
    QTest::addRow("compare with") << unsigned(ID_FILE_COMPARE);
    QTest::addRow("export") << unsigned(ID_FILE_EXPORT);
    QTest::addRow("import") << unsigned(ID_FILE_IMPORT);
    QTest::addRow("exit") << unsigned(ID_APP_EXIT);
    QTest::addRow("generate") << unsigned(ID_TOOLS_GENERATE);
    QTest::addRow("preview generation") << unsigned(ID_TOOLS_PREVIEW);
    QTest::addRow("options") << unsigned(ID_TOOLS_OPTIONS);
    QTest::addRow("chart") << unsigned(ID_TOOLS_MMI_CHART);
    QTest::addRow("analysis") << unsigned(ID_TOOLS_ANALYSIS);
    QTest::addRow("new") << unsigned(ID_FILE_NEW);
  }

  void everyCommandCommitsFirst() {
    QFETCH(unsigned, id);
    ScriptedPrompter prompter; // file questions cancel, "save changes?" cancels
    Window w;
    QVERIFY(w.Show());
    QVERIFY(w.Type(CMainSheet::SlotMotorAndHw, QStringLiteral("R (Ohm)"), QStringLiteral("0.50")));
    OnNextModal([](QWidget *modal) { qobject_cast<QDialog *>(modal)->reject(); });
    w.frame.Action(id)->trigger();
    QCOMPARE(w.stack->count(), 1);
    QCOMPARE(w.doc.Record().R.Value, 0.5);
    QCOMPARE(w.stack->undoText(), QStringLiteral("R (Ohm)"));
    if (MmiChartWindow *chart = w.frame.ChartWindow())
      QTRY_VERIFY_WITH_TIMEOUT(!chart->Busy(), 120000);
    QApplication::processEvents();
  }

private:
  test::TemporarySettings settings_;
};

QTEST_MAIN(TestPendingEdit)
#include "PendingEditTest.moc"
