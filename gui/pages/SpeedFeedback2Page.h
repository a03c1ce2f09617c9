// The "Speed feedback" page for the Hall sensors settings: placement, phase shift and speed
// measurement errors.
#pragma once

#include "TORVIOPropertyPage.h"

class CSpeedFeedback2Page : public CTORVIOPropertyPage {
  Q_OBJECT

public:
  explicit CSpeedFeedback2Page(PageHost *host, QWidget *parent = nullptr);

  void RefreshDependentFields() override;
  void UpdateToolTips() override;
};
