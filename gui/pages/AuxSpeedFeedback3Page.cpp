#include "AuxSpeedFeedback3Page.h"

CAuxSpeedFeedback3Page::CAuxSpeedFeedback3Page(PageHost *host, QWidget *parent)
    : CTORVIOPropertyPage(host, QStringLiteral("Aux speed feedback"), parent) {}

void CAuxSpeedFeedback3Page::RefreshDependentFields() {}

void CAuxSpeedFeedback3Page::UpdateToolTips() {}
