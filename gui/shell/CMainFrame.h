// The main window: menus, toolbar, status bar with the output folder, the
// first-run step, and a fixed size that just holds the sheet.
#pragma once

#include "shell/SheetPages.h"

#include <QMainWindow>

#include <map>

class CTORVIODoc;
class CTORVIOView;
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
  // The action of a command id (ID_FILE_NEW, ...), or null.
  QAction *Action(unsigned commandId) const;
  // Status pane 0 (prompts, "Ready") and pane 1 (the status text).
  QLabel *MessagePane() const { return m_messagePane; }
  QLabel *StatusPane() const { return m_statusPane; }
  QString StatusText() const { return m_statusText; }
  bool TimerActive(int id) const;

  // Timer 1 runs the first-run step once; timer 2 refreshes the status text.
  void OnTimer(int id);

protected:
  bool event(QEvent *event) override;
  void closeEvent(QCloseEvent *event) override;

private:
  void CreateActions();
  void CreateMenus();
  void CreateToolBar();
  void CreateStatusBar();
  QAction *AddAction(unsigned id, const QString &text, const QKeySequence &shortcut = {});
  void UpdateTitle();
  void OnFirstRun();
  void OnHelpFinder();
  void OnAppAbout();

  CTORVIODoc *m_doc;
  CTORVIOView *m_view;
  std::map<unsigned, QAction *> m_actions;
  QLabel *m_messagePane = nullptr;
  QLabel *m_statusPane = nullptr;
  QTimer *m_timer1;
  QTimer *m_timer2;
  QString m_statusText;
};

namespace torvio {
// The templates folder set on the first run: the program's folder +
// "Templates" where it exists (build tree), else the installed one.
QString FirstRunTemplatesDir();
} // namespace torvio
