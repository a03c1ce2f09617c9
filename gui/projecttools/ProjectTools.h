// The main window's commands beyond its original ones: the Edit menu (Undo,
// Redo, also on the toolbar), File > Compare With and Tools > Modulation
// Index Chart. Installed into the frame's existing menus without removing or
// renaming anything.
#pragma once

#include <QObject>
#include <QPointer>

class CMainFrame;
class CMainSheet;
class CTORVIODoc;
class MmiChartWindow;
class ProjectHistory;
class QAction;
class QMenu;

class ProjectTools : public QObject {
  Q_OBJECT

public:
  ProjectTools(CMainFrame *frame, CTORVIODoc *doc, CMainSheet *sheet);

  ProjectHistory *History() const { return history_; }
  QMenu *EditMenu() const { return edit_; }
  QAction *UndoAction() const { return undo_; }
  QAction *RedoAction() const { return redo_; }
  QAction *CompareAction() const { return compare_; }
  QAction *ChartAction() const { return chart_; }
  // The chart window while it is open.
  MmiChartWindow *ChartWindow() const;

  // File > Compare With: asks for a project file and shows what differs.
  void CompareWith();
  // Tools > Modulation Index Chart: opens the window, or raises it.
  void ShowChart();

private:
  CMainFrame *frame_;
  CTORVIODoc *doc_;
  ProjectHistory *history_;
  QMenu *edit_;
  QAction *undo_;
  QAction *redo_;
  QAction *compare_;
  QAction *chart_;
  QPointer<MmiChartWindow> chartWindow_;
};
