// Tools Generate Sources: the Options dialog when no output folder is set,
// the exit code 9 line, the library call with its arguments, and the log.
#include "shell/GenerateSources.h"
#include "DocumentTestAccess.h"
#include "ShellTestSupport.h"
#include "shell/CColorListBox.h"
#include "shell/CLogDialog.h"
#include "shell/COptionsDlg.h"
#include "shell/CTORVIODoc.h"
#include "shell/Settings.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace torvio;
using torvio::test::OnNextModal;

namespace {

struct Call {
  const UserData *data = nullptr;
  std::string templatesDir;
  std::string outputDir;
  bool waitCursor = false;
};
std::vector<Call> calls;

parvex::GenerationResult FakeGenerator(const UserData &data, const std::string &templatesDir,
                                       const std::string &outputDir, const std::string &) {
  Call call;
  call.data = &data;
  call.templatesDir = templatesDir;
  call.outputDir = outputDir;
  call.waitCursor =
      QApplication::overrideCursor() && QApplication::overrideCursor()->shape() == Qt::WaitCursor;
  calls.push_back(call);
  using parvex::Severity;
  parvex::GenerationResult result;
  result.lines = {{"Generating File Demo.h", Severity::Information},
                  {"Exit code [0] -> File created.", Severity::Information},
                  {"Value clamped", Severity::Warning},
                  {"Exit code [3] -> Template not found.", Severity::Error},
                  {"End include files creation. 1 Error(s) 1 Warning(s)", Severity::Information}};
  return result;
}

} // namespace

class TestGenerateSources : public QObject {
  Q_OBJECT

private slots:
  void initTestCase() { SetGenerator(&FakeGenerator); }
  void cleanupTestCase() { SetGenerator(nullptr); }

  void init() {
    settings_.Clear();
    calls.clear();
  }

  void withoutOutputFolderAndOptionsCancelled() {
    CTORVIODoc doc;
    DocumentTestAccess::SetModified(doc, false);
    bool optionsShown = false;
    QStringList shownLines;
    OnNextModal([&](QWidget *modal) {
      optionsShown = qobject_cast<COptionsDlg *>(modal) != nullptr;
      modal->close();
      OnNextModal([&](QWidget *log) {
        if (auto *dialog = qobject_cast<CLogDialog *>(log)) {
          for (int i = 0; i < dialog->List()->count(); ++i) {
            shownLines << dialog->List()->item(i)->text();
          }
        }
        log->close();
      });
    });
    GenerateSourcesCommand(doc, nullptr);
    QVERIFY(optionsShown);
    QVERIFY(calls.empty());
    QCOMPARE(test::Digits(doc.LastReport()),
             QStringList{"1Exit code [9] -> Output Directory not specified. Build aborted."});
    QCOMPARE(shownLines,
             QStringList{"Exit code [9] -> Output Directory not specified. Build aborted."});
    QVERIFY(!doc.IsModified());
  }

  void outputFolderSetInTheOptionsDialogRunsTheGenerator() {
    CTORVIODoc doc;
    DocumentTestAccess::SetModified(doc, false);
    OnNextModal([&](QWidget *modal) {
      auto *options = qobject_cast<COptionsDlg *>(modal);
      QVERIFY(options);
      options->OutputEdit()->setText(out_.path());
      options->accept();
      OnNextModal([](QWidget *log) { log->close(); });
    });
    GenerateSourcesCommand(doc, nullptr);
    QCOMPARE(calls.size(), std::size_t{1});
    QCOMPARE(calls[0].outputDir, (out_.path() + u'/').toStdString());
    // Only Tools Options marks the project modified.
    QVERIFY(!doc.IsModified());
  }

  void withOutputFolderCallsTheLibraryAndShowsTheLog() {
    WriteFolders({QString(), out_.path() + u'/'});
    CTORVIODoc doc;
    QList<QColor> colours;
    QStringList texts;
    int top = -1;
    OnNextModal([&](QWidget *modal) {
      auto *log = qobject_cast<CLogDialog *>(modal);
      QVERIFY(log);
      QCOMPARE(log->windowTitle(), QStringLiteral("Message Log"));
      for (int i = 0; i < log->List()->count(); ++i) {
        texts << log->List()->item(i)->text();
        colours << log->List()->GetItemColor(i);
      }
      top = log->List()->GetTopIndex();
      log->CloseButton()->click();
    });
    GenerateSourcesCommand(doc, nullptr);
    QCOMPARE(calls.size(), std::size_t{1});
    QCOMPARE(calls[0].data, &doc.Record());
    QCOMPARE(calls[0].templatesDir, std::string()); // passed as read, even empty
    QCOMPARE(calls[0].outputDir, (out_.path() + u'/').toStdString());
    QVERIFY(calls[0].waitCursor);
    QVERIFY(QApplication::overrideCursor() == nullptr);
    // The generator's lines, then what became of each file (this generator
    // writes none).
    const QStringList report = test::Digits(doc.LastReport());
    QCOMPARE(report.mid(0, 5),
             (QStringList{"0Generating File Demo.h", "0Exit code [0] -> File created.",
                          "2Value clamped", "1Exit code [3] -> Template not found.",
                          "0End include files creation. 1 Error(s) 1 Warning(s)"}));
    QCOMPARE(report.size(), 5 + 10 + 1);
    QCOMPARE(report[5], QStringLiteral("2MC_Control_Param.h : not produced"));
    QCOMPARE(texts.mid(0, 5),
             (QStringList{"Generating File Demo.h", "Exit code [0] -> File created.",
                          "Value clamped", "Exit code [3] -> Template not found.",
                          "End include files creation. 1 Error(s) 1 Warning(s)"}));
    QCOMPARE(texts.size(), report.size());
    QCOMPARE(colours.mid(0, 5), (QList<QColor>{QColor(0, 0, 0), QColor(0, 0, 0), QColor(0, 0, 255),
                                               QColor(255, 0, 0), QColor(0, 0, 0)}));
    // The end of the run is in view.
    QVERIFY(top >= 0 && top <= report.size() - 1);
  }

private:
  test::TemporarySettings settings_;
  QTemporaryDir out_;
};

QTEST_MAIN(TestGenerateSources)
#include "GenerateSourcesTest.moc"
