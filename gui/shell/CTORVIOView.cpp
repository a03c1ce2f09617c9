#include "shell/CTORVIOView.h"

#include "shell/CMainSheet.h"
#include "shell/CTORVIODoc.h"

#include <algorithm>

CTORVIOView::CTORVIOView(CTORVIODoc *doc, QWidget *parent, torvio::PageFactory factory)
    : QWidget(parent), m_sheet(new CMainSheet(doc, this, std::move(factory))) {
  connect(m_sheet, &CMainSheet::pagesRebuilt, this, &CTORVIOView::FitSheet);
  FitSheet();
}

QSize CTORVIOView::sizeHint() const {
  return m_sheet->size();
}

void CTORVIOView::resizeEvent(QResizeEvent *event) {
  QWidget::resizeEvent(event);
  CentreSheet();
}

void CTORVIOView::FitSheet() {
  // The sheet takes the size of its largest page and keeps it.
  m_sheet->resize(m_sheet->sizeHint().expandedTo(m_sheet->minimumSizeHint()));
  updateGeometry();
  CentreSheet();
}

void CTORVIOView::CentreSheet() {
  m_sheet->move(std::max(0, (width() - m_sheet->width()) / 2),
                std::max(0, (height() - m_sheet->height()) / 2));
}
