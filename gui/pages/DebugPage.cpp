#include "DebugPage.h"

CDebugPage::CDebugPage(PageHost *host, QWidget *parent)
    : CTORVIOPropertyPage(host, QStringLiteral("Debug"), parent) {}

void CDebugPage::RefreshDependentFields() {}

void CDebugPage::UpdateToolTips() {}
