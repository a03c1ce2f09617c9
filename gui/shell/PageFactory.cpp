// The real page classes behind each kind of page.
#include "shell/SheetPages.h"

namespace torvio {

PageFactory DefaultPageFactory() {
  return &CreatePage;
}

} // namespace torvio
