// The "Aux speed feedback" page: the auxiliary observer settings. Its controls are not built yet;
// the page takes its place in the sheet with its caption.
#pragma once

#include "TORVIOPropertyPage.h"

class CAuxSpeedFeedback3Page : public CTORVIOPropertyPage {
  Q_OBJECT

public:
  explicit CAuxSpeedFeedback3Page(PageHost *host, QWidget *parent = nullptr);

  void RefreshDependentFields() override;
  void UpdateToolTips() override;
};
