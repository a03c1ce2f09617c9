#include "SpeedFeedback2Page.h"

#include "SpeedFeedbackTables.h"

#include <QGridLayout>

CSpeedFeedback2Page::CSpeedFeedback2Page(PageHost *host, QWidget *parent)
    : CTORVIOPropertyPage(host, QStringLiteral("Speed feedback"), parent) {
  Build(HallTable(parvex::MainHall()));
  GroupGrid(nullptr)->setRowStretch(3, 1);
  GroupGrid(nullptr)->setColumnStretch(2, 1);
}

void CSpeedFeedback2Page::RefreshDependentFields() {
  RefreshTableDependents();
}

void CSpeedFeedback2Page::UpdateToolTips() {
  UpdateTableToolTips();
}
