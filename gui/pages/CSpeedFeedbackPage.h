// The speed-feedback pages, main and auxiliary: the encoder, Hall sensors
// and sensorless observer settings. The six pages differ only in caption and
// table, so one class shows them all.
#pragma once

#include "CTORVIOPropertyPage.h"
#include "PageCatalog.h"

class CSpeedFeedbackPage : public CTORVIOPropertyPage {
  Q_OBJECT

public:
  // One of the six speed-feedback kinds: its caption and table.
  CSpeedFeedbackPage(PageHost *host, PageKind kind, QWidget *parent = nullptr);
};
