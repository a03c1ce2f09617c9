// A page described as data: its group boxes and its controls, each with the
// record member it edits, when it is shown, and where Tab leads. CTORVIOPropertyPage builds the
// widgets, the loading, the commits, the tooltips and the Tab handlers from
// these tables; a page keeps only what is truly its own. Tables are built by
// functions, so a page that mirrors another on other members (the auxiliary
// speed feedback pages) passes its own members in.
#pragma once

#include "ParamRef.h"

#include <functional>
#include <vector>

enum class ControlKind {
  Field,            // NumericField bound to an IntParam, SignedIntParam or RealParam
  CheckBox,         // flag = 1 when ticked
  InvertedCheckBox, // flag = 0 when ticked ("Manual editing enabled")
  Radio,            // flag = 1, the other flags of its group = 0
};
// What a commit writes, whether the consistency check follows, and when the
// control is enabled are the model's rules for the member (parvex/Edits.h);
// what a page shows after it follows from the settings that changed.

// Tab target meaning the page window itself.
constexpr int kPageItself = -1;

// Predicates may capture the members they read, so that mirrored pages share
// one table function.
using RecordPredicate = std::function<bool(const UserData &)>;

// Where a group box sits: in the page grid or inside another box.
struct GroupLayout {
  const char *key;    // how controls name the group
  const char *title;  // shown caption; empty for a frame without one
  const char *parent; // enclosing group's key, or nullptr for the page
  int row = 0;
  int column = 0;
  int rowSpan = 1;
  int columnSpan = 1;
};

struct ControlEntry {
  int id = 0;
  ControlKind kind = ControlKind::Field;
  const char *label = ""; // text beside a field, or the button's text
  const char *group = nullptr;
  ParamRef param{};                      // fields
  FlagMember flag = nullptr;             // buttons
  RecordPredicate visibleWhen = nullptr; // null: always shown
  // First enabled and shown candidate takes the focus (the last one when
  // none is); empty lists leave Tab to the ordinary focus chain.
  std::vector<int> tabNext = {};
  std::vector<int> tabPrev = {};
  int row = 0; // cell in the group's grid; a field and its label take two columns
  int column = 0;
  const char *accessibleName = nullptr; // when the label alone names nothing (gain rows)
  int description = 0;                  // string id prefixed to the limits tooltip, 0 for none
  int widthChars = 8;                   // digits the field is sized for
  // A field's label ends in its setting's unit from the registry, "(V)",
  // unless the label says it in words or a picture beside the field does.
  bool unitShown = true;
  // Words after the unit in the parentheses: "(A 0-peak)".
  const char *unitNote = nullptr;
};

struct PageTable {
  std::vector<GroupLayout> groups;
  std::vector<ControlEntry> controls;
  // The page grid's row and column that take extra room (none when -1), so
  // that the frames stay together at the top left.
  int stretchRow = -1;
  int stretchColumn = -1;
  // The focus order of the page's controls for the ordinary Tab, including
  // the controls the page adds itself; empty: the controls above in order.
  // A field keeps Tab for itself and moves by its tabNext and tabPrev.
  std::vector<int> tabOrder;
};
