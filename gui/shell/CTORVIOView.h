// The main window's view: it holds the sheet, centred, sized to its largest
// page.
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

  CMainSheet *Sheet() const { return sheet_; }

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override { return sizeHint(); }

protected:
  void resizeEvent(QResizeEvent *event) override;

private:
  void FitSheet();
  void CentreSheet();

  CMainSheet *sheet_;
};
