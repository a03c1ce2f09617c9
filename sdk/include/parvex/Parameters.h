// The parameter registry: one typed description of every setting of the
// record (member, name, kind, default, unit, the build-log path that names
// it, the twin of a main/auxiliary pair, and how a page enters it).
// Defaults, the build log, the comparison, the pages and scripted edits all
// read it.
#pragma once

#include "parvex.h"
#include "parvex/Api.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <variant>

namespace parvex {

enum class ParamKind {
  Flag,      // uint32 read as set when non-zero
  Word,      // uint32 number without a range
  Rate,      // double without a range
  Int,       // IntParam
  SignedInt, // SignedIntParam
  Real,      // RealParam
};

using ParamMember =
    std::variant<std::uint32_t UserData::*, double UserData::*, IntParam UserData::*,
                 SignedIntParam UserData::*, RealParam UserData::*>;
using ParamDefault = std::variant<std::uint32_t, double, IntParam, SignedIntParam, RealParam>;

// The parts of a ranged setting.
enum class ParamPart { Min, Value, Max, Decimals };

enum class EditControl {
  Field,    // a numeric field: limits, then integer truncation
  CheckBox, // a flag set or cleared
  Option,   // one flag of a group: selecting it clears the others
  List,     // one of a fixed list of stored values
};

// One item of a list setting: the value the record stores, the text the
// page shows for it, and what generation writes for it (the whole
// definition line, or the name the definition takes; null when the headers
// compute the definition from the value).
struct Choice {
  double stored;
  const char *shown;
  const char *header;
};

// When a page disables a setting's control, and why; the model keeps these
// beside EditBlocked.
struct EnableRule;

// How a page enters a setting (parvex/Edits.h commits by it).
struct ParamEdit {
  // Empty for a setting no page enters: a computed value, a setting kept
  // only in files.
  std::optional<EditControl> control;
  bool check = false; // the consistency check runs after the edit
  // Option: every flag of its group (the unused places null).
  std::array<const char *, 3> group = {};
  // List: the items offered, in the order shown.
  std::span<const Choice> choices = {};
  // Null when the control is enabled whenever its page is shown.
  const EnableRule *enable = nullptr;
};

struct PARVEX_CORE_API Parameter {
  const char *name;           // the record member: "R", "AuxK1"
  ParamKind kind;             // matches `member` and `initial`
  ParamMember member;         //
  ParamDefault initial;       // the default configuration's value (before couplings)
  const char *unit;           // "Ohm", "mH", "Hz", ...; "" when dimensionless
  bool computed = false;      // written by the gain or index calculations, may exceed Max
  const char *twin = nullptr; // the other member of a main/auxiliary pair
  ParamEdit edit = {};        // how a page enters it

  // Min, Max and Decimals exist for Int, SignedInt and Real.
  bool HasRange() const;
  // A part as a number: unsigned or signed as the member is declared. The
  // Value of any kind; the other parts only with a range.
  double Read(const UserData &data, ParamPart part = ParamPart::Value) const;
  // Writes a part: integers keep the value truncated toward zero (its low
  // 32 bits), reals keep it unchanged. False, and nothing written, when the
  // value has no defined integer conversion or the part does not exist.
  bool Write(UserData &data, double value, ParamPart part = ParamPart::Value) const;
  // Writes `initial` into the record.
  void Reset(UserData &data) const;
};

// Where a setting's Decimals are used, which bounds how many are shown. A
// file may hold any bytes in Decimals (NaN, negative, huge), so both uses
// cap it.
enum class DecimalsUse {
  // A page's field: a double carries no more than 15 significant decimal
  // digits, so more would show noise.
  Field,
  // Text written for files and scripts (the build log, --list, the
  // comparison): 64 keeps the line bounded while every Decimals the program
  // gives prints as stored.
  Text,
};

// Decimal places of a Decimals value: truncated toward zero, 0 when
// negative or NaN, at most the cap of `use`.
PARVEX_CORE_API int DecimalsShown(double decimals, DecimalsUse use);
// The same for a setting's Decimals in a record; 0 for a setting without
// a range.
PARVEX_CORE_API int DecimalsShown(const Parameter &parameter, const UserData &data,
                                  DecimalsUse use);

// Every setting of the record, in record order (reserved bytes excluded).
PARVEX_CORE_API std::span<const Parameter> Parameters();

// The setting of a member, by name, or by its build-log path.
PARVEX_CORE_API const Parameter *FindParameter(const ParamMember &member);
PARVEX_CORE_API const Parameter *FindParameter(std::string_view name);
PARVEX_CORE_API const Parameter *FindParameterByPath(std::string_view path);

// The place that names the setting in BuildLog.xml's element tree, without
// the FOCDATA root: "MOTORANDHW/MOTORCHARACTERISTICS/R". A setting shown in
// several groups is named by its first place.
PARVEX_CORE_API std::string_view PathOf(const Parameter &parameter);

// The other member of a main/auxiliary pair, or null.
PARVEX_CORE_API const Parameter *TwinOf(const Parameter &parameter);

// The member of the twin of `member` (same type), or null.
template <class M>
M TwinMember(M member) {
  const Parameter *p = FindParameter(ParamMember(member));
  const Parameter *t = p ? TwinOf(*p) : nullptr;
  if (!t)
    return nullptr;
  const M *m = std::get_if<M>(&t->member);
  return m ? *m : nullptr;
}

} // namespace parvex
