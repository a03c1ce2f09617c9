#include "AuxSpeedFeedback1Page.h"

#include "SpeedFeedbackTables.h"

#include <QGridLayout>

CAuxSpeedFeedback1Page::CAuxSpeedFeedback1Page(PageHost *host, QWidget *parent)
    : CTORVIOPropertyPage(host, QStringLiteral("Aux speed feedback"), parent) {
  Build(EncoderTable(parvex::AuxEncoder()));
  GroupGrid(nullptr)->setRowStretch(3, 1);
  GroupGrid(nullptr)->setColumnStretch(2, 1);
}

void CAuxSpeedFeedback1Page::RefreshDependentFields() {
  RefreshTableDependents();
}

void CAuxSpeedFeedback1Page::UpdateToolTips() {
  UpdateTableToolTips();
}
