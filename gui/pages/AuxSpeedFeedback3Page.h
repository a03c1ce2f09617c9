// The "Aux speed feedback" page for the observer run beside an encoder or Hall sensors for gain
// tuning; the observer page on the Aux members, without alignment.
#pragma once

#include "TORVIOPropertyPage.h"

class CAuxSpeedFeedback3Page : public CTORVIOPropertyPage {
  Q_OBJECT

public:
  explicit CAuxSpeedFeedback3Page(PageHost *host, QWidget *parent = nullptr);

  void RefreshDependentFields() override;
  void UpdateToolTips() override;
};
