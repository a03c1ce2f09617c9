// The "Configuration" page: main speed sensor, optional FOC methods, current
// sensing technique, brake and PID differential terms. A change of speed
// sensor rebuilds the sheet's optional pages.
#pragma once

#include "CTORVIOPropertyPage.h"

class QComboBox;
class RotorPicture;

class CConfigurationPage : public CTORVIOPropertyPage {
  Q_OBJECT

public:
  enum Id {
    IdTarget = 1000,
    IdEncoder = 1001,
    IdHall = 1002,
    IdSensorless = 1003,
    IdFluxWeakening = 1004,
    IdFeedForward = 1005,
    IdMtpa = 1006,
    IdIcs = 1007,
    IdThreeShunt = 1008,
    IdSingleShunt = 1009,
    IdBrake = 1010,
    IdDifferentialTerms = 1011,
    IdPicture = 1012,
  };

  explicit CConfigurationPage(PageHost *host, QWidget *parent = nullptr);

  static PageTable Table();

protected:
  void LoadPage() override;

private:
  QComboBox *target_;
  RotorPicture *picture_;
};
