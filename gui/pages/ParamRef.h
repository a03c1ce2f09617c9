// A record parameter of a page control: the registry's description of the
// member it edits, so that one control table can describe the main and the
// auxiliary members alike. Reads every part as a double the way the fields
// show it and writes a committed value back into Value.
#pragma once

#include "parvex/Parameters.h"
#include "parvex/SpeedFeedbackMembers.h"

using parvex::FlagMember;
using parvex::IntMember;
using parvex::RealMember;
using parvex::SignedMember;

class ParamRef {
public:
  ParamRef() = default;
  ParamRef(IntMember m) : p_(Find(m)) {}
  ParamRef(SignedMember m) : p_(Find(m)) {}
  ParamRef(RealMember m) : p_(Find(m)) {}

  bool IsSet() const { return p_ != nullptr; }
  const parvex::Parameter *Parameter() const { return p_; }

  double Min(const UserData &d) const;
  double Value(const UserData &d) const;
  double Max(const UserData &d) const;
  // Decimals shown, made safe for display: a file may hold any bytes.
  int Decimals(const UserData &d) const;

private:
  // A null member (a control without a field) finds nothing.
  template <class M>
  static const parvex::Parameter *Find(M member) {
    return member ? parvex::FindParameter(parvex::ParamMember(member)) : nullptr;
  }

  const parvex::Parameter *p_ = nullptr;
};
