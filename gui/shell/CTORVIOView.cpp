#include "shell/CTORVIOView.h"

#include "shell/CMainSheet.h"
#include "shell/CTORVIODoc.h"

#include <algorithm>

CTORVIOView::CTORVIOView(CTORVIODoc *doc, QWidget *parent, torvio::PageFactory factory)
    : QWidget(parent), sheet_(new CMainSheet(doc, this, std::move(factory))) {
  connect(sheet_, &CMainSheet::pagesRebuilt, this, &CTORVIOView::FitSheet);
  FitSheet();
}

QSize CTORVIOView::sizeHint() const {
  return sheet_->size();
}

void CTORVIOView::resizeEvent(QResizeEvent *event) {
  QWidget::resizeEvent(event);
  CentreSheet();
}

void CTORVIOView::FitSheet() {
  // The sheet takes the size of its largest page and keeps it.
  sheet_->resize(sheet_->sizeHint().expandedTo(sheet_->minimumSizeHint()));
  updateGeometry();
  CentreSheet();
}

void CTORVIOView::CentreSheet() {
  sheet_->move(std::max(0, (width() - sheet_->width()) / 2),
               std::max(0, (height() - sheet_->height()) / 2));
}
