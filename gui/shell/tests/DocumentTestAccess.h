// Sets up a document's record and modified flag directly, as a file could
// leave them, without an edit, an undo step or a signal.
#pragma once

#include "shell/CTORVIODoc.h"

struct DocumentTestAccess {
  static UserData &Record(CTORVIODoc &doc) { return doc.data_; }
  static void SetModified(CTORVIODoc &doc, bool modified) { doc.SetModifiedFlag(modified); }
  // The views reload the record as after New or Open.
  static void UpdateAllViews(CTORVIODoc &doc) { doc.UpdateAllViews(UserData(doc.data_)); }
};
