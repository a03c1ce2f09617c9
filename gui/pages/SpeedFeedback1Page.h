// The "Speed feedback" page for the quadrature encoder settings: pulses, speed measurement errors
// and alignment.
#pragma once

#include "TORVIOPropertyPage.h"

class CSpeedFeedback1Page : public CTORVIOPropertyPage {
  Q_OBJECT

public:
  explicit CSpeedFeedback1Page(PageHost *host, QWidget *parent = nullptr);

  void RefreshDependentFields() override;
  void UpdateToolTips() override;
};
