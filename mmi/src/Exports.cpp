// The four exported functions. Nothing may escape them but their result.
#include "sirenta.h"

#include "Defaults.h"
#include "Rounding.h"
#include "Search.h"

namespace {

template <class Fill>
int SetDefaults(SirentaParams *params, Fill fill) {
  if (params == nullptr)
    return sirenta::kInvalidInput;
  try {
    *params = fill();
    return 0;
  } catch (...) {
    return sirenta::kInvalidInput;
  }
}

template <class Searcher>
int Search(SirentaParams *params, Searcher search) {
  if (params == nullptr)
    return sirenta::kInvalidInput;
  try {
    sirenta::SearchTrace trace;
    return search(*params, trace);
  } catch (...) {
    return sirenta::kInvalidInput;
  }
}

} // namespace

extern "C" {

SIRENTA_API int SIRENTA_SetDefaut1sh(SirentaParams *params) {
  return SetDefaults(params, sirenta::SingleShuntDefaults);
}

SIRENTA_API int SIRENTA_1shMMI(SirentaParams *params) {
  return Search(params, sirenta::SearchSingleShunt);
}

SIRENTA_API int SIRENTA_SetDefaut3sh(SirentaParams *params) {
  return SetDefaults(params, sirenta::ThreeShuntDefaults);
}

SIRENTA_API int SIRENTA_3shMMI(SirentaParams *params) {
  return Search(params, sirenta::SearchThreeShunt);
}

} // extern "C"
