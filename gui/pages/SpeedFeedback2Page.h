// The "Speed feedback" page: the Hall sensors settings. Its controls are not built yet; the
// page takes its place in the sheet with its caption.
#pragma once

#include "TORVIOPropertyPage.h"

class CSpeedFeedback2Page : public CTORVIOPropertyPage {
  Q_OBJECT

public:
  explicit CSpeedFeedback2Page(PageHost *host, QWidget *parent = nullptr);

  void RefreshDependentFields() override;
  void UpdateToolTips() override;
};
