#include "AuxSpeedFeedback2Page.h"

CAuxSpeedFeedback2Page::CAuxSpeedFeedback2Page(PageHost *host, QWidget *parent)
    : CTORVIOPropertyPage(host, QStringLiteral("Aux speed feedback"), parent) {}

void CAuxSpeedFeedback2Page::RefreshDependentFields() {}

void CAuxSpeedFeedback2Page::UpdateToolTips() {}
