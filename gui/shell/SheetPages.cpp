#include "shell/SheetPages.h"

#include "parvex/SpeedFeedbackMembers.h"

namespace torvio {

namespace {

// The model's variants, in the page order of each slot.
std::optional<PageKind> PageOf(std::optional<parvex::SpeedFeedbackKind> kind,
                               const PageKind (&pages)[3]) {
  if (!kind)
    return std::nullopt;
  switch (*kind) {
  case parvex::SpeedFeedbackKind::Encoder:
    return pages[0];
  case parvex::SpeedFeedbackKind::Hall:
    return pages[1];
  case parvex::SpeedFeedbackKind::Observer:
    return pages[2];
  }
  return std::nullopt;
}

} // namespace

std::optional<PageKind> SpeedFeedbackPageFor(const UserData &data) {
  static const PageKind pages[] = {PageKind::SpeedFeedback1, PageKind::SpeedFeedback2,
                                   PageKind::SpeedFeedback3};
  return PageOf(parvex::MainSpeedFeedback(data), pages);
}

std::optional<PageKind> AuxSpeedFeedbackPageFor(const UserData &data) {
  static const PageKind pages[] = {PageKind::AuxSpeedFeedback1, PageKind::AuxSpeedFeedback2,
                                   PageKind::AuxSpeedFeedback3};
  return PageOf(parvex::AuxSpeedFeedback(data), pages);
}

} // namespace torvio
