#include "exports/Guarded.h"
#include "model/Defaults.h"
#include "parvex.h"

extern "C" PARVEX_API int PARVEX_SetDefault(UserData *data) {
  if (data == nullptr)
    return parvex::nullRecordResult;
  return parvex::Guarded(parvex::nullRecordResult, [data] {
    parvex::FillDefaults(*data);
    return 0;
  });
}
