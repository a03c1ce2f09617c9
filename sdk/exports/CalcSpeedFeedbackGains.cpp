#include "Guarded.h"
#include "parvex.h"
#include "parvex/Model.h"

// Both test the record for null like every other export, rather than
// dereferencing whatever a caller hands over.
extern "C" PARVEX_API int PARVEX_CalcSpeedFeedbackGains(UserData *data) {
  if (data == nullptr)
    return parvex::nullRecordResult;
  return parvex::Guarded(parvex::nullRecordResult,
                         [data] { return parvex::CalcSpeedFeedbackGains(*data); });
}

extern "C" PARVEX_API int PARVEX_CalcAuxSpeedFeedbackGains(UserData *data) {
  if (data == nullptr)
    return parvex::nullRecordResult;
  return parvex::Guarded(parvex::nullRecordResult,
                         [data] { return parvex::CalcAuxSpeedFeedbackGains(*data); });
}
