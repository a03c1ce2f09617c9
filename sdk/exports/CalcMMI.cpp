#include "exports/Guarded.h"
#include "model/ModulationIndex.h"
#include "parvex.h"

extern "C" PARVEX_API int PARVEX_CalcMMI(UserData *data) {
  if (data == nullptr)
    return parvex::nullRecordResult;
  return parvex::Guarded(parvex::nullRecordResult, [data] {
    parvex::CalcModulationIndex(*data);
    return 0;
  });
}
