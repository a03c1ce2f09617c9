#include "ParamRef.h"

#include "model/Conversion.h"

namespace {

// More decimals than a double can carry are meaningless on screen.
constexpr int kMaxDecimals = 15;

int SafeDecimals(double d) {
  if (!(d > 0)) // negative, zero or NaN
    return 0;
  if (d >= kMaxDecimals)
    return kMaxDecimals;
  return static_cast<int>(*parvex::TruncateToInt64(d));
}

template <typename F>
double Read(const std::variant<std::monostate, IntMember, SignedMember, RealMember> &member,
            const UserData &d, F pick) {
  if (auto m = std::get_if<IntMember>(&member))
    return static_cast<double>(pick(d.**m));
  if (auto m = std::get_if<SignedMember>(&member))
    return static_cast<double>(pick(d.**m));
  if (auto m = std::get_if<RealMember>(&member))
    return pick(d.**m);
  return 0.0;
}

} // namespace

bool ParamRef::IsSet() const {
  return !std::holds_alternative<std::monostate>(member_);
}

double ParamRef::Min(const UserData &d) const {
  return Read(member_, d, [](const auto &p) { return p.Min; });
}

double ParamRef::Value(const UserData &d) const {
  return Read(member_, d, [](const auto &p) { return p.Value; });
}

double ParamRef::Max(const UserData &d) const {
  return Read(member_, d, [](const auto &p) { return p.Max; });
}

int ParamRef::Decimals(const UserData &d) const {
  return SafeDecimals(Read(member_, d, [](const auto &p) { return p.Decimals; }));
}

void ParamRef::Store(UserData &d, double value) const {
  if (auto m = std::get_if<RealMember>(&member_)) {
    (d.**m).Value = value;
    return;
  }
  const auto low = parvex::TruncateToLow32(value);
  if (!low)
    return;
  if (auto m = std::get_if<IntMember>(&member_))
    (d.**m).Value = *low;
  else if (auto m = std::get_if<SignedMember>(&member_))
    (d.**m).Value = static_cast<std::int32_t>(*low); // two's complement, defined in C++20
}
