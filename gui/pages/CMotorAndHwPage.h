// The "Motor and HW" page: current sensing network, board protections, motor
// characteristics and DC bus voltage sensing, sixteen numeric fields. Edits
// that govern other limits run the consistency check and re-show the
// fields it couples.
#pragma once

#include "CTORVIOPropertyPage.h"

class CMotorAndHwPage : public CTORVIOPropertyPage {
  Q_OBJECT

public:
  enum Id {
    IdShuntResistor = 1001,
    IdAmplificationGain,
    IdIcsGain,
    IdOverTemperature,
    IdTemperatureHysteresis,
    IdOverVoltage,
    IdUnderVoltage,
    IdR,
    IdLq,
    IdLd,
    IdMotorMaxSpeed,
    IdRatedCurrent,
    IdKe,
    IdPolePairs,
    IdDcBusVoltage,
    IdDcBusPartitioning,
  };

  explicit CMotorAndHwPage(PageHost *host, QWidget *parent = nullptr);

  static PageTable Table();
};
