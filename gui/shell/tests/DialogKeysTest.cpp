// Enter and Escape in every dialog of the program, pressed as a user does:
// a click into the dialog's edit box or list, then the key. Enter presses the
// default button, which is never the destructive choice; Escape cancels or
// closes. The secondary windows close with Escape and Ctrl+W. Every title
// uses one separator and no ellipsis.
#include "ShellTestSupport.h"
#include "analysis/ControllerAnalysisWindow.h"
#include "analysis/SpeedDesignDialog.h"
#include "analysis/StartupWindow.h"
#include "chart/MmiChartWindow.h"
#include "compare/CompareDialog.h"
#include "shell/CAboutDlg.h"
#include "shell/CColorListBox.h"
#include "shell/CLogDialog.h"
#include "shell/COptionsDlg.h"
#include "shell/DiffDialog.h"
#include "shell/HelpWindow.h"
#include "shell/Settings.h"

#include <QAbstractScrollArea>
#include <QFileDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>
#include <map>

using namespace torvio;
using torvio::test::OnNextModal;

namespace {

QString g_titles;      // every title a dialog of this test showed, one per line
QString g_focusMissed; // targets a click did not give the focus to
QString g_stayedOpen;  // dialogs a key left open

// Clicks into `target` as a user does, then presses `key` where the focus
// went.
void PressIn(QWidget *target, Qt::Key key) {
  auto *area = qobject_cast<QAbstractScrollArea *>(target);
  QTest::mouseClick(area ? area->viewport() : target, Qt::LeftButton, {}, QPoint(4, 4));
  QWidget *focus = QApplication::focusWidget();
  if (focus != target)
    g_focusMissed += target->objectName() + target->accessibleName() + u'\n';
  // The key goes where the focus is; without any, to the target, so that
  // the dialog still ends.
  QTest::keyClick(focus ? focus : target, key);
}

template <class W>
W *Named(QWidget *dialog, const QString &name) {
  for (W *w : dialog->findChildren<W *>())
    if (w->accessibleName() == name || w->objectName() == name)
      return w;
  return nullptr;
}

// The text of the default button, and the button a dialog's run clicked.
struct Buttons {
  QString defaultText;
  QString clicked = QStringLiteral("none");
};

// Watches the buttons of `dialog` and notes its title.
Buttons *Watch(QWidget *dialog) {
  auto *seen = new Buttons;
  QObject::connect(dialog, &QObject::destroyed, [seen] { delete seen; });
  g_titles += dialog->windowTitle() + u'\n';
  for (QPushButton *b : dialog->findChildren<QPushButton *>()) {
    QObject::connect(b, &QPushButton::clicked, dialog, [seen, b] { seen->clicked = b->text(); });
  }
  return seen;
}

// Runs `open` (which shows a modal dialog and returns its outcome) while
// `act` answers the dialog; the default button's text is noted when the
// dialog is shown.
QString Run(const std::function<QString()> &open, const std::function<void(QWidget *)> &act,
            QString *defaultText = nullptr) {
  OnNextModal([=](QWidget *dialog) {
    // Keys reach a window only once it is active.
    if (!QTest::qWaitForWindowActive(dialog))
      g_focusMissed += QStringLiteral("inactive ") + dialog->windowTitle() + u'\n';
    if (defaultText) {
      for (QPushButton *b : dialog->findChildren<QPushButton *>())
        if (b->isDefault())
          *defaultText = b->text();
    }
    act(dialog);
    // A key that did not end the dialog must not hang the test.
    QPointer<QWidget> shown(dialog);
    QTimer::singleShot(200, [shown] {
      if (shown && shown->isVisible()) {
        g_stayedOpen += shown->windowTitle() + u'\n';
        shown->close();
      }
    });
  });
  return open();
}

QString ExecResult(int code) {
  return code == QDialog::Accepted ? QStringLiteral("accepted") : QStringLiteral("rejected");
}

// One dialog: how it is opened, where the user clicks and what each key
// gives.
struct Case {
  std::function<QString(Qt::Key)> run;
  QString enter;
  QString escape;
};

std::map<QString, Case> &Cases() {
  static std::map<QString, Case> cases;
  return cases;
}

} // namespace

class TestDialogKeys : public QObject {
  Q_OBJECT

private slots:
  void initTestCase() {
    QLocale::setDefault(QLocale::c());
    auto &c = Cases();
    // Options: a folder typed into the output edit, then Enter, is OK; the
    // Browse buttons stay shut.
    c["Options"] = {[this](Qt::Key key) {
                      settings_.Clear();
                      test::ScriptedPrompter prompts;
                      QString defaultText;
                      const QString result = Run(
                          [] {
                            COptionsDlg d;
                            return ExecResult(d.exec());
                          },
                          [key](QWidget *d) {
                            auto *edit = static_cast<COptionsDlg *>(d)->OutputEdit();
                            Watch(d);
                            test::TypeOver(edit, QStringLiteral("/tmp/typed"));
                            QTest::keyClick(QApplication::focusWidget(), key);
                          },
                          &defaultText);
                      return QStringLiteral("%1, output '%2', browsed %3, default %4")
                          .arg(result, ReadFolders().outputDir)
                          .arg(prompts.folderTitles.size())
                          .arg(defaultText);
                    },
                    "accepted, output '/tmp/typed/', browsed 0, default OK",
                    "rejected, output '', browsed 0, default OK"};
    c["folder browser"] = {
        [this](Qt::Key key) {
          const QString folder = dir_.path();
          QString defaultText;
          const QString chosen = Run(
              [folder] {
                const auto path = Prompts().BrowseFolder(
                    nullptr, QStringLiteral("TORVIO"),
                    QStringLiteral("Select the output directory"), QString());
                return path.value_or(QStringLiteral("(cancelled)"));
              },
              [key, folder](QWidget *d) {
                Watch(d);
                auto *edit = Named<QLineEdit>(d, QStringLiteral("Select the output directory"));
                test::TypeOver(edit, folder);
                QTest::keyClick(QApplication::focusWidget(), key);
              },
              &defaultText);
          return QStringLiteral("%1, default %2")
              .arg(chosen == folder ? QStringLiteral("chosen") : chosen, defaultText);
        },
        "chosen, default OK", "(cancelled), default OK"};
    c["About"] = {[](Qt::Key key) {
                    QString defaultText;
                    const QString result = Run(
                        [] {
                          CAboutDlg d;
                          return ExecResult(d.exec());
                        },
                        [key](QWidget *d) {
                          Watch(d);
                          PressIn(Named<QListWidget>(d, QStringLiteral("Application Modules")),
                                  key);
                        },
                        &defaultText);
                    return result + QStringLiteral(", default ") + defaultText;
                  },
                  "accepted, default OK", "rejected, default OK"};
    c["Message Log"] = {
        [](Qt::Key key) {
          QString defaultText;
          const QString result = Run(
              [] {
                CLogDialog d({{"Start include files creation", parvex::Severity::Information},
                              {"Exit code [2] -> Error", parvex::Severity::Error}});
                return ExecResult(d.exec());
              },
              [key](QWidget *d) {
                Watch(d);
                PressIn(static_cast<CLogDialog *>(d)->List(), key);
              },
              &defaultText);
          return result + QStringLiteral(", default ") + defaultText;
        },
        "accepted, default &Close", "rejected, default &Close"};
    const auto diffCase = [](const QString &title) {
      return [title](Qt::Key key) {
        QString defaultText, clicked;
        const QString result = Run(
            [title] {
              DiffDialog d(title, QStringLiteral("Nothing has been written."),
                           {{QStringLiteral("MC_Hall_prm.h"), QStringLiteral("would be updated"),
                             QStringLiteral("--- a/x\n+++ b/x\n@@ -1 +1 @@\n-a\n+b\n")}});
              return ExecResult(d.exec());
            },
            [key, &clicked](QWidget *d) {
              Buttons *seen = Watch(d);
              PressIn(static_cast<DiffDialog *>(d)->Text(), key);
              clicked = seen->clicked;
            },
            &defaultText);
        return QStringLiteral("%1 by %2, default %3").arg(result, clicked, defaultText);
      };
    };
    c["Preview Generation"] = {diffCase(QStringLiteral("Preview Generation")),
                               "accepted by &Close, default &Close",
                               "rejected by none, default &Close"};
    c["Show Differences"] = {diffCase(QStringLiteral("Show Differences")),
                             "accepted by &Close, default &Close",
                             "rejected by none, default &Close"};
    c["Compare"] = {
        [](Qt::Key key) {
          QString defaultText, clicked;
          const QString result = Run(
              [] {
                ProjectComparison comparison;
                comparison.readable = true;
                comparison.lines = {
                    QStringLiteral("MOTORANDHW/MOTORCHARACTERISTICS/R: 0.35 -> 0.40")};
                CompareDialog d(QStringLiteral("this project"), QStringLiteral("/tmp/p1.tvd"),
                                comparison);
                return ExecResult(d.exec());
              },
              [key, &clicked](QWidget *d) {
                Buttons *seen = Watch(d);
                PressIn(Named<QPlainTextEdit>(d, QStringLiteral("Differences")), key);
                clicked = seen->clicked;
              },
              &defaultText);
          return QStringLiteral("%1 by %2, default %3").arg(result, clicked, defaultText);
        },
        "rejected by Close, default Close", "rejected by none, default Close"};
    // The hand-edit prompt protects the edits: Enter keeps them.
    c["hand-edit prompt"] = {[](Qt::Key key) {
                               const QStringList choices = {"Overwrite", "Keep these files",
                                                            "Show Differences...", "Cancel"};
                               QString defaultText;
                               const QString result = Run(
                                   [&choices] {
                                     return choices.value(Prompts().Choose(
                                         nullptr, QStringLiteral("Edited"), choices, 1));
                                   },
                                   [key](QWidget *d) {
                                     Watch(d);
                                     QTest::keyClick(QApplication::focusWidget(), key);
                                   },
                                   &defaultText);
                               return result + QStringLiteral(", default ") + defaultText;
                             },
                             "Keep these files, default Keep these files",
                             "Cancel, default Keep these files"};
    const auto answerCase = [](Prompter::Buttons buttons) {
      return [buttons](Qt::Key key) {
        QString defaultText;
        const QString answer = Run(
            [buttons] {
              switch (Prompts().Message(nullptr, QStringLiteral("Question"),
                                        Prompter::Icon::Question, buttons)) {
              case Prompter::Answer::Ok:
                return QStringLiteral("Ok");
              case Prompter::Answer::Yes:
                return QStringLiteral("Yes");
              case Prompter::Answer::No:
                return QStringLiteral("No");
              case Prompter::Answer::Cancel:
                break;
              }
              return QStringLiteral("Cancel");
            },
            [key](QWidget *d) {
              Watch(d);
              QTest::keyClick(QApplication::focusWidget(), key);
            },
            &defaultText);
        return answer + QStringLiteral(", default ") + defaultText.remove(u'&');
      };
    };
    c["message OK"] = {answerCase(Prompter::Buttons::Ok), "Ok, default OK", "Ok, default OK"};
    c["message Yes/No"] = {answerCase(Prompter::Buttons::YesNo), "Yes, default Yes",
                           "No, default Yes"};
    c["message Yes/No/Cancel"] = {answerCase(Prompter::Buttons::YesNoCancel), "Yes, default Yes",
                                  "Cancel, default Yes"};
    const auto fileCase = [this](bool save, const QString &title) {
      return [this, save, title](Qt::Key key) {
        // A name typed without its suffix gets the filter's (.json, not .tvd).
        const QString typed =
            dir_.filePath(save ? QStringLiteral("motor") : QStringLiteral("motor.json"));
        if (!save && !test::WriteAll(typed, "{}"))
          return QStringLiteral("cannot write ") + typed;
        const QString chosen = Run(
            [save, title] {
              const QString filter = QStringLiteral("JSON Files (*.json)");
              const auto path = save ? Prompts().SaveFileName(nullptr, title, QString(), filter)
                                     : Prompts().OpenFileName(nullptr, title, filter);
              return path ? QFileInfo(*path).fileName() : QStringLiteral("(cancelled)");
            },
            [key, typed](QWidget *d) {
              Watch(d);
              // Set, not typed: typing would open the name completer's popup,
              // which takes the first Enter. The dialog keeps the focus in
              // the name edit.
              auto *edit = Named<QLineEdit>(d, QStringLiteral("fileNameEdit"));
              edit->setText(typed);
              edit->setFocus(Qt::MouseFocusReason);
              QTest::keyClick(QApplication::focusWidget(), key);
            });
        QFile::remove(typed);
        return chosen;
      };
    };
    // Apply changes the project: Enter closes, never applies.
    c["Design Speed Gains"] = {
        [](Qt::Key key) {
          QString defaultText, clicked;
          const QString result = Run(
              [] {
                UserData record{};
                PARVEX_SetDefault(&record);
                SpeedDesignDialog d(record, {2e-5, 0, 0});
                return ExecResult(d.exec());
              },
              [key, &clicked](QWidget *d) {
                Buttons *seen = Watch(d);
                PressIn(static_cast<SpeedDesignDialog *>(d)->Comparison(), key);
                clicked = seen->clicked;
              },
              &defaultText);
          return QStringLiteral("%1 by %2, default %3").arg(result, clicked, defaultText);
        },
        "rejected by Close, default Close", "rejected by none, default Close"};
    c["Export"] = {fileCase(true, QStringLiteral("Export")), "motor.json", "(cancelled)"};
    c["Import"] = {fileCase(false, QStringLiteral("Import")), "motor.json", "(cancelled)"};
  }

  void keys_data() {
    QTest::addColumn<QString>("dialog");
    for (const auto &[name, c] : Cases())
      QTest::newRow(qPrintable(name)) << name;
  }

  void keys() {
    QFETCH(QString, dialog);
    const Case &c = Cases().at(dialog);
    g_focusMissed.clear();
    g_stayedOpen.clear();
    QCOMPARE(c.run(Qt::Key_Return), c.enter);
    QCOMPARE(c.run(Qt::Key_Escape), c.escape);
    QVERIFY2(g_focusMissed.isEmpty(), qPrintable(g_focusMissed));
    QVERIFY2(g_stayedOpen.isEmpty(), qPrintable(g_stayedOpen));
  }

  // Titles name the window: one separator (" - TORVIO" where the program's
  // name follows) and no "...", which belongs to menu items.
  void titlesUseOneSeparatorAndNoEllipsis() {
    const QStringList titles = g_titles.split(u'\n', Qt::SkipEmptyParts);
    QVERIFY(titles.size() >= 10);
    for (const QString &title : titles) {
      QVERIFY2(!title.contains(QStringLiteral("...")), qPrintable(title));
      QVERIFY2(!title.contains(QChar(0x2014)), qPrintable(title));
      QVERIFY2(!title.contains(u'-') || title.endsWith(QStringLiteral(" - TORVIO")),
               qPrintable(title));
    }
    QVERIFY(titles.contains(QStringLiteral("Export")));
    QVERIFY(titles.contains(QStringLiteral("Import")));
    QVERIFY(titles.contains(QStringLiteral("Show Differences")));
  }

  // Controller Analysis, the chart, the start-up simulation and the help
  // window close with Escape and Ctrl+W, like a desktop program's other
  // secondary windows.
  void secondaryWindowsCloseByKey_data() {
    QTest::addColumn<int>("window");
    QTest::addColumn<QKeySequence>("key");
    for (int w = 0; w < 4; ++w) {
      QTest::addRow("%d Escape", w) << w << QKeySequence(Qt::Key_Escape);
      QTest::addRow("%d Ctrl+W", w) << w << QKeySequence(Qt::CTRL | Qt::Key_W);
    }
  }

  void secondaryWindowsCloseByKey() {
    QFETCH(int, window);
    QFETCH(QKeySequence, key);
    UserData record{};
    PARVEX_SetDefault(&record);
    const auto source = [&record] { return &record; };
    std::unique_ptr<QWidget> owned;
    QWidget *w = nullptr;
    if (window == 0)
      w = (owned = std::make_unique<ControllerAnalysisWindow>(source)).get();
    else if (window == 1)
      w = (owned = std::make_unique<MmiChartWindow>(source)).get();
    else if (window == 2)
      w = (owned = std::make_unique<StartupWindow>(source)).get();
    else
      w = &HelpWindow::Instance();
    w->show();
    w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w));
    QVERIFY2(w->windowTitle() == QStringLiteral("TORVIO Help") ||
                 w->windowTitle().endsWith(QStringLiteral(" - TORVIO")),
             qPrintable(w->windowTitle()));
    QTest::keySequence(QApplication::focusWidget() ? QApplication::focusWidget() : w, key);
    QTRY_VERIFY(!w->isVisible());
  }

private:
  test::TemporarySettings settings_;
  QTemporaryDir dir_;
};

QTEST_MAIN(TestDialogKeys)
#include "DialogKeysTest.moc"
