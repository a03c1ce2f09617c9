#include "SpeedFeedback1Page.h"

#include "SpeedFeedbackTables.h"

#include <QGridLayout>

CSpeedFeedback1Page::CSpeedFeedback1Page(PageHost *host, QWidget *parent)
    : CTORVIOPropertyPage(host, QStringLiteral("Speed feedback"), parent) {
  Build(EncoderTable(parvex::MainEncoder()));
  GroupGrid(nullptr)->setRowStretch(3, 1);
  GroupGrid(nullptr)->setColumnStretch(2, 1);
}

void CSpeedFeedback1Page::RefreshDependentFields() {
  RefreshTableDependents();
}

void CSpeedFeedback1Page::UpdateToolTips() {
  UpdateTableToolTips();
}
