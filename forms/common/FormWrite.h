// One write of a feature form, whose answer decides what the form shows
// next, and what the user typed around it.
//
// A form empties its fields, or reads again, only once the switch has taken
// what it wrote; when the switch refuses the write, does not answer, or the
// write cannot be sent, the fields hold what the user left in them, for a
// correction.
//
//   void TSomeForm::SetClick(TObject*) {
//     if (!ReadyToWrite()) return;                               // the form's own checks
//     if (!WriteTaken(Request, [&] { Request->Set(kSetFromControls); },
//                     [this](const AnsiString& m) { ShowFailure(m); }))
//       return;                                                  // shown; the fields stay
//     ClearEntryFields();                                        // taken: the form moves on
//     Request->Get();
//   }
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "platform/AnsiString.h"

class TControl;
class VnSNMPRequest2Edits;

// What a form's fields hold at one moment: the texts of edits, the choices
// of combo boxes and the ticks of check boxes (a port frame's boxes among
// them) bound to a request, and those of the form's own fields no binding
// holds. PutBack gives every field what it held then. The controls outlive
// the object, or PutBack is not called.
class TTypedFields {
 public:
  TTypedFields(const VnSNMPRequest2Edits& request, const std::vector<TControl*>& own = {});

  // Every field that holds something else now gets back what it held.
  void PutBack() const;

 private:
  struct TField {
    TControl* Control;
    AnsiString Text;
    int Index;
    bool Checked;
    bool Modified;
  };
  void Note(TControl* control);
  std::vector<TField> fields_;
};

// True when the request has an item the user typed (ItemTyped): something
// to keep.
bool AnyFieldTyped(const VnSNMPRequest2Edits& request);

// One write: `send` makes it (a Set, with whatever the form leaves out of
// it), and the answer is awaited while messages are pumped (TAwaitedSet).
// True when the switch took it (a synchronous Set that returned). False when
// it refused the write or did not answer (the request has shown that as its
// status line, and reads a table again by itself), when `send` raised (its
// message goes to `fail`), or when the request was released meanwhile. On
// every false, with the request still there, the fields bound to it and the
// form's `own` fields hold again what they held before `send` (the row
// status it chose for a Delete goes back too).
bool WriteTaken(std::unique_ptr<VnSNMPRequest2Edits>& request, const std::function<void()>& send,
                const std::function<void(const AnsiString&)>& fail,
                const std::vector<TControl*>& own = {});
