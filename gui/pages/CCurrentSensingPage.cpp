#include "CCurrentSensingPage.h"

#include "PageCatalog.h"

#include "CControlSettingsComboBox.h"
#include "WaveformPicture.h"
#include "parvex/SamplingWindow.h"

#include <QGridLayout>
#include <QLabel>

#include <algorithm>

namespace {

bool NoiseTimeUsed(const UserData &d) {
  return d.SingleShuntResistor == 0 && d.IsolatedCurrentSensors == 0;
}
bool RiseTimeUsed(const UserData &d) {
  return d.IsolatedCurrentSensors == 0;
}

} // namespace

PageTable CCurrentSensingPage::Table() {
  PageTable t;
  t.groups = {
      {.key = "noise", .title = "Noise parameters", .parent = nullptr, .row = 0, .column = 0},
      {.key = "sampling",
       .title = "A/D converter sampling time",
       .parent = nullptr,
       .row = 1,
       .column = 0},
      {.key = "index",
       .title = "Maximum available modulation index",
       .parent = nullptr,
       .row = 1,
       .column = 1},
  };
  t.controls = {
      {.id = IdNoiseTime,
       .label = "T Noise",
       .group = "noise",
       .param = &UserData::Tnoise,
       .visibleWhen = NoiseTimeUsed,
       .tabNext = {IdRiseTime},
       .tabPrev = {kPageItself},
       .row = 0},
      {.id = IdRiseTime,
       .label = "T Rise",
       .group = "noise",
       .param = &UserData::Trise,
       .visibleWhen = RiseTimeUsed,
       .tabNext = {IdSamplingTime},
       .tabPrev = {IdNoiseTime, kPageItself},
       .row = 1},
      // Shown only: the check computes it from the other settings.
      {.id = IdModulationIndex,
       .label = "%",
       .group = "index",
       .param = &UserData::MaximumAvailableModulationIndex,
       .tabNext = {IdNoiseTime, IdRiseTime},
       .tabPrev = {IdSamplingTime},
       .row = 0,
       .accessibleName = "Maximum available modulation index (%)",
       .unitShown = false},
  };
  // Focus order of every control, those the page adds itself included.
  t.tabOrder = {IdNoiseTime, IdRiseTime, IdSamplingTime, IdModulationIndex};
  return t;
}

CCurrentSensingPage::CCurrentSensingPage(PageHost *host, QWidget *parent)
    : CTORVIOPropertyPage(host, PageCaption(PageKind::CurrentSensing), parent),
      samplingTime_(new CControlSettingsComboBox),
      singleShunt_(new WaveformPicture(WaveformPicture::Kind::SingleShunt)),
      threeShunt_(new WaveformPicture(WaveformPicture::Kind::ThreeShunt)),
      samplingWarning_(new QLabel) {
  Build(Table());

  QPalette warning = samplingWarning_->palette();
  warning.setColor(QPalette::WindowText, QColor(192, 0, 0));
  samplingWarning_->setPalette(warning);
  samplingWarning_->setObjectName(QStringLiteral("samplingWarning"));
  samplingWarning_->setText(QStringLiteral("No index can sample one shunt"));
  samplingWarning_->hide();
  GroupGrid("index")->addWidget(samplingWarning_, 1, 0, 1, 2);

  auto *unit = new QLabel(QStringLiteral("ns (@12 MHz clock)"));
  unit->setBuddy(samplingTime_);
  samplingTime_->setAccessibleName(QStringLiteral("A/D converter sampling time (ns)"));
  samplingTime_->setObjectName(QStringLiteral("ADConverterSamplingTime"));
  GroupGrid("sampling")->addWidget(samplingTime_, 0, 0);
  GroupGrid("sampling")->addWidget(unit, 0, 1);
  RegisterControl(IdSamplingTime, samplingTime_);
  connect(samplingTime_, &QComboBox::activated, this, [this] { OnSamplingTimeChosen(); });

  // Both pictures share the place beside the noise parameters.
  auto *grid = GroupGrid(nullptr);
  grid->addWidget(singleShunt_, 0, 1, Qt::AlignLeft | Qt::AlignTop);
  grid->addWidget(threeShunt_, 0, 1, Qt::AlignLeft | Qt::AlignTop);
  RegisterControl(IdSingleShuntPicture, singleShunt_);
  RegisterControl(IdThreeShuntPicture, threeShunt_);
  grid->setRowStretch(2, 1);
  grid->setColumnStretch(2, 1);
}

void CCurrentSensingPage::LoadPage() {
  samplingTime_->SetItems(ListChoices("ADConverterSamplingTime"));
  samplingTime_->SelectValue(static_cast<double>(Record()->ADConverterSamplingTime));
  ShowSamplingWarning();
}

// The index the search gives a timing no index can sample means nothing;
// the warning says why, in full in its tooltip.
void CCurrentSensingPage::ShowSamplingWarning() {
  const std::optional<parvex::SingleShuntWindow> window =
      Record() ? parvex::SingleShuntWindowOf(*Record()) : std::nullopt;
  const bool shown = window && !window->feasible;
  const QString reason =
      shown ? QString::fromStdString(parvex::SingleShuntInfeasibleText(*window)) : QString();
  samplingWarning_->setToolTip(reason);
  samplingWarning_->setAccessibleDescription(reason);
  samplingWarning_->setVisible(shown);
}

void CCurrentSensingPage::ApplyPageRules() {
  singleShunt_->setVisible(Record()->SingleShuntResistor != 0);
  threeShunt_->setVisible(Record()->ThreeShuntResistors != 0);
}

void CCurrentSensingPage::OnSamplingTimeChosen() {
  CommitChoice("ADConverterSamplingTime", samplingTime_->SelectedValue(), samplingTime_);
}
