#include "CDebugPage.h"

#include "PageCatalog.h"

#include <QGridLayout>

PageTable CDebugPage::Table() {
  PageTable t;
  t.groups = {
      {.key = "aux", .title = "Auxiliary speed feedback", .parent = nullptr, .row = 0, .column = 0},
      {.key = "modality",
       .title = "Flux and torque PI(D) tuning modality",
       .parent = nullptr,
       .row = 0,
       .column = 1},
  };
  // Viewing an encoder or Hall sensors makes sense only while running
  // sensorless, the tuning modality only with a speed sensor (the model's
  // enable rules).
  t.controls = {
      {.id = IdAuxEncoder,
       .kind = ControlKind::Radio,
       .label = "View encoder feedback in 'No speed sensors'",
       .group = "aux",
       .flag = &UserData::ViewEncoderFeedback,
       .row = 0},
      {.id = IdAuxHall,
       .kind = ControlKind::Radio,
       .label = "View Hall feedback in 'No speed sensors'",
       .group = "aux",
       .flag = &UserData::ViewHallSensorsFeedback,
       .row = 1},
      {.id = IdNone,
       .kind = ControlKind::Radio,
       .label = "None",
       .group = "aux",
       .flag = &UserData::None,
       .row = 2},
      {.id = IdObserverTuning,
       .kind = ControlKind::CheckBox,
       .label = "Enable Observer gain tuning",
       .group = "aux",
       .flag = &UserData::EnableObserverGainTuning,
       .row = 3},
      // The check forces the DAC on while an auxiliary feedback is viewed.
      {.id = IdDac,
       .kind = ControlKind::CheckBox,
       .label = "Enable DAC functionality",
       .group = nullptr,
       .flag = &UserData::EnableDACFunctionality,
       .row = 1},
      {.id = IdModality,
       .kind = ControlKind::CheckBox,
       .label = "Enable modality",
       .group = "modality",
       .flag = &UserData::EnableModality,
       .row = 0},
      {.id = IdSquareWavePeriod,
       .label = "Square Wave Period",
       .group = "modality",
       .param = &UserData::SquareWavePeriod,
       .tabNext = {IdAuxEncoder, IdAuxHall, IdNone},
       .tabPrev = {IdModality},
       .row = 1},
  };
  return t;
}

CDebugPage::CDebugPage(PageHost *host, QWidget *parent)
    : CTORVIOPropertyPage(host, PageCaption(PageKind::Debug), parent) {
  Build(Table());
  GroupGrid(nullptr)->setRowStretch(2, 1);
  GroupGrid(nullptr)->setColumnStretch(2, 1);
}
