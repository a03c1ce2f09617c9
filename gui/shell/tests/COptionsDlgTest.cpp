// The Options dialog and the folder browser behind its Browse buttons.
#include "shell/COptionsDlg.h"
#include "ShellTestSupport.h"
#include "shell/CPathDialog.h"
#include "shell/CPathDialogSub.h"
#include "shell/Settings.h"

#include <QFileSystemModel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>
#include <QtTest>

using namespace torvio;
using torvio::test::ScriptedPrompter;

class TestOptions : public QObject {
  Q_OBJECT

private slots:
  void init() { settings_.Clear(); }

  void showsTheStoredFolders() {
    WriteFolders({QStringLiteral("/t/"), QStringLiteral("/o/")});
    COptionsDlg dialog;
    QCOMPARE(dialog.TemplatesEdit()->text(), QStringLiteral("/t/"));
    QCOMPARE(dialog.OutputEdit()->text(), QStringLiteral("/o/"));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Options"));
    // Screen readers find the edits by their frames' captions.
    QCOMPARE(dialog.TemplatesEdit()->accessibleName(), QStringLiteral("Templates Directory"));
    QCOMPARE(dialog.OutputEdit()->accessibleName(), QStringLiteral("Output Directory"));
    QCOMPARE(dialog.OutputBrowse()->text(), QStringLiteral("Browse"));
  }

  void okAppendsTheSeparator() {
    COptionsDlg dialog;
    dialog.TemplatesEdit()->setText(QStringLiteral("/work/templates"));
    dialog.OutputEdit()->setText(QStringLiteral("/work/out/"));
    dialog.accept();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(ReadFolders().templatesDir, QStringLiteral("/work/templates/"));
    QCOMPARE(ReadFolders().outputDir, QStringLiteral("/work/out/"));
  }

  void okStoresEmptyTextsAsEmpty() {
    WriteFolders({QStringLiteral("/t/"), QStringLiteral("/o/")});
    COptionsDlg dialog;
    dialog.TemplatesEdit()->clear();
    dialog.OutputEdit()->clear();
    dialog.accept();
    QCOMPARE(ReadFolders().templatesDir, QString());
    QCOMPARE(ReadFolders().outputDir, QString());
  }

  void okStoresTypedTextUnchecked() {
    COptionsDlg dialog;
    dialog.OutputEdit()->setText(QStringLiteral("not a folder?"));
    dialog.accept();
    QCOMPARE(ReadFolders().outputDir, QStringLiteral("not a folder?/"));
  }

  void cancelWritesNothing() {
    WriteFolders({QStringLiteral("/t/"), QStringLiteral("/o/")});
    COptionsDlg dialog;
    dialog.TemplatesEdit()->setText(QStringLiteral("/x"));
    dialog.OutputEdit()->setText(QStringLiteral("/y"));
    dialog.reject();
    QCOMPARE(ReadFolders().templatesDir, QStringLiteral("/t/"));
    QCOMPARE(ReadFolders().outputDir, QStringLiteral("/o/"));
  }

  void browseTakesTheChosenFolder() {
    ScriptedPrompter prompts;
    COptionsDlg dialog;
    dialog.OutputEdit()->setText(QStringLiteral("/start"));
    prompts.folders = {QStringLiteral("/work/out")};
    dialog.OutputBrowse()->click();
    QCOMPARE(dialog.OutputEdit()->text(), QStringLiteral("/work/out"));
    QCOMPARE(prompts.folderTitles.value(0), QStringLiteral("Select the output directory"));
    QCOMPARE(prompts.folderInitials.value(0), QStringLiteral("/start"));

    prompts.folders = {QString()};
    dialog.TemplatesEdit()->setText(QStringLiteral("/kept"));
    dialog.TemplatesBrowse()->click();
    QCOMPARE(dialog.TemplatesEdit()->text(), QStringLiteral("/kept"));
    QCOMPARE(prompts.folderTitles.value(1), QStringLiteral("Select the templates directory"));
    dialog.accept();
    QCOMPARE(ReadFolders().outputDir, QStringLiteral("/work/out/"));
  }

  void browserConfirmsAnExistingFolder() {
    ScriptedPrompter prompts;
    QTemporaryDir dir;
    CPathDialog dialog(QStringLiteral("TORVIO"), QStringLiteral("Select the output directory"),
                       dir.path());
    QTimer::singleShot(0, &dialog, [&] {
      QTRY_COMPARE(dialog.Browser()->Edit()->text(), dir.path());
      QVERIFY(dialog.Browser()->OkButton()->isEnabled());
      dialog.Browser()->OkButton()->click();
    });
    QCOMPARE(dialog.DoModal(), int(QDialog::Accepted));
    QCOMPARE(dialog.GetPathName(), dir.path());
    QCOMPARE(dialog.windowTitle(), QStringLiteral("TORVIO"));
    QVERIFY(prompts.messages.empty());
  }

  void browserCreatesATypedFolderOrStaysOpen() {
    ScriptedPrompter prompts;
    QTemporaryDir dir;
    CPathDialog dialog(QStringLiteral("TORVIO"), QStringLiteral("Select"), dir.path());
    const QString typed = dir.path() + QStringLiteral("/new/deeper");
    QTimer::singleShot(0, &dialog, [&] {
      CPathDialogSub *browser = dialog.Browser();
      // Invalid: a trailing separator keeps the browser open.
      browser->Edit()->setText(dir.path() + QStringLiteral("/"));
      browser->OkButton()->click();
      QVERIFY(dialog.isVisible());
      // Declined creation keeps it open too.
      browser->Edit()->setText(typed);
      prompts.answers = {Prompter::Answer::No};
      browser->OkButton()->click();
      QVERIFY(dialog.isVisible());
      QVERIFY(!QFileInfo::exists(typed));
      // An empty edit disables OK.
      browser->Edit()->clear();
      QVERIFY(!browser->OkButton()->isEnabled());
      browser->Edit()->setText(typed);
      QVERIFY(browser->OkButton()->isEnabled());
      prompts.answers = {Prompter::Answer::Yes};
      browser->OkButton()->click();
    });
    QCOMPARE(dialog.DoModal(), int(QDialog::Accepted));
    QCOMPARE(dialog.GetPathName(), typed);
    QVERIFY(QFileInfo(typed).isDir());
    QCOMPARE(prompts.messages.size(), std::size_t{3});
    QCOMPARE(prompts.messages[0].text,
             QStringLiteral("The folder:\n\n%1/\n\nis invalid. Please reenter.").arg(dir.path()));
  }

  void browserCancelEndsWithCancel() {
    CPathDialog dialog(QStringLiteral("TORVIO"), QStringLiteral("Select"), QString());
    QTimer::singleShot(0, &dialog, [&] {
      // An empty initial folder selects the current working folder.
      QTRY_COMPARE(dialog.Browser()->Edit()->text(), QDir::currentPath());
      dialog.Browser()->CancelButton()->click();
    });
    QCOMPARE(dialog.DoModal(), int(QDialog::Rejected));
  }

  void browserEditSitsAboveTheTree() {
    CPathDialog dialog(QStringLiteral("TORVIO"), QStringLiteral("Select"), QStringLiteral("/"));
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    const QRect edit = dialog.Browser()->Edit()->geometry();
    const QRect tree = dialog.Browser()->Tree()->geometry();
    QVERIFY(edit.bottom() < tree.top());
    QCOMPARE(edit.left(), tree.left());
    QCOMPARE(edit.right(), tree.right());
    QCOMPARE(dialog.Browser()->Edit()->maxLength(), 259);
  }

private:
  test::TemporarySettings settings_;
};

QTEST_MAIN(TestOptions)
#include "COptionsDlgTest.moc"
