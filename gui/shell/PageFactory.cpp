// The real page classes behind each kind of page.
#include "shell/SheetPages.h"

#include "pages/AuxSpeedFeedback1Page.h"
#include "pages/AuxSpeedFeedback2Page.h"
#include "pages/AuxSpeedFeedback3Page.h"
#include "pages/ConfigurationPage.h"
#include "pages/ControlSettingsPage.h"
#include "pages/CurrentSensingPage.h"
#include "pages/DebugPage.h"
#include "pages/MotorAndHwPage.h"
#include "pages/SpeedFeedback1Page.h"
#include "pages/SpeedFeedback2Page.h"
#include "pages/SpeedFeedback3Page.h"

namespace torvio {

PageFactory DefaultPageFactory() {
  return [](PageKind kind, PageHost *host) -> CTORVIOPropertyPage * {
    switch (kind) {
    case PageKind::Configuration:
      return new CConfigurationPage(host);
    case PageKind::MotorAndHw:
      return new CMotorAndHwPage(host);
    case PageKind::ControlSettings:
      return new CControlSettingsPage(host);
    case PageKind::Debug:
      return new CDebugPage(host);
    case PageKind::SpeedFeedback1:
      return new CSpeedFeedback1Page(host);
    case PageKind::SpeedFeedback2:
      return new CSpeedFeedback2Page(host);
    case PageKind::SpeedFeedback3:
      return new CSpeedFeedback3Page(host);
    case PageKind::AuxSpeedFeedback1:
      return new CAuxSpeedFeedback1Page(host);
    case PageKind::AuxSpeedFeedback2:
      return new CAuxSpeedFeedback2Page(host);
    case PageKind::AuxSpeedFeedback3:
      return new CAuxSpeedFeedback3Page(host);
    case PageKind::CurrentSensing:
      return new CCurrentSensingPage(host);
    }
    return nullptr;
  };
}

} // namespace torvio
