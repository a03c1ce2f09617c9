#include "SpeedFeedback3Page.h"

CSpeedFeedback3Page::CSpeedFeedback3Page(PageHost *host, QWidget *parent)
    : CTORVIOPropertyPage(host, QStringLiteral("Speed feedback"), parent) {}

void CSpeedFeedback3Page::RefreshDependentFields() {}

void CSpeedFeedback3Page::UpdateToolTips() {}
