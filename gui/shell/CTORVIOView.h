// The main window's view: it holds the sheet, centred, and rebuilds and
// reloads its pages whenever the document was replaced.
#pragma once

#include "shell/SheetPages.h"

#include <QWidget>

class CMainSheet;
class CTORVIODoc;

class CTORVIOView : public QWidget {
  Q_OBJECT

public:
  CTORVIOView(CTORVIODoc *doc, QWidget *parent = nullptr,
              torvio::PageFactory factory = torvio::DefaultPageFactory());

  CMainSheet *Sheet() const { return m_sheet; }

  // After New and Open: the optional pages follow the new record and the
  // current page reloads its controls.
  void OnUpdate();
  // A state was put into the record (undo, redo, an outside edit): the
  // optional pages follow it when its sensor choices differ, and the
  // current page reloads.
  void OnRecordApplied();

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override { return sizeHint(); }

protected:
  void resizeEvent(QResizeEvent *event) override;

private:
  void FitSheet();
  void CentreSheet();

  CTORVIODoc *m_doc;
  CMainSheet *m_sheet;
};
