// The "Current sensing" page: noise and rise times of the shunt signal, the
// A/D converter sampling time, and the maximum available modulation index
// derived from them. What is shown follows the current sensing technique.
#pragma once

#include "CTORVIOPropertyPage.h"

class CControlSettingsComboBox;
class QLabel;
class WaveformPicture;

class CCurrentSensingPage : public CTORVIOPropertyPage {
  Q_OBJECT

public:
  enum Id {
    IdNoiseTime = 1001,
    IdRiseTime = 1002,
    IdSamplingTime = 1003,
    IdModulationIndex = 1004,
    IdSingleShuntPicture = 1005,
    IdThreeShuntPicture = 1006,
  };

  explicit CCurrentSensingPage(PageHost *host, QWidget *parent = nullptr);

  static PageTable Table();
  CControlSettingsComboBox *SamplingTimeList() const { return samplingTime_; }
  // Shown beside the index when one shunt cannot be sampled at any index.
  QLabel *SamplingWarning() const { return samplingWarning_; }

protected:
  void LoadPage() override;
  void ApplyPageRules() override;

private:
  void OnSamplingTimeChosen();
  void ShowSamplingWarning();

  CControlSettingsComboBox *samplingTime_;
  WaveformPicture *singleShunt_;
  WaveformPicture *threeShunt_;
  QLabel *samplingWarning_;
};
