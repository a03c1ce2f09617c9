// The "Debug" page: the auxiliary speed feedback that runs beside the main
// one, the DAC debug output and the PI(D) tuning modality. Its auxiliary
// choices decide which auxiliary page the sheet shows.
#pragma once

#include "CTORVIOPropertyPage.h"

class CDebugPage : public CTORVIOPropertyPage {
  Q_OBJECT

public:
  enum Id {
    IdAuxEncoder = 1001,
    IdAuxHall = 1002,
    IdNone = 1003,
    IdObserverTuning = 1004,
    IdDac = 1005,
    IdModality = 1006,
    IdSquareWavePeriod = 1007,
  };

  explicit CDebugPage(PageHost *host, QWidget *parent = nullptr);

  static PageTable Table();
};
