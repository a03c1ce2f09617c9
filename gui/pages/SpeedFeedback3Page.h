// The "Speed feedback" page for the sensorless observer: open-loop start-up, closed-loop
// validation, optional alignment, and the observer and PLL gains.
#pragma once

#include "TORVIOPropertyPage.h"

class CSpeedFeedback3Page : public CTORVIOPropertyPage {
  Q_OBJECT

public:
  explicit CSpeedFeedback3Page(PageHost *host, QWidget *parent = nullptr);

  void RefreshDependentFields() override;
  void UpdateToolTips() override;
};
