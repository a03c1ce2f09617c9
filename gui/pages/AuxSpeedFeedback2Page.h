// The "Aux speed feedback" page: the auxiliary Hall sensors settings. Its controls are not built
// yet; the page takes its place in the sheet with its caption.
#pragma once

#include "TORVIOPropertyPage.h"

class CAuxSpeedFeedback2Page : public CTORVIOPropertyPage {
  Q_OBJECT

public:
  explicit CAuxSpeedFeedback2Page(PageHost *host, QWidget *parent = nullptr);

  void RefreshDependentFields() override;
  void UpdateToolTips() override;
};
