#include "MotorAndHwPage.h"

#include "PageCatalog.h"

#include <QGridLayout>

PageTable CMotorAndHwPage::Table() {
  constexpr unsigned show = After::Refresh;
  constexpr int page = kPageItself;
  PageTable t;
  t.groups = {
      {.key = "sensing",
       .title = "Current sensing networks",
       .parent = nullptr,
       .row = 0,
       .column = 0},
      {.key = "protections",
       .title = "KV208 board protections",
       .parent = nullptr,
       .row = 1,
       .column = 0},
      {.key = "motor", .title = "Motor characteristics", .parent = nullptr, .row = 0, .column = 1},
      {.key = "voltage",
       .title = "Voltage sensing network",
       .parent = nullptr,
       .row = 1,
       .column = 1},
  };
  // Rows are listed in activation order; the dependent ones are those whose
  // limits or values the check recomputes.
  t.controls = {
      {.id = IdShuntResistor,
       .label = "Shunt resistor(s) value (Ohm)",
       .group = "sensing",
       .param = &UserData::ShuntResistorValue,
       .after = show,
       .tabNext = {IdAmplificationGain},
       .tabPrev = {page},
       .row = 0},
      {.id = IdAmplificationGain,
       .label = "Amplification gain",
       .group = "sensing",
       .param = &UserData::AmplificationGain,
       .after = show,
       .tabNext = {IdIcsGain, IdOverTemperature},
       .tabPrev = {IdShuntResistor},
       .row = 1},
      {.id = IdIcsGain,
       .label = "ICS gain (V/A)",
       .group = "sensing",
       .param = &UserData::ICSGain,
       .after = show,
       .tabNext = {IdOverTemperature},
       .tabPrev = {IdAmplificationGain, kPageItself},
       .row = 2},
      {.id = IdOverTemperature,
       .label = "Over temperature threshold (°C)",
       .group = "protections",
       .param = &UserData::OverTemperatureThreshold,
       .tabNext = {IdTemperatureHysteresis},
       .tabPrev = {IdIcsGain, IdAmplificationGain},
       .row = 0},
      {.id = IdTemperatureHysteresis,
       .label = "Temperature hysteresis (°C)",
       .group = "protections",
       .param = &UserData::TemperatureHysteresis,
       .tabNext = {IdOverVoltage},
       .tabPrev = {IdOverTemperature},
       .row = 1},
      {.id = IdOverVoltage,
       .label = "Over Voltage threshold (V)",
       .group = "protections",
       .param = &UserData::OverVoltageThreshold,
       .after = show,
       .dependent = true,
       .tabNext = {IdUnderVoltage},
       .tabPrev = {IdTemperatureHysteresis},
       .row = 2},
      {.id = IdUnderVoltage,
       .label = "Under Voltage threshold (V)",
       .group = "protections",
       .param = &UserData::UnderVoltageThreshold,
       .after = show,
       .dependent = true,
       .tabNext = {IdR},
       .tabPrev = {IdOverVoltage},
       .row = 3},
      {.id = IdR,
       .label = "R (Ohm)",
       .group = "motor",
       .param = &UserData::R,
       .tabNext = {IdLq},
       .tabPrev = {IdUnderVoltage},
       .row = 0},
      {.id = IdLd,
       .label = "Ld (mH)",
       .group = "motor",
       .param = &UserData::Ld,
       .dependent = true,
       .tabNext = {IdMotorMaxSpeed},
       .tabPrev = {IdLq},
       .row = 2},
      {.id = IdLq,
       .label = "Lq (mH)",
       .group = "motor",
       .param = &UserData::Lq,
       .after = show,
       .tabNext = {IdLd, IdMotorMaxSpeed},
       .tabPrev = {IdR},
       .row = 1},
      {.id = IdRatedCurrent,
       .label = "Rated current (A 0-peak)",
       .group = "motor",
       .param = &UserData::RatedCurrent,
       .dependent = true,
       .tabNext = {IdKe},
       .tabPrev = {IdMotorMaxSpeed},
       .row = 0,
       .column = 3},
      {.id = IdKe,
       .label = "Ke (Vrms/krpm)",
       .group = "motor",
       .param = &UserData::Ke,
       .tabNext = {IdPolePairs},
       .tabPrev = {IdRatedCurrent},
       .row = 1,
       .column = 3},
      {.id = IdPolePairs,
       .label = "Pole pairs",
       .group = "motor",
       .param = &UserData::PolePairs,
       .tabNext = {IdDcBusVoltage},
       .tabPrev = {IdKe},
       .row = 2,
       .column = 3},
      {.id = IdMotorMaxSpeed,
       .label = "Motor max speed (rpm)",
       .group = "motor",
       .param = &UserData::MotorMaxSpeed,
       .tabNext = {IdRatedCurrent},
       .tabPrev = {IdLd, IdLq},
       .row = 3},
      {.id = IdDcBusPartitioning,
       .label = "DC bus voltage partitioning",
       .group = "voltage",
       .param = &UserData::DCBusVoltagePartitioning,
       .after = show,
       .tabNext = {page},
       .tabPrev = {IdDcBusVoltage},
       .row = 1},
      {.id = IdDcBusVoltage,
       .label = "DC bus voltage (V)",
       .group = "voltage",
       .param = &UserData::DCBusVoltage,
       .tabNext = {IdDcBusPartitioning},
       .tabPrev = {IdPolePairs},
       .row = 0},
  };
  return t;
}

CMotorAndHwPage::CMotorAndHwPage(PageHost *host, QWidget *parent)
    : CTORVIOPropertyPage(host, PageCaption(PageKind::MotorAndHw), parent) {
  Build(Table());
  auto *grid = GroupGrid(nullptr);
  grid->setRowStretch(2, 1);
  grid->setColumnStretch(2, 1);
  if (QGridLayout *motor = GroupGrid("motor"))
    motor->setColumnMinimumWidth(2, 12); // gap between the two columns of the motor box
  SetTabChain({IdShuntResistor, IdAmplificationGain, IdIcsGain, IdOverTemperature,
               IdTemperatureHysteresis, IdOverVoltage, IdUnderVoltage, IdR, IdLq, IdLd,
               IdMotorMaxSpeed, IdRatedCurrent, IdKe, IdPolePairs, IdDcBusVoltage,
               IdDcBusPartitioning});
}

void CMotorAndHwPage::RefreshDependentFields() {
  RefreshTableDependents();
}

void CMotorAndHwPage::UpdateToolTips() {
  UpdateTableToolTips();
}
