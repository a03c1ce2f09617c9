// The "Aux speed feedback" page for the auxiliary encoder viewed beside the sensorless observer;
// the encoder page on the Aux members.
#pragma once

#include "TORVIOPropertyPage.h"

class CAuxSpeedFeedback1Page : public CTORVIOPropertyPage {
  Q_OBJECT

public:
  explicit CAuxSpeedFeedback1Page(PageHost *host, QWidget *parent = nullptr);

  void RefreshDependentFields() override;
  void UpdateToolTips() override;
};
