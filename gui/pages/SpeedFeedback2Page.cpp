#include "SpeedFeedback2Page.h"

CSpeedFeedback2Page::CSpeedFeedback2Page(PageHost *host, QWidget *parent)
    : CTORVIOPropertyPage(host, QStringLiteral("Speed feedback"), parent) {}

void CSpeedFeedback2Page::RefreshDependentFields() {}

void CSpeedFeedback2Page::UpdateToolTips() {}
