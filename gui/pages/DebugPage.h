// The "Debug" page: the commissioning options. Its controls are not built yet; the
// page takes its place in the sheet with its caption.
#pragma once

#include "TORVIOPropertyPage.h"

class CDebugPage : public CTORVIOPropertyPage {
  Q_OBJECT

public:
  explicit CDebugPage(PageHost *host, QWidget *parent = nullptr);

  void RefreshDependentFields() override;
  void UpdateToolTips() override;
};
