#include "CConfigurationPage.h"

#include "PageCatalog.h"

#include "RotorPicture.h"

#include <QComboBox>
#include <QGridLayout>

namespace {

constexpr unsigned kSupportHelp = 0x1800A;

} // namespace

PageTable CConfigurationPage::Table() {
  using K = ControlKind;
  PageTable t;
  t.groups = {
      {.key = "target",
       .title = "Garnet FOC Library target",
       .parent = nullptr,
       .row = 0,
       .column = 0},
      {.key = "speed", .title = "Speed feedback", .parent = nullptr, .row = 1, .column = 0},
      {.key = "sensing",
       .title = "Current sensing technique",
       .parent = nullptr,
       .row = 2,
       .column = 0},
      {.key = "foc",
       .title = "FOC methods",
       .parent = nullptr,
       .row = 0,
       .column = 1,
       .rowSpan = 2},
      {.key = "brake", .title = "Brake technique", .parent = nullptr, .row = 2, .column = 1},
      {.key = "pid", .title = "PID differential terms", .parent = nullptr, .row = 3, .column = 1},
  };
  // A speed-sensor choice decides the optional pages; the sensing technique,
  // MTPA and the D terms steer the check.
  t.controls = {
      {.id = IdEncoder,
       .kind = K::Radio,
       .label = "Quadrature encoder",
       .group = "speed",
       .flag = &UserData::QuadratureEncoder,
       .row = 0},
      {.id = IdHall,
       .kind = K::Radio,
       .label = "Hall sensors",
       .group = "speed",
       .flag = &UserData::HallSensors,
       .row = 1},
      {.id = IdSensorless,
       .kind = K::Radio,
       .label = "No speed sensors",
       .group = "speed",
       .flag = &UserData::NoSpeedSensors,
       .row = 2},
      {.id = IdFluxWeakening,
       .kind = K::CheckBox,
       .label = "Flux Weakening",
       .group = "foc",
       .flag = &UserData::FluxWeakening,
       .row = 0},
      {.id = IdFeedForward,
       .kind = K::CheckBox,
       .label = "Feed forward current regulation",
       .group = "foc",
       .flag = &UserData::FeedForwardCurrentRegulation,
       .row = 1},
      {.id = IdMtpa,
       .kind = K::CheckBox,
       .label = "Internal PMSM Maximum-Torque-per-Ampere strategy",
       .group = "foc",
       .flag = &UserData::InternalPMSMMaximunTxAStrategy,
       .row = 2},
      {.id = IdIcs,
       .kind = K::Radio,
       .label = "Isolated Current Sensors (ICS)",
       .group = "sensing",
       .flag = &UserData::IsolatedCurrentSensors,
       .row = 0},
      {.id = IdThreeShunt,
       .kind = K::Radio,
       .label = "Three shunt resistors",
       .group = "sensing",
       .flag = &UserData::ThreeShuntResistors,
       .row = 1},
      {.id = IdSingleShunt,
       .kind = K::Radio,
       .label = "Single shunt resistor",
       .group = "sensing",
       .flag = &UserData::SingleShuntResistor,
       .row = 2},
      {.id = IdBrake,
       .kind = K::CheckBox,
       .label = "Enable DC bus brake resistor management",
       .group = "brake",
       .flag = &UserData::EnableDCBusBrakeResistorManagement,
       .row = 0},
      {.id = IdDifferentialTerms,
       .kind = K::CheckBox,
       .label = "Check to enable differential term",
       .group = "pid",
       .flag = &UserData::CheckToEnableDifferentialTerm,
       .row = 0},
  };
  // Focus order of every control, those the page adds itself included.
  t.tabOrder = {IdTarget,        IdEncoder,     IdHall,  IdSensorless,
                IdFluxWeakening, IdFeedForward, IdMtpa,  IdIcs,
                IdThreeShunt,    IdSingleShunt, IdBrake, IdDifferentialTerms};
  return t;
}

CConfigurationPage::CConfigurationPage(PageHost *host, QWidget *parent)
    : CTORVIOPropertyPage(host, PageCaption(PageKind::Configuration), parent),
      target_(new QComboBox), picture_(new RotorPicture) {
  Build(Table());

  target_->addItem(QStringLiteral("PMSM FOC Library 2.0"));
  target_->setAccessibleName(QStringLiteral("Garnet FOC Library target"));
  GroupGrid("target")->addWidget(target_, 0, 0);
  RegisterControl(IdTarget, target_);

  auto *grid = GroupGrid(nullptr);
  grid->addWidget(picture_, 0, 2, 2, 1, Qt::AlignTop | Qt::AlignRight);
  grid->setRowStretch(4, 1);
  grid->setColumnStretch(1, 1);
  RegisterControl(IdPicture, picture_);
  connect(picture_, &RotorPicture::Clicked, this, [this] {
    if (Host())
      Host()->ShowHelp(kSupportHelp);
  });
}

void CConfigurationPage::LoadPage() {
  target_->setCurrentIndex(0);
}
