#include "AuxSpeedFeedback1Page.h"

CAuxSpeedFeedback1Page::CAuxSpeedFeedback1Page(PageHost *host, QWidget *parent)
    : CTORVIOPropertyPage(host, QStringLiteral("Aux speed feedback"), parent) {}

void CAuxSpeedFeedback1Page::RefreshDependentFields() {}

void CAuxSpeedFeedback1Page::UpdateToolTips() {}
