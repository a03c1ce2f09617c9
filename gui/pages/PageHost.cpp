#include "PageHost.h"

#include "CTORVIOPropertyPage.h"

#include <algorithm>
#include <cstring>
#include <variant>

void PageHost::Follow(CTORVIOPropertyPage *page) {
  pages_.push_back(page);
}

void PageHost::Unfollow(CTORVIOPropertyPage *page) {
  std::erase(pages_, page);
}

void PageHost::NotifyPages(const ChangedSettings &changed) const {
  // A page may rebuild others while it refreshes: walk a copy.
  const std::vector<CTORVIOPropertyPage *> pages = pages_;
  for (CTORVIOPropertyPage *page : pages)
    if (std::find(pages_.begin(), pages_.end(), page) != pages_.end())
      page->RecordChanged(changed);
}

ChangedSettings ChangesBetween(const UserData &before, const UserData &after) {
  ChangedSettings changed;
  for (const parvex::Parameter &p : parvex::Parameters()) {
    // Bytes, not values: a NaN read from a file equals nothing.
    const bool differs = std::visit(
        [&](auto member) {
          return std::memcmp(&(before.*member), &(after.*member), sizeof(before.*member)) != 0;
        },
        p.member);
    if (differs)
      changed.push_back(&p);
  }
  return changed;
}
