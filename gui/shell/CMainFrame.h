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
  static constexpr int kFirstRunTimer = 1;
  static constexpr int kStatusTimer = 2;

  CMainFrame(CTORVIODoc *doc, QWidget *parent = nullptr,
             torvio::PageFactory factory = torvio::DefaultPageFactory());
  ~CMainFrame() override;

  CTORVIOView *View() const { return m_view; }
  ProjectHistory *History() const;
  // The action of a command id (ID_FILE_NEW, ...), or null.
  QAction *Action(unsigned commandId) const;
  // Status pane 0 (prompts, "Ready") and pane 1 (the status text).
  QLabel *MessagePane() const { return m_messagePane; }
  QLabel *StatusPane() const { return m_statusPane; }
  QString StatusText() const { return m_statusText; }
  bool TimerActive(int id) const;
  // The modulation-index chart while it is open.
  MmiChartWindow *ChartWindow() const;
  // The controller analysis while it is open.
  ControllerAnalysisWindow *AnalysisWindow() const;
  // The start-up simulation while it is open.
  StartupWindow *StartupSimulation() const;

  // Timer 1 runs the first-run step once; timer 2 refreshes the status text.
  void OnTimer(int id);

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

  CTORVIODoc *m_doc;
  CTORVIOView *m_view;
  std::map<unsigned, QAction *> m_actions;
  QLabel *m_messagePane = nullptr;
  QLabel *m_statusPane = nullptr;
  QTimer *m_timer1;
  QTimer *m_timer2;
  QString m_statusText;
  QPointer<MmiChartWindow> m_chart;
  QPointer<ControllerAnalysisWindow> m_analysis;
  QPointer<StartupWindow> m_startup;
};

namespace torvio {
// The templates folder set on the first run: the program's folder +
// "Templates" where it exists (build tree), else the installed one.
QString FirstRunTemplatesDir();
} // namespace torvio
