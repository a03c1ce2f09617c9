#include "CControlSettingsPage.h"

#include "PageCatalog.h"

#include "CControlSettingsComboBox.h"
#include "analysis/BandwidthFlag.h"

#include <QGridLayout>
#include <QLabel>

PageTable CControlSettingsPage::Table() {
  PageTable t;
  t.groups = {
      {.key = "driving", .title = "Driving settings", .parent = nullptr, .row = 0, .column = 0},
      {.key = "speedRate",
       .title = "Speed regulation control rate",
       .parent = nullptr,
       .row = 1,
       .column = 0},
      {.key = "currentRate",
       .title = "Torque and flux control rate",
       .parent = nullptr,
       .row = 2,
       .column = 0},
      {.key = "tfc",
       .title = "Torque and flux controller",
       .parent = nullptr,
       .row = 0,
       .column = 1,
       .rowSpan = 3},
      {.key = "torque", .title = "Torque", .parent = "tfc", .row = 1, .column = 0, .columnSpan = 2},
      {.key = "flux", .title = "Flux", .parent = "tfc", .row = 1, .column = 2, .columnSpan = 2},
      {.key = "speed", .title = "Speed controller", .parent = nullptr, .row = 3, .column = 0},
      {.key = "fw", .title = "Flux weakening controller", .parent = nullptr, .row = 3, .column = 1},
  };
  t.controls = {
      {.id = IdPwmFrequency,
       .label = "PWM Frequency",
       .group = "driving",
       .param = &UserData::PWMFrequency,
       .row = 0},
      {.id = IdDeadTime,
       .label = "Dead-time",
       .group = "driving",
       .param = &UserData::DeadTime,
       .row = 1},
      {.id = IdCutOffFrequency,
       .label = "Cut-off frequency",
       .group = "tfc",
       .param = &UserData::CutOffFrequency,
       .tabNext = {IdTorquePDividend, IdTorqueInitRef},
       .tabPrev = {IdCurrentRate},
       .row = 0},
      // Torque: the divisors are set only by the gain calculation or a file.
      {.id = IdTorquePDividend,
       .label = "/",
       .group = "torque",
       .param = &UserData::TorquePDividend,
       .tabNext = {IdTorqueIDividend},
       .tabPrev = {IdCutOffFrequency},
       .row = 0,
       .column = 0,
       .accessibleName = "Torque P dividend"},
      {.id = IdTorquePDivisor,
       .label = "P",
       .group = "torque",
       .param = &UserData::TorquePDivisor,
       .tabNext = {IdTorqueIDividend},
       .tabPrev = {IdTorquePDividend},
       .row = 0,
       .column = 2,
       .accessibleName = "Torque P divisor"},
      {.id = IdTorqueIDividend,
       .label = "/",
       .group = "torque",
       .param = &UserData::TorqueIDividend,
       .tabNext = {IdTorqueDDividend, IdTorqueInitRef},
       .tabPrev = {IdTorquePDividend},
       .row = 1,
       .column = 0,
       .accessibleName = "Torque I dividend"},
      {.id = IdTorqueIDivisor,
       .label = "I",
       .group = "torque",
       .param = &UserData::TorqueIDivisor,
       .tabNext = {IdTorqueDDividend, IdTorqueInitRef},
       .tabPrev = {IdTorqueIDividend},
       .row = 1,
       .column = 2,
       .accessibleName = "Torque I divisor"},
      {.id = IdTorqueDDividend,
       .label = "/",
       .group = "torque",
       .param = &UserData::TorqueDDividend,
       .tabNext = {IdTorqueInitRef},
       .tabPrev = {IdTorqueIDividend, IdCutOffFrequency},
       .row = 2,
       .column = 0,
       .accessibleName = "Torque D dividend"},
      {.id = IdTorqueDDivisor,
       .label = "D",
       .group = "torque",
       .param = &UserData::TorqueDDivisor,
       .tabNext = {IdTorqueInitRef},
       .tabPrev = {IdTorqueDDividend},
       .row = 2,
       .column = 2,
       .accessibleName = "Torque D divisor"},
      {.id = IdTorqueInitRef,
       .label = "Init Ref",
       .group = "torque",
       .param = &UserData::TorqueInitRef,
       .tabNext = {IdFluxPDividend, IdFluxInitRef},
       .tabPrev = {IdTorqueDDividend, IdTorqueIDividend, IdCutOffFrequency},
       .row = 3,
       .column = 2,
       .accessibleName = "Torque Init Ref"},
      // Flux, laid out as the torque box.
      {.id = IdFluxPDividend,
       .label = "/",
       .group = "flux",
       .param = &UserData::FluxPDividend,
       .tabNext = {IdFluxIDividend},
       .tabPrev = {IdTorqueInitRef},
       .row = 0,
       .column = 0,
       .accessibleName = "Flux P dividend"},
      {.id = IdFluxPDivisor,
       .label = "P",
       .group = "flux",
       .param = &UserData::FluxPDivisor,
       .tabNext = {IdFluxIDividend},
       .tabPrev = {IdFluxPDividend},
       .row = 0,
       .column = 2,
       .accessibleName = "Flux P divisor"},
      {.id = IdFluxIDividend,
       .label = "/",
       .group = "flux",
       .param = &UserData::FluxIDividend,
       .tabNext = {IdFluxDDividend, IdFluxInitRef},
       .tabPrev = {IdFluxPDividend},
       .row = 1,
       .column = 0,
       .accessibleName = "Flux I dividend"},
      {.id = IdFluxIDivisor,
       .label = "I",
       .group = "flux",
       .param = &UserData::FluxIDivisor,
       .tabNext = {IdFluxDDividend, IdFluxInitRef},
       .tabPrev = {IdFluxIDividend},
       .row = 1,
       .column = 2,
       .accessibleName = "Flux I divisor"},
      {.id = IdFluxDDividend,
       .label = "/",
       .group = "flux",
       .param = &UserData::FluxDDividend,
       .tabNext = {IdFluxInitRef},
       .tabPrev = {IdFluxIDividend, IdTorqueInitRef},
       .row = 2,
       .column = 0,
       .accessibleName = "Flux D dividend"},
      {.id = IdFluxDDivisor,
       .label = "D",
       .group = "flux",
       .param = &UserData::FluxDDivisor,
       .tabNext = {IdFluxInitRef},
       .tabPrev = {IdFluxDDividend},
       .row = 2,
       .column = 2,
       .accessibleName = "Flux D divisor"},
      {.id = IdFluxInitRef,
       .label = "Init Ref",
       .group = "flux",
       .param = &UserData::FluxInitRef,
       .tabNext = {IdManualEditing},
       .tabPrev = {IdFluxDDividend, IdFluxIDividend, IdTorqueInitRef},
       .row = 3,
       .column = 2,
       .accessibleName = "Flux Init Ref"},
      // Ticked means the gains are typed in; cleared recomputes them at once.
      {.id = IdManualEditing,
       .kind = ControlKind::InvertedCheckBox,
       .label = "Manual editing enabled",
       .group = "tfc",
       .flag = &UserData::TorqueAndFluxGainsComputation,
       .row = 2,
       .column = 0},
      // Speed controller: the check rounds its divisors to powers of two.
      {.id = IdSpeedPDividend,
       .label = "/",
       .group = "speed",
       .param = &UserData::SpeedPDividend,
       .tabNext = {IdSpeedPDivisor},
       .tabPrev = {IdManualEditing},
       .row = 0,
       .column = 0,
       .accessibleName = "Speed P dividend"},
      {.id = IdSpeedPDivisor,
       .label = "P",
       .group = "speed",
       .param = &UserData::SpeedPDivisor,
       .tabNext = {IdSpeedIDividend},
       .tabPrev = {IdSpeedPDividend},
       .row = 0,
       .column = 2,
       .accessibleName = "Speed P divisor"},
      {.id = IdSpeedIDividend,
       .label = "/",
       .group = "speed",
       .param = &UserData::SpeedIDividend,
       .tabNext = {IdSpeedIDivisor},
       .tabPrev = {IdSpeedPDivisor},
       .row = 1,
       .column = 0,
       .accessibleName = "Speed I dividend"},
      {.id = IdSpeedIDivisor,
       .label = "I",
       .group = "speed",
       .param = &UserData::SpeedIDivisor,
       .tabNext = {IdSpeedDDividend, IdSpeedInitRef},
       .tabPrev = {IdSpeedIDividend},
       .row = 1,
       .column = 2,
       .accessibleName = "Speed I divisor"},
      {.id = IdSpeedDDividend,
       .label = "/",
       .group = "speed",
       .param = &UserData::SpeedDDividend,
       .tabNext = {IdSpeedDDivisor},
       .tabPrev = {IdSpeedIDivisor},
       .row = 2,
       .column = 0,
       .accessibleName = "Speed D dividend"},
      {.id = IdSpeedDDivisor,
       .label = "D",
       .group = "speed",
       .param = &UserData::SpeedDDivisor,
       .tabNext = {IdSpeedInitRef},
       .tabPrev = {IdSpeedDDividend},
       .row = 2,
       .column = 2,
       .accessibleName = "Speed D divisor"},
      {.id = IdSpeedInitRef,
       .label = "Init Ref",
       .group = "speed",
       .param = &UserData::SpeedInitRef,
       .tabNext = {IdFwPDividend, IdPwmFrequency},
       .tabPrev = {IdSpeedDDivisor, IdSpeedIDivisor},
       .row = 3,
       .column = 2,
       .accessibleName = "Speed Init Ref"},
      // Flux weakening controller, in use only with flux weakening.
      {.id = IdFwPDividend,
       .label = "/",
       .group = "fw",
       .param = &UserData::FluxWeakeningControllerPDividend,
       .tabNext = {IdFwPDivisor},
       .tabPrev = {IdSpeedInitRef},
       .row = 0,
       .column = 0,
       .accessibleName = "Flux weakening P dividend"},
      {.id = IdFwPDivisor,
       .label = "P",
       .group = "fw",
       .param = &UserData::FluxWeakeningControllerPDivisor,
       .tabNext = {IdFwIDividend},
       .tabPrev = {IdFwPDividend},
       .row = 0,
       .column = 2,
       .accessibleName = "Flux weakening P divisor"},
      {.id = IdFwIDividend,
       .label = "/",
       .group = "fw",
       .param = &UserData::FluxWeakeningControllerIDividend,
       .tabNext = {IdFwIDivisor},
       .tabPrev = {IdFwPDivisor},
       .row = 1,
       .column = 0,
       .accessibleName = "Flux weakening I dividend"},
      {.id = IdFwIDivisor,
       .label = "I",
       .group = "fw",
       .param = &UserData::FluxWeakeningControllerIDivisor,
       .tabNext = {IdFwVoltageLimit},
       .tabPrev = {IdFwIDividend},
       .row = 1,
       .column = 2,
       .accessibleName = "Flux weakening I divisor"},
      {.id = IdFwVoltageLimit,
       .label = "Voltage limit",
       .group = "fw",
       .param = &UserData::FluxWeakeningControllerVoltageLimit,
       .tabNext = {IdPwmFrequency},
       .tabPrev = {IdFwIDivisor},
       .row = 2,
       .column = 2},
  };
  // Focus order of every control, those the page adds itself included.
  t.tabOrder = {IdPwmFrequency,    IdDeadTime,        IdSpeedRate,       IdCurrentRate,
                IdCutOffFrequency, IdTorquePDividend, IdTorqueIDividend, IdTorqueDDividend,
                IdTorqueInitRef,   IdFluxPDividend,   IdFluxIDividend,   IdFluxDDividend,
                IdFluxInitRef,     IdManualEditing,   IdSpeedPDividend,  IdSpeedPDivisor,
                IdSpeedIDividend,  IdSpeedIDivisor,   IdSpeedDDividend,  IdSpeedDDivisor,
                IdSpeedInitRef,    IdFwPDividend,     IdFwPDivisor,      IdFwIDividend,
                IdFwIDivisor,      IdFwVoltageLimit,  IdTorquePDivisor,  IdTorqueIDivisor,
                IdTorqueDDivisor,  IdFluxPDivisor,    IdFluxIDivisor,    IdFluxDDivisor};
  return t;
}

CControlSettingsPage::CControlSettingsPage(PageHost *host, QWidget *parent)
    : CTORVIOPropertyPage(host, PageCaption(PageKind::ControlSettings), parent),
      speedRate_(new CControlSettingsComboBox), currentRate_(new CControlSettingsComboBox),
      analysisFlag_(new QLabel) {
  Build(Table());

  QPalette warning = analysisFlag_->palette();
  warning.setColor(QPalette::WindowText, QColor(192, 0, 0));
  analysisFlag_->setPalette(warning);
  analysisFlag_->setObjectName(QStringLiteral("analysisFlag"));
  analysisFlag_->hide();
  GroupGrid("tfc")->addWidget(analysisFlag_, 0, 2, 1, 2);

  const auto addList = [this](CControlSettingsComboBox *list, int id, const char *group,
                              const QString &unit, const QString &name, const char *setting) {
    auto *label = new QLabel(unit);
    label->setBuddy(list);
    list->setAccessibleName(name);
    list->setObjectName(QString::fromUtf8(setting));
    GroupGrid(group)->addWidget(list, 0, 0);
    GroupGrid(group)->addWidget(label, 0, 1);
    RegisterControl(id, list);
  };
  addList(speedRate_, IdSpeedRate, "speedRate", QStringLiteral("(ms)"),
          QStringLiteral("Speed regulation control rate (ms)"), "SpeedRegulationControlRate");
  addList(currentRate_, IdCurrentRate, "currentRate", QStringLiteral("PWM periods"),
          QStringLiteral("Torque and flux control rate (PWM periods)"), "TorqueAndFluxControlRate");
  connect(speedRate_, &QComboBox::activated, this, [this] { OnSpeedRateChosen(); });
  connect(currentRate_, &QComboBox::activated, this, [this] { OnCurrentRateChosen(); });

  GroupGrid(nullptr)->setRowStretch(4, 1);
  GroupGrid(nullptr)->setColumnStretch(2, 1);
}

void CControlSettingsPage::LoadPage() {
  speedRate_->SetItems(ListChoices("SpeedRegulationControlRate"));
  speedRate_->SelectValue(Record()->SpeedRegulationControlRate);
  currentRate_->SetItems(ListChoices("TorqueAndFluxControlRate"));
  currentRate_->SelectValue(static_cast<double>(Record()->TorqueAndFluxControlRate));
  ShowAnalysisFlag();
}

void CControlSettingsPage::ShowAnalysisFlag() {
  const BandwidthFlag flag = Record() ? BandwidthFlagOf(*Record()) : BandwidthFlag{};
  analysisFlag_->setText(flag.text);
  analysisFlag_->setToolTip(flag.reasons);
  analysisFlag_->setAccessibleName(flag.text);
  analysisFlag_->setAccessibleDescription(flag.reasons);
  analysisFlag_->setVisible(flag.raised());
}

void CControlSettingsPage::OnSpeedRateChosen() {
  CommitChoice("SpeedRegulationControlRate", speedRate_->SelectedValue(), speedRate_);
}

void CControlSettingsPage::OnCurrentRateChosen() {
  CommitChoice("TorqueAndFluxControlRate", currentRate_->SelectedValue(), currentRate_);
}
