// The "Control Settings" page: PWM and dead time, the loop rates, the torque
// and flux controllers with the bandwidth their gains are computed from, the
// speed controller and the flux-weakening controller. Gains are shown as
// dividend over divisor.
#pragma once

#include "CTORVIOPropertyPage.h"

class CControlSettingsComboBox;
class QLabel;

class CControlSettingsPage : public CTORVIOPropertyPage {
  Q_OBJECT

public:
  enum Id {
    IdManualEditing = 1004,
    IdPwmFrequency = 1013,
    IdDeadTime = 1014,
    IdTorquePDividend = 1015,
    IdTorquePDivisor = 1016,
    IdTorqueIDividend = 1017,
    IdTorqueIDivisor = 1018,
    IdTorqueDDividend = 1019,
    IdTorqueDDivisor = 1020,
    IdTorqueInitRef = 1021,
    IdFluxPDividend = 1022,
    IdFluxPDivisor = 1023,
    IdFluxIDividend = 1024,
    IdFluxIDivisor = 1025,
    IdSpeedRate = 1026,
    IdCurrentRate = 1027,
    IdFluxDDividend = 1028,
    IdFluxDDivisor = 1029,
    IdFluxInitRef = 1030,
    IdCutOffFrequency = 1031,
    IdSpeedPDividend = 1032,
    IdSpeedPDivisor = 1033,
    IdSpeedIDividend = 1034,
    IdSpeedIDivisor = 1035,
    IdSpeedDDividend = 1036,
    IdSpeedDDivisor = 1037,
    IdSpeedInitRef = 1038,
    IdFwPDividend = 1046,
    IdFwPDivisor = 1047,
    IdFwIDividend = 1048,
    IdFwIDivisor = 1049,
    IdFwVoltageLimit = 1052,
  };

  explicit CControlSettingsPage(PageHost *host, QWidget *parent = nullptr);

  static PageTable Table();
  CControlSettingsComboBox *SpeedRateList() const { return speedRate_; }
  CControlSettingsComboBox *CurrentRateList() const { return currentRate_; }
  // Beside the bandwidth field: what the controller analysis flags, hidden
  // when it flags nothing; the reasons are its tooltip.
  QLabel *AnalysisFlag() const { return analysisFlag_; }

protected:
  void LoadPage() override;

private:
  void OnSpeedRateChosen();
  void OnCurrentRateChosen();
  void ShowAnalysisFlag();

  CControlSettingsComboBox *speedRate_;
  CControlSettingsComboBox *currentRate_;
  QLabel *analysisFlag_;
};
