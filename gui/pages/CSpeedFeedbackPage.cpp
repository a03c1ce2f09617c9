#include "CSpeedFeedbackPage.h"

#include "SpeedFeedbackTables.h"

namespace {

PageTable TableOf(PageKind kind) {
  switch (kind) {
  case PageKind::SpeedFeedback1:
    return EncoderTable(parvex::MainEncoder());
  case PageKind::SpeedFeedback2:
    return HallTable(parvex::MainHall());
  case PageKind::SpeedFeedback3:
    return ObserverTable(parvex::MainObserver(), false);
  case PageKind::AuxSpeedFeedback1:
    return EncoderTable(parvex::AuxEncoder());
  case PageKind::AuxSpeedFeedback2:
    return HallTable(parvex::AuxHall());
  case PageKind::AuxSpeedFeedback3:
    return ObserverTable(parvex::AuxObserver(), true);
  default:
    return {};
  }
}

} // namespace

CSpeedFeedbackPage::CSpeedFeedbackPage(PageHost *host, PageKind kind, QWidget *parent)
    : CTORVIOPropertyPage(host, PageCaption(kind), parent) {
  Build(TableOf(kind));
}
