// A request bound to user-interface controls: runs Get and Set synchronously
// or asynchronously, walks tables row by row, and reports the outcome as a
// status line in a memo, a status bar or a status-bar panel, or otherwise in
// a message box. Subclasses move the values between the variable list and
// their controls through the hooks.
#pragma once

#include <cstdint>
#include <memory>

#include "library/VnRequestOrder.h"
#include "library/VnSNMPError.h"
#include "library/VnSNMPRequest.h"
#include "platform/AnsiString.h"
#include "platform/Closure.h"

class OctetStr;
class TComponent;
class TMemo;
class TObject;
class TStatusBar;
class TStatusPanel;
class TStrings;
class TWinControl;

class VnSNMPRequest2Controls;

// Fired when an asynchronous Get or Set has ended or failed: the request and
// the completion record (Number 0 on success).
using VnRequestDoneEvent = TClosure<void(VnSNMPRequest2Controls*, const VnSNMPError&)>;
// Fired when the request has become idle: nothing of it is out or owed any
// more, however its operations ended (answered, refused, timed out, failed
// at the send, stopped).
using VnRequestIdleEvent = TClosure<void(VnSNMPRequest2Controls*)>;

// Which status format ShowRequestStatus fills.
enum : std::uint32_t { STATUS_KIND_GET = 0, STATUS_KIND_SET = 1 };

// How VnSNMPRequest2Controls::Set writes.
struct VnSetOptions {
  // A table list is read once after a successful SET.
  bool getAfterSet = false;
  // The subclass first copies its controls into the list (DoSetValues);
  // otherwise the list's values (or the values given) are sent as they are.
  bool valuesFromControls = false;
};

// The four ways a Set goes out.
inline constexpr VnSetOptions kSetFromControls{.getAfterSet = false, .valuesFromControls = true};
inline constexpr VnSetOptions kSetFromControlsThenRead{.getAfterSet = true,
                                                       .valuesFromControls = true};
inline constexpr VnSetOptions kSetListValues{.getAfterSet = false, .valuesFromControls = false};
inline constexpr VnSetOptions kSetListValuesThenRead{.getAfterSet = true,
                                                     .valuesFromControls = false};

class VnSNMPRequest2Controls {
  // What is out and what is owed: the request's one record of its work
  // (first, as Busy reads it).
  VnRequestOrder order_;

 public:
  // owner: the parent window of the error message boxes.
  explicit VnSNMPRequest2Controls(TWinControl* owner);
  VnSNMPRequest2Controls(const VnSNMPRequest2Controls&) = delete;
  VnSNMPRequest2Controls& operator=(const VnSNMPRequest2Controls&) = delete;
  // Stops the request and waits (pumping messages, at most 6,000 ms) for its
  // outstanding asynchronous calls; their completions are dropped.
  virtual ~VnSNMPRequest2Controls();

  // The status target: one for all three kinds, the last setter wins.
  void SetStatusMemo(TMemo* memo);
  void SetStatusBar(TStatusBar* bar);
  void SetStatusPanel(TStatusPanel* panel);

  // Reads the variable list into the hooks: one GET for a scalar list, a
  // GETNEXT walk for a table list. Synchronous failures are raised as
  // Exception (message and help context of the library error). One
  // asynchronous read at a time, and none while a write of this request is
  // out: asked meanwhile, Get reads once more after that read has ended, or
  // after the writes out have been answered or timed out (several such asks
  // make one read, which is made asynchronously); the controls are emptied
  // (DoGetBegin) when it starts. A read that starts goes out whether or not
  // the request was stopped before.
  void Get();
  // Writes the variable list. indexList (item indexes separated by ",")
  // restricts the SET to those items, taking their values from `values`
  // when given; an empty list means every writable item. With
  // valuesFromControls the subclass first reads its controls (DoSetValues).
  // With getAfterSet a table list is read once after a successful SET; a
  // table list is read again after a SET that failed or timed out (the
  // device may hold it all the same). The request stays Busy until that
  // read has ended.
  // An asynchronous read of this request still running when the SET goes
  // out was sent before it: its answer would put the old values back on the
  // screen. It is stopped there (nothing more of it is shown, no end hook,
  // no OnGetDone) and made again once the SET has ended. A read that a
  // write owes is one read with any other asked meanwhile, and is skipped
  // when a read starts before it (that read shows the write). After a
  // failed SET that read shows no "Ok!", so the failure stays the last word.
  // The status line of an asynchronous SET names the list as its Description
  // stood when the SET went out. When a write of the request fails, the
  // request's last status line once it is idle again is that failure (or a
  // later one), whatever ends well after it.
  void Set(VnSetOptions options, const AnsiString& indexList = "", TStrings* values = nullptr);
  // The user's Stop: the running read ends with the answer it has in
  // flight (a walk after the row in hand, with its end hook, "Ok!" and
  // OnGetDone), and the request sends nothing more of it. A read owed
  // while no write is out is not made. A write out cannot be called back:
  // it ends when its answer or its time-out comes, and the read it owes is
  // made then, so that once idle the controls show what the device holds
  // after the write. The next Get or Set goes out as usual.
  void Stop();
  // Stop came after the last Get or Set started (nothing has started since).
  bool Stopped() const { return !Request.Active; }
  // Stops the running asynchronous read before a write that its answer could
  // undo, as a page does before it lends its controls to a dialog: Active is
  // cleared and messages are pumped for at most waitMs while the reply in
  // flight may come (a walk ends with that row), then whatever still runs is
  // dropped, and Active is set again for the write. The read did not
  // complete: it ends with the end hook and OnGetDone but no "Ok!". The
  // caller reads again after its write. False when this object was destroyed
  // while messages were pumped.
  bool StopReadForWrite(unsigned waitMs);

  // Writes one status line with the text in place of "[ERROR]"; nothing
  // without a status target. A text other than "Ok!" is a failure's line.
  void ShowRequestStatus(const AnsiString& text);

  // What is out and owed now (for diagnostics and tests).
  const VnRequestOrder& Order() const { return order_; }

  // Raw bytes of value texts and of parts inside them.
  static OctetStr ValueToOctets(const AnsiString& text, std::uint32_t syntax);
  static OctetStr GetPartOctets(const OctetStr& bytes, std::uint32_t offset, std::uint32_t syntax);
  static AnsiString OctetsToValue(const OctetStr& bytes, std::uint32_t syntax);

  // Reads as a bool: true while a read runs, a write is out, a synchronous
  // operation runs or a read is owed (a SET whose read after it has not
  // ended yet). The request's record says it; nobody sets it.
  class BusyFlag {
   public:
    operator bool() const { return order_.Busy(); }  // NOLINT: reads as the flag
    BusyFlag& operator=(const BusyFlag&) = delete;

   private:
    friend class VnSNMPRequest2Controls;
    explicit BusyFlag(const VnRequestOrder& order) : order_(order) {}
    const VnRequestOrder& order_;
  };

  VnSNMPRequest Request;
  VnRequestDoneEvent OnGetDone;
  VnRequestDoneEvent OnSetDone;
  // Once each time the request becomes idle (see VnRequestIdleEvent): a
  // form that locks its buttons while its request works unlocks them here.
  VnRequestIdleEvent OnIdle;
  // Asynchronous (the default); false sends synchronously.
  bool AsyncMode = true;
  const BusyFlag Busy{order_};
  TWinControl* Owner = nullptr;
  // Rows delivered by the last Get.
  std::uint32_t RowCount = 0;
  // A TMemo, TStatusBar or TStatusPanel, or null; another class gets nothing.
  TObject* StatusTarget = nullptr;
  std::uint32_t StatusKind = STATUS_KIND_GET;
  // Optional producer of a row condition: RowFilterText with its "#"
  // references expanded against this request's items. Not owned.
  VnSNMPRequest* RowFilterSource = nullptr;
  AnsiString RowFilterText;

 protected:
  virtual void DoGetBegin() {}
  virtual void DoSetBegin() {}
  // Once per delivered row, with the row's values in the variable list.
  virtual void DoGetRow() = 0;
  // Copies the controls into the variable list.
  virtual void DoSetValues() {}
  virtual void DoGetError(const VnSNMPError& error);
  virtual void DoSetError(const VnSNMPError& error);
  // The read failed as a whole (an error status, a time-out, a send that
  // raised) before it delivered a row: nothing the controls show came from
  // it. Called before the failure is reported. `keepTyped`: the read is the
  // request's own after a write of its round failed, which leaves what the
  // user typed.
  virtual void DoGetLost(bool keepTyped) { static_cast<void>(keepTyped); }
  virtual void DoGetEnd() {}
  virtual void DoSetEnd() {}
  // Last check before a SET goes out, with the index list and value strings
  // of the Set; may raise to keep it from being sent.
  virtual void CheckBeforeSet(const AnsiString& indexList, TStrings* values);
  // A component registered with WatchComponent is being destroyed.
  virtual void ComponentGone(TComponent* component);
  // Asks to be told (ComponentGone) when the component is destroyed.
  void WatchComponent(TComponent* component);
  void UnwatchComponent(TComponent* component);

  bool IsTableList() const;
  // Shows an error text: a status line when there is a target, else a
  // message box over the owner captioned with the program's file name.
  // A box asked for inside a completion or a walk's row opens once the loop
  // has its turn again, so that other replies go on being taken meanwhile.
  void ShowError(std::uint32_t kind, const AnsiString& text);

 private:
  class Watcher;
  // Shared with the completions in flight; self is cleared when this object
  // goes, so that a late completion finds nobody.
  struct Life {
    VnSNMPRequest2Controls* self;
  };
  using Mode = VnRequestOrder::Mode;
  using Voice = VnRequestOrder::Voice;

  AnsiString GetRowFilter() const;
  // The error box of ShowError, over the owner.
  void ShowErrorBox(const AnsiString& text);
  // Delivers the row when both row conditions hold; false when this object
  // was destroyed meanwhile (a form may close while a row is shown).
  bool DeliverRow(const AnsiString& condition);
  // A read, asked for: it starts now, or is owed (and then starts, always
  // asynchronously, once nothing stands before it). A quiet read's success
  // shows no "Ok!".
  void Read(Mode mode, Voice voice);
  void ReadSynchronously();
  void SetSynchronously(bool getAfterSet, const AnsiString& indexList, TStrings* values);
  VnSNMPCompletion ReadCompletion(VnRequestOrder::ReadId read);
  VnSNMPCompletion WriteCompletion(bool getAfterSet);
  void GetCompleted(VnSNMPError& error, VnRequestOrder::ReadId read);
  // The running asynchronous read failed: it ends, reported with the record.
  void ReadFailed(VnSNMPError& error);
  // A write failed before any answer: its send raised (or, synchronous, it
  // was refused or timed out); the caller hears the failure.
  void WriteEnded(Mode mode, VnRequestOrder::After after, const AnsiString& failure);
  // sent: the list's description when the write went out.
  void SetCompleted(VnSNMPError& error, bool getAfterSet, const AnsiString& sent);
  // Delivers a row of the running walk, its next step sent ahead of it,
  // before even the row's index is read into the index items. True when the
  // walk ends with this row (Active was cleared); false when it goes on, or
  // has ended meanwhile, or failed on the row's index (reported with
  // `record`), or this object was destroyed during the row.
  bool DeliverWalkRow(const VnSNMPError& record, VnRequestOrder::ReadId read);
  // The end of the running asynchronous read, reported with the record; what
  // it still has out is taken back.
  void EndRead(const VnSNMPError& record, Voice voice);
  // The record of a read that ended with faults (the request's ReadFaults):
  // their first number and the text that names them.
  VnSNMPError WithReadFaults(const VnSNMPError& record) const;
  // Takes back from the SNMP layer what a read that ended had out.
  void TakeBack(VnRequestOrder::Exchange exchange) { Request.Withdraw(exchange); }
  // After every end: starts the read owed when nothing stands before it any
  // more (asynchronously; an error starting it goes to the status line), and
  // when the request has just become idle, ends the round: a write's failure
  // is shown again if a line that is no failure came after it, and OnIdle
  // is fired.
  void Settle();
  // The same from the event loop, once the caller of a synchronous
  // operation has returned to it: the marks its SET left out items with are
  // off by then, and the read asks for what it asked for before.
  void SettleSoon();

  AnsiString condition_;  // controls-side condition of the running Get
  // A walk's row is being delivered, its next step already out.
  bool rowInHand_ = false;
  std::shared_ptr<Life> life_;
  std::unique_ptr<Watcher> watcher_;
};
