#include "SpeedFeedback1Page.h"

CSpeedFeedback1Page::CSpeedFeedback1Page(PageHost *host, QWidget *parent)
    : CTORVIOPropertyPage(host, QStringLiteral("Speed feedback"), parent) {}

void CSpeedFeedback1Page::RefreshDependentFields() {}

void CSpeedFeedback1Page::UpdateToolTips() {}
