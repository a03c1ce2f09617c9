// The "Aux speed feedback" page for the auxiliary Hall sensors viewed beside the sensorless
// observer; the Hall page on the Aux members.
#pragma once

#include "TORVIOPropertyPage.h"

class CAuxSpeedFeedback2Page : public CTORVIOPropertyPage {
  Q_OBJECT

public:
  explicit CAuxSpeedFeedback2Page(PageHost *host, QWidget *parent = nullptr);

  void RefreshDependentFields() override;
  void UpdateToolTips() override;
};
