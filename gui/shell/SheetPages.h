// Which pages the sheet shows, decided from the record's speed-feedback
// choices, and the factory that creates them.
#pragma once

#include "pages/PageCatalog.h"
#include "parvex.h"

#include <functional>
#include <optional>

class CTORVIOPropertyPage;
class PageHost;

namespace torvio {

using ::PageKind;

// The speed feedback page of the record's sensor choice, if any.
std::optional<PageKind> SpeedFeedbackPageFor(const UserData &data);
// The auxiliary speed feedback page of the record's choices, if any.
std::optional<PageKind> AuxSpeedFeedbackPageFor(const UserData &data);

using PageFactory = std::function<CTORVIOPropertyPage *(PageKind kind, PageHost *host)>;

// Creates the real page classes.
PageFactory DefaultPageFactory();

} // namespace torvio
