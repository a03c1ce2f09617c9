// The "Speed feedback" page: the quadrature encoder settings. Its controls are not built yet; the
// page takes its place in the sheet with its caption.
#pragma once

#include "TORVIOPropertyPage.h"

class CSpeedFeedback1Page : public CTORVIOPropertyPage {
  Q_OBJECT

public:
  explicit CSpeedFeedback1Page(PageHost *host, QWidget *parent = nullptr);

  void RefreshDependentFields() override;
  void UpdateToolTips() override;
};
