// A page that writes the record in place: the layer check must refuse it.
#include "parvex.h"

void Commit(UserData &data) {
  data.PolePairs.Value = 4;
}
