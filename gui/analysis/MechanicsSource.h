// Where a window's mechanics come from and go to: the open project when it
// is given access, else the window's own copy of what was typed.
#pragma once

#include "parvex/Mechanics.h"

#include <functional>
#include <optional>

class MechanicsSource {
public:
  using Getter = std::function<std::optional<parvex::Mechanics>()>;
  using Setter = std::function<void(const std::optional<parvex::Mechanics> &)>;

  void Connect(Getter get, Setter set) {
    get_ = std::move(get);
    set_ = std::move(set);
  }
  std::optional<parvex::Mechanics> Current() const { return get_ ? get_() : own_; }
  // The project tells every view of the change, the caller's too.
  void Enter(const std::optional<parvex::Mechanics> &m) {
    if (set_)
      set_(m);
    else
      own_ = m;
  }

private:
  Getter get_;
  Setter set_;
  std::optional<parvex::Mechanics> own_;
};
