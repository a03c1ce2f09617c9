#include "ParamRef.h"

namespace {

// More decimals than a double can carry are meaningless on screen.
constexpr int kMaxDecimals = 15;

int SafeDecimals(double d) {
  if (!(d > 0)) // negative, zero or NaN
    return 0;
  if (d >= kMaxDecimals)
    return kMaxDecimals;
  return static_cast<int>(d);
}

} // namespace

double ParamRef::Min(const UserData &d) const {
  return p_ ? p_->Read(d, parvex::ParamPart::Min) : 0.0;
}

double ParamRef::Value(const UserData &d) const {
  return p_ ? p_->Read(d, parvex::ParamPart::Value) : 0.0;
}

double ParamRef::Max(const UserData &d) const {
  return p_ ? p_->Read(d, parvex::ParamPart::Max) : 0.0;
}

int ParamRef::Decimals(const UserData &d) const {
  return p_ ? SafeDecimals(p_->Read(d, parvex::ParamPart::Decimals)) : 0;
}
