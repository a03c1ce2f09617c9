#include "SpeedFeedback3Page.h"

#include "SpeedFeedbackTables.h"

#include <QGridLayout>

CSpeedFeedback3Page::CSpeedFeedback3Page(PageHost *host, QWidget *parent)
    : CTORVIOPropertyPage(host, QStringLiteral("Speed feedback"), parent) {
  Build(ObserverTable(parvex::MainObserver(), false));
  // Extra height goes below the check box frame, which stays compact.
  GroupGrid(nullptr)->setRowStretch(1, 1);
  GroupGrid(nullptr)->setColumnStretch(2, 1);
}

void CSpeedFeedback3Page::RefreshDependentFields() {
  RefreshTableDependents();
}

void CSpeedFeedback3Page::UpdateToolTips() {
  UpdateTableToolTips();
}
