#include "exports/Guarded.h"
#include "model/ConsistencyCheck.h"
#include "parvex.h"

extern "C" PARVEX_API int PARVEX_CheckConsistency(UserData *data) {
  if (data == nullptr)
    return parvex::nullRecordResult;
  return parvex::Guarded(parvex::nullRecordResult, [data] {
    parvex::CheckConsistency(*data);
    return 0;
  });
}
