#include "AuxSpeedFeedback2Page.h"

#include "SpeedFeedbackTables.h"

#include <QGridLayout>

CAuxSpeedFeedback2Page::CAuxSpeedFeedback2Page(PageHost *host, QWidget *parent)
    : CTORVIOPropertyPage(host, QStringLiteral("Aux speed feedback"), parent) {
  Build(HallTable(parvex::AuxHall()));
  GroupGrid(nullptr)->setRowStretch(3, 1);
  GroupGrid(nullptr)->setColumnStretch(2, 1);
}

void CAuxSpeedFeedback2Page::RefreshDependentFields() {
  RefreshTableDependents();
}

void CAuxSpeedFeedback2Page::UpdateToolTips() {
  UpdateTableToolTips();
}
