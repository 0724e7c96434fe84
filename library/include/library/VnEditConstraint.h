// Typed input rules for single-line edit boxes, written as constraint specs
// such as "%i{n1x4094l4}": a "%", a type letter of "fhinsu" (type n followed
// by its delimiter character), then items in braces:
//   n<number> minimum, x<number> maximum,
//   l<digits>[a][f][n] maximum length (also the edit's MaxLength) with the
//     flags auto-advance, exact length (or count), not empty,
//   w<digits> width, e<char> cut character, Z custom check (no effect),
//   r (type n only) a number of the list may be a range "a-b",
//   I Im I6 I6m M Mm Mu address kinds.
// The edit's change event becomes a character filter and its exit event a
// check whose failure shows a message box, restores the last valid text and
// keeps the focus in the edit. The edit's own handlers are kept and called.
// Both judge only what the user typed: a text the program puts into the
// edit (a value read from the device) is shown whole, is not checked when
// the user passes through the edit, and becomes the text a refused entry
// goes back to.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/AnsiString.h"
#include "platform/Closure.h"

class TEdit;
class TList;
class TObject;
class TWinControl;

// Flags of a constraint record.
enum : std::uint16_t {
  EC_AUTO_ADVANCE = 1,  // l...a: move on when the edit is full
  EC_EXACT = 2,         // l...f: exact length, or exact count for type n
  EC_NOT_EMPTY = 4,     // l...n: the value must not be empty
  EC_RANGES = 8,        // r: type n, a number may be a range "a-b" going up
};

// Address kinds of a constraint record (0: none).
enum : std::uint8_t {
  EC_ADDR_NONE = 0,
  EC_ADDR_IPV4 = 1,         // I
  EC_ADDR_MCAST_IPV4 = 2,   // Im
  EC_ADDR_IPV6 = 3,         // I6
  EC_ADDR_MCAST_IPV6 = 4,   // I6m
  EC_ADDR_MAC = 5,          // M
  EC_ADDR_MCAST_MAC = 6,    // Mm
  EC_ADDR_UNICAST_MAC = 7,  // Mu
};

// The rule of one edit.
struct _EditConstraint_s {
  TEdit* Edit = nullptr;
  char Type = 0;       // one of "fhinsu"
  char Delimiter = 0;  // type n only
  double Minimum = 0;
  double Maximum = 0;
  std::int32_t Length = 0;  // 0: no limit
  bool CustomCheckFlag = false;
  std::uint8_t AddressKind = EC_ADDR_NONE;
  bool (*CustomCheck)(TEdit*) = nullptr;  // reserved; always null
  std::uint16_t Flags = 0;
  char CutChar = 0;  // 0: none
  // What a refused entry goes back to: the last text that passed the exit
  // check or that the program put into the edit, whichever came last.
  AnsiString LastValidText;
  TNotifyEvent SavedOnChange;
  TNotifyEvent SavedOnExit;
};

class VnEditConstraint {
 public:
  // window: owner of the message boxes and receiver of the focus moves.
  // rememberValid: a text that passes the exit check becomes the edit's last
  // valid text.
  VnEditConstraint(TWinControl* window, bool rememberValid);
  VnEditConstraint(const VnEditConstraint&) = delete;
  VnEditConstraint& operator=(const VnEditConstraint&) = delete;
  // Frees the records; the edits keep the handlers installed here, so an
  // owner that keeps an edit alive calls Remove for it first.
  ~VnEditConstraint();

  void SetWindow(TWinControl* window) { window_ = window; }
  TWinControl* Window() const { return window_; }

  // Parses the spec and takes over the edit's change and exit events. A
  // second spec for the same edit replaces the rule and keeps the handlers
  // saved by the first. A bad spec raises Exception with the bad-format text
  // and help context -2 (a malformed number raises EConvertError); nothing
  // is stored then.
  void Add(const AnsiString& spec, TEdit* edit);
  // A plain concatenation of specs, the k-th for the k-th edit of the list.
  void AddFormat(const AnsiString& format, TList* edits);
  // Gives the edit back the handlers it had before its first Add and drops
  // its record; nothing for an edit without a record.
  void Remove(TEdit* edit);
  // Drops the record of an edit that is being destroyed, without touching it.
  void Forget(const void* edit);
  _EditConstraint_s* Find(TEdit* edit) const;
  int Count() const { return static_cast<int>(records_.size()); }
  void SaveValidText(TEdit* edit);

  // The installed handlers; Sender is the edit. A change the user made
  // (the edit's Modified is set) is filtered; a change by the program only
  // becomes the last valid text. The exit check runs while Modified is set.
  void EditChange(TObject* Sender);
  void EditExit(TObject* Sender);

  // What the handlers decide on a text, without an edit. The change filter
  // takes out one character per step: the first cut character, else the
  // first character the type does not allow.
  enum class FilterStep { Passed, Cut, Rejected };
  static FilterStep FilterOnce(const _EditConstraint_s& r, AnsiString& text);
  // The message of a failed exit check, or "" when the text passes.
  AnsiString ExitMessage(const _EditConstraint_s& r, const AnsiString& text) const;

  // Default bounds of type f, the whole range of a double.
  static constexpr double kFloatMin = -1.7976931348623157e+308;
  static constexpr double kFloatMax = 1.7976931348623157e+308;

 private:
  // ExitMessage of a text that is not empty.
  AnsiString CheckText(const _EditConstraint_s& r, const AnsiString& text) const;
  void PostNextControl() const;
  // Writes the filtered text back: the nested change event it fires is
  // still the user's edit, and the edit stays modified.
  void WriteBack(TEdit* edit, const AnsiString& text);

  TWinControl* window_;
  bool remember_;
  const TEdit* rewriting_ = nullptr;  // the edit WriteBack is writing to
  std::vector<std::unique_ptr<_EditConstraint_s>> records_;
};

// The text of an edit-check message (table of edit-check texts, from 0).
AnsiString EditCheckText(int entry);
