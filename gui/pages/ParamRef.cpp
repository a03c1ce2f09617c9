#include "ParamRef.h"

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
  return p_ ? parvex::DecimalsShown(*p_, d, parvex::DecimalsUse::Field) : 0;
}
