// Every kind of parameter page: the one list the sheet, the screenshots and
// the tests build pages from.
#pragma once

#include <QString>

#include <span>

class CTORVIOPropertyPage;
class PageHost;

enum class PageKind {
  Configuration,
  MotorAndHw,
  ControlSettings,
  Debug,
  SpeedFeedback1, // quadrature encoder
  SpeedFeedback2, // Hall sensors
  SpeedFeedback3, // sensorless
  AuxSpeedFeedback1,
  AuxSpeedFeedback2,
  AuxSpeedFeedback3,
  CurrentSensing,
};

struct PageInfo {
  PageKind kind;
  const char *name;    // the page's name: "CSpeedFeedback1Page"
  const char *caption; // its tab caption
  CTORVIOPropertyPage *(*create)(PageHost *host);
};

// In sheet order.
std::span<const PageInfo> AllPages();
const PageInfo &PageInfoOf(PageKind kind);
QString PageCaption(PageKind kind);

// A new page of that kind on the host's record; its object name is the
// page's name.
CTORVIOPropertyPage *CreatePage(PageKind kind, PageHost *host);
