#include "PageCatalog.h"

#include "CConfigurationPage.h"
#include "CControlSettingsPage.h"
#include "CCurrentSensingPage.h"
#include "CDebugPage.h"
#include "CMotorAndHwPage.h"
#include "CSpeedFeedbackPage.h"

#include <array>

namespace {

constexpr const char *kSpeedFeedback = "Speed feedback";
constexpr const char *kAuxSpeedFeedback = "Aux speed feedback";

template <PageKind Kind>
CTORVIOPropertyPage *SpeedFeedback(PageHost *host) {
  return new CSpeedFeedbackPage(host, Kind);
}

const std::array<PageInfo, 11> kPages = {{
    {PageKind::Configuration, "CConfigurationPage", "Configuration",
     [](PageHost *h) -> CTORVIOPropertyPage * { return new CConfigurationPage(h); }},
    {PageKind::MotorAndHw, "CMotorAndHwPage", "Motor and HW",
     [](PageHost *h) -> CTORVIOPropertyPage * { return new CMotorAndHwPage(h); }},
    {PageKind::ControlSettings, "CControlSettingsPage", "Control Settings",
     [](PageHost *h) -> CTORVIOPropertyPage * { return new CControlSettingsPage(h); }},
    {PageKind::Debug, "CDebugPage", "Debug",
     [](PageHost *h) -> CTORVIOPropertyPage * { return new CDebugPage(h); }},
    {PageKind::SpeedFeedback1, "CSpeedFeedback1Page", kSpeedFeedback,
     &SpeedFeedback<PageKind::SpeedFeedback1>},
    {PageKind::SpeedFeedback2, "CSpeedFeedback2Page", kSpeedFeedback,
     &SpeedFeedback<PageKind::SpeedFeedback2>},
    {PageKind::SpeedFeedback3, "CSpeedFeedback3Page", kSpeedFeedback,
     &SpeedFeedback<PageKind::SpeedFeedback3>},
    {PageKind::AuxSpeedFeedback1, "CAuxSpeedFeedback1Page", kAuxSpeedFeedback,
     &SpeedFeedback<PageKind::AuxSpeedFeedback1>},
    {PageKind::AuxSpeedFeedback2, "CAuxSpeedFeedback2Page", kAuxSpeedFeedback,
     &SpeedFeedback<PageKind::AuxSpeedFeedback2>},
    {PageKind::AuxSpeedFeedback3, "CAuxSpeedFeedback3Page", kAuxSpeedFeedback,
     &SpeedFeedback<PageKind::AuxSpeedFeedback3>},
    {PageKind::CurrentSensing, "CCurrentSensingPage", "Current sensing",
     [](PageHost *h) -> CTORVIOPropertyPage * { return new CCurrentSensingPage(h); }},
}};

} // namespace

std::span<const PageInfo> AllPages() {
  return kPages;
}

const PageInfo &PageInfoOf(PageKind kind) {
  return kPages[static_cast<std::size_t>(kind)];
}

QString PageCaption(PageKind kind) {
  return QString::fromUtf8(PageInfoOf(kind).caption);
}

CTORVIOPropertyPage *CreatePage(PageKind kind, PageHost *host) {
  CTORVIOPropertyPage *page = PageInfoOf(kind).create(host);
  page->setObjectName(QString::fromLatin1(PageInfoOf(kind).name));
  return page;
}
