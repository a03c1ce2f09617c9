// Which pages the sheet shows, decided from the record's speed-feedback
// choices, and the factory that creates them.
#pragma once

#include "pages/PageCatalog.h"
#include "parvex.h"
#include "parvex/Parameters.h"

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
// True for the choices that select those pages (the sensors, the auxiliary
// feedback viewed, observer gain tuning): entering one rebuilds the
// optional pages, even when it leaves the selection as it was.
bool SelectsPages(const parvex::Parameter &parameter);

using PageFactory = std::function<CTORVIOPropertyPage *(PageKind kind, PageHost *host)>;

// Creates the real page classes.
PageFactory DefaultPageFactory();

} // namespace torvio
