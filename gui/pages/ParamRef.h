// A record parameter named by pointer-to-member, so that one control table
// can describe the main and the auxiliary members alike. Reads every member
// as a double the way the fields show it (unsigned or signed as the
// parameter is declared) and writes a committed value back into Value.
#pragma once

#include "parvex.h"

#include <cstdint>
#include <variant>

using IntMember = IntParam UserData::*;
using SignedMember = SignedIntParam UserData::*;
using RealMember = RealParam UserData::*;
using FlagMember = std::uint32_t UserData::*;

class ParamRef {
public:
  ParamRef() = default;
  ParamRef(IntMember m) : member_(m) {}
  ParamRef(SignedMember m) : member_(m) {}
  ParamRef(RealMember m) : member_(m) {}

  bool IsSet() const;
  bool IsReal() const { return std::holds_alternative<RealMember>(member_); }

  double Min(const UserData &d) const;
  double Value(const UserData &d) const;
  double Max(const UserData &d) const;
  // Decimals shown, made safe for display: a file may hold any bytes.
  int Decimals(const UserData &d) const;

  // Integer parameters keep the value truncated toward zero (low 32 bits);
  // real parameters keep it unchanged. Min, Max and Decimals are never
  // written. A value with no defined integer conversion is not stored.
  void Store(UserData &d, double value) const;

private:
  std::variant<std::monostate, IntMember, SignedMember, RealMember> member_;
};
