// The fields the checker changes as the user does, and what it types: every
// edit of every writable variable, every option of each choice, every box
// of a port grid.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "FormChecker.h"
#include "FormModel.h"

class TControl;
class TEdit;

namespace formcheck {

// A control the checker may change, bound to item `Item` of request
// `Request`: element `Element` of a port list (-1 otherwise), the byte
// `PartOffset` of a part binding (-1 otherwise); for a combo box the option
// `Option` to choose (-1: any other than the one shown).
struct TField {
  std::size_t Request = 0;
  int Item = 0;
  TControl* Control = nullptr;
  int Element = -1;
  int PartOffset = -1;
  std::uint32_t PartSyntax = 0;
  int Option = -1;
};

// What to enumerate.
enum class TFieldSet : std::uint8_t {
  First,   // the first control of each writable variable
  Every,   // every control of every writable variable: each edit, each box of a grid
  Options  // each option of each combo box, one field per option
};

std::vector<TField> FieldsToChange(const TOpen& open, const TFormModel& model,
                                   TFieldSet set = TFieldSet::First);

// A text the edit's rule (or else the variable's syntax) takes that differs
// from what it shows; the entry's own texts where it gives them.
std::string OtherText(const TEntry& entry, const TOpen& open, const TField& f, const TItem& item,
                      TEdit* edit);

// Types the text into the edit as the user does: focus, select all, the
// text, Tab out.
void TypeInto(TEdit* edit, const std::string& text);

// Changes the field as the user does; what was done, or empty when the
// control cannot be changed now (hidden, disabled, read-only, one choice
// only, the option asked for is the one shown). `typed` gets the text
// typed or chosen.
std::string Change(const TEntry& entry, const TOpen& open, const TField& f, const TItem& item,
                   std::string* typed = nullptr);

// Ticks the box that stands before the field on its row where a form or a
// page writes the field only while its box is ticked (a box bound to no
// variable, left of the field, across its middle; or so before the panel
// that holds the field), as the user does who changes the field.
void TickOwnBox(const TOpen& open, TControl* field);

// The item a field is bound to.
const TItem& FieldItem(const TFormModel& model, const TField& f);

}  // namespace formcheck
