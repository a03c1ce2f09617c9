#include "Guarded.h"
#include "parvex.h"
#include "parvex/Model.h"

extern "C" PARVEX_API int PARVEX_CalcControlSettingsTorqueAndFluxPID(UserData *data) {
  if (data == nullptr)
    return parvex::nullRecordResult;
  return parvex::Guarded(parvex::nullRecordResult,
                         [data] { return parvex::CalcTorqueAndFluxGains(*data); });
}
