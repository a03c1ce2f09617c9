#include "AuxSpeedFeedback3Page.h"

#include "SpeedFeedbackTables.h"

#include <QGridLayout>

CAuxSpeedFeedback3Page::CAuxSpeedFeedback3Page(PageHost *host, QWidget *parent)
    : CTORVIOPropertyPage(host, QStringLiteral("Aux speed feedback"), parent) {
  Build(ObserverTable(parvex::AuxObserver(), true));
  // Extra height goes below the check box frame, which stays compact.
  GroupGrid(nullptr)->setRowStretch(1, 1);
  GroupGrid(nullptr)->setColumnStretch(2, 1);
}

void CAuxSpeedFeedback3Page::RefreshDependentFields() {
  RefreshTableDependents();
}

void CAuxSpeedFeedback3Page::UpdateToolTips() {
  UpdateTableToolTips();
}
