// The main window: every menu and toolbar command, the status bar with the
// output folder, the first-run step, the undo history, and a fixed size that
// just holds the sheet.
#pragma once

#include "parvex/SpeedLoop.h"
#include "shell/SheetPages.h"

#include <QMainWindow>
#include <QPointer>

#include <functional>
#include <map>

class CTORVIODoc;
class CTORVIOView;
class ControllerAnalysisWindow;
class StartupWindow;
class MmiChartWindow;
class ProjectHistory;
class QAction;
class QLabel;
class QTimer;

class CMainFrame : public QMainWindow {
  Q_OBJECT

public:
  CMainFrame(CTORVIODoc *doc, QWidget *parent = nullptr,
             torvio::PageFactory factory = torvio::DefaultPageFactory());
  ~CMainFrame() override;

  CTORVIOView *View() const { return view_; }
  ProjectHistory *History() const;
  // The action of a command id (ID_FILE_NEW, ...), or null.
  QAction *Action(unsigned commandId) const;
  // Status pane 0 (prompts, "Ready") and pane 1 (the status text).
  QLabel *MessagePane() const { return messagePane_; }
  QLabel *StatusPane() const { return statusPane_; }
  QString StatusText() const { return statusText_; }
  // Timer 1 (1000 ms, once): the first-run step; timer 2 (1500 ms): the
  // status text.
  QTimer *FirstRunTimer() const { return timer1_; }
  QTimer *StatusTimer() const { return timer2_; }
  // The modulation-index chart while it is open.
  MmiChartWindow *ChartWindow() const;
  // The controller analysis while it is open.
  ControllerAnalysisWindow *AnalysisWindow() const;
  // The start-up simulation while it is open.
  StartupWindow *StartupSimulation() const;

public slots:
  void OnFirstRunTimer();
  void OnStatusTimer();

public:
  // Commits what the user typed into the focused field and has not yet
  // committed, as Enter would. Every command runs this first, so that no
  // command reads, saves, replaces or closes a record without the edit.
  void CommitPendingEdit();

protected:
  bool event(QEvent *event) override;
  void closeEvent(QCloseEvent *event) override;

private:
  void CreateActions();
  void CreateMenus();
  void CreateToolBar();
  void CreateStatusBar();
  QAction *AddCommand(unsigned id, const QString &text, std::function<void()> handler,
                      const QList<QKeySequence> &shortcuts = {});
  void UpdateTitle();
  void UpdateSaveEnabled();
  void OnFirstRun();
  void OnHelpFinder();
  void OnAppAbout();
  void OnCompareWith();
  void OnModulationIndexChart();
  void OnControllerAnalysis();
  void OnStartupSimulation();
  void ApplySpeedGains(const parvex::analysis::SpeedGains &gains);

  CTORVIODoc *doc_;
  CTORVIOView *view_;
  std::map<unsigned, QAction *> actions_;
  QLabel *messagePane_ = nullptr;
  QLabel *statusPane_ = nullptr;
  QTimer *timer1_;
  QTimer *timer2_;
  QString statusText_;
  QPointer<MmiChartWindow> chart_;
  QPointer<ControllerAnalysisWindow> analysis_;
  QPointer<StartupWindow> startup_;
};

namespace torvio {
// The templates folder set on the first run: the program's folder +
// "Templates" where it exists (build tree), else the installed one.
QString FirstRunTemplatesDir();
} // namespace torvio
