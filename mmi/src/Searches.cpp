#include "Search.h"

#include "SingleShuntModel.h"
#include "ThreeShuntModel.h"

namespace sirenta {

int SearchSingleShunt(SirentaParams &params, SearchTrace &trace) {
  return RunSearch<SingleShuntModel>(params, trace);
}

int SearchThreeShunt(SirentaParams &params, SearchTrace &trace) {
  return RunSearch<ThreeShuntModel>(params, trace);
}

} // namespace sirenta
