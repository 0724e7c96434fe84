// What every feature form repeats, written once: the busy answer, captions
// and screen scaling, request construction, the stop-wait-delete protocol of
// the close handlers, saving and restoring access words around a SET, the
// colouring of value edits that a selector switches off, focus after an input
// error, port frames, and a few list-view and combo-box chores.
//
// A form keeps its own fields (`Request`, its frames) and calls these helpers
// from its handlers; nothing here holds state of a form.
//
// Busy or idle: a form asks its requests (`Request->Busy`, or FormIdle over
// all of them). A request keeps that itself from the start of a Get or Set to
// its end, on every path (synchronous return, asynchronous completion,
// refusal, time-out, a send that raises, Stop), and tells the form once it is
// idle again (OnIdle): a form that locks buttons while its request works
// unlocks them there. No form counts its own idle flag, so none can be left
// set by a path nobody thought of. TSharedIdleFlags (pages/FormHost.h) stays
// for the two modal port capability forms, which share their flags through
// the main window.
//
//   std::unique_ptr<VnSNMPRequest2Edits> Request;   // owned by the form
//
//   void TSomeForm::FormCreate(TObject*) {
//     Request = NewFormRequest(this, SomeTable, VnItemType::MVT_FMV, 1);
//     ...bindings...
//     Request->SetStatusMemo(Memo1);
//     RefreshClick(nullptr);
//   }
//   void TSomeForm::SetClick(TObject*) {
//     if (!FormIdle({Request.get()})) return;              // "Get data not complete"
//     if (edtName->Text().IsEmpty()) { InputError("...", edtName); return; }
//     TSavedAccess saved(*Request);                          // restored on every path
//     saved.Invalidate(3);
//     Request->Set(kSetFromControls);
//   }
//   void TSomeForm::FormClose(TObject*, TCloseAction& Action) {
//     StopWaitDelete(Request);
//     Action = caFree;
//   }
#pragma once

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <utility>
#include <vector>

#include "platform/AnsiString.h"

class TComboBox;
class TControl;
class TCustomForm;
class TEdit;
class TListView;
class TMemo;
class TStackingPortUitForm;
class TStatusBar;
class TWinControl;
class VnSNMPRequest;
class VnSNMPRequest2Controls;
class VnSNMPRequest2Edits;
struct VnSetOptions;
class VnSNMPVarList;
struct VnSNMPVarDesc;
enum class VnItemType : std::uint8_t;

// ---- texts shared by many forms -------------------------------------------

inline constexpr const char* kGetDataNotComplete = "Get data not complete";
inline constexpr const char* kRowCreateAndGo = "createAndGo";  // row status 4
inline constexpr const char* kRowDestroy = "destroy";          // row status 6
inline constexpr const char* kDefaultModel = "KXR-5810";

// ---- busy flag --------------------------------------------------------------

// True when idle (`requestIdle` != 0: a form's RequestIdle, or its request
// not Busy). Otherwise shows `message` (none when null) and returns false.
bool CheckRequestIdle(std::uint8_t requestIdle, const char* message = kGetDataNotComplete);

// The refuse kind of close query: while a request exists and RequestIdle is 0,
// CanClose := false and "Get data not complete" is shown.
void RefuseCloseWhileBusy(const void* request, std::uint8_t requestIdle, bool& CanClose);

// True when none of the requests (null ones count as idle) is busy.
// Otherwise shows `message` (none when null) and returns false.
bool FormIdle(std::initializer_list<const VnSNMPRequest2Controls*> requests,
              const char* message = kGetDataNotComplete);
// The refuse kind of close query over a form's requests: while one is busy,
// CanClose := false and "Get data not complete" is shown.
void RefuseCloseWhileBusy(std::initializer_list<const VnSNMPRequest2Controls*> requests,
                          bool& CanClose);

// ---- construction -----------------------------------------------------------

// The caption a menu handler gives a feature form: title + the device address.
AnsiString FeatureCaption(const AnsiString& title);

// Width and Height times 1.25 (truncated) when the screen is not 96 pixels
// per inch; call from the constructor after the components are built.
void ScaleFormForScreen(TCustomForm* form);

// A request owned by `owner` (the form) over the descriptor table with the
// item type and index-column count; asynchronous unless `synchronous`.
std::unique_ptr<VnSNMPRequest2Edits> NewFormRequest(TWinControl* owner, const VnSNMPVarDesc* table,
                                                    VnItemType itemType, int keyCount,
                                                    bool synchronous = false);

// Rebuilds the request's variable list from the table (a temporary list
// assigned to it); with a non-empty `instance`, ".instance" is appended to
// every OID (VnItemType::MVT_SV: the row of one port, for example).
void ReloadVarList(VnSNMPRequest& request, const VnSNMPVarDesc* table, VnItemType itemType,
                   int keyCount, const AnsiString& instance = "");

// ---- closing ------------------------------------------------------------------

// The request's Stop, then messages are pumped while it is busy (a write out
// and the read it owes end), for at most `limitMs` (a silent device cannot hold a form open for
// ever: the request's destructor cancels what is still outstanding). Null is fine.
void StopAndWait(VnSNMPRequest2Controls* request, unsigned limitMs = 6000);

// StopAndWait, then the request is deleted and the pointer nulled.
template <class R>
void StopWaitDelete(std::unique_ptr<R>& request) {
  StopAndWait(request.get());
  request.reset();
}

// ---- access words -------------------------------------------------------------

// Saves every item's access word of a request's list when constructed and
// writes them back in Restore() or, at the latest, in the destructor (so also
// when the SET raises). Invalidate(i) sets item i to 32: left out of the next
// SET and read. The list must keep its item count meanwhile.
class TSavedAccess {
 public:
  explicit TSavedAccess(VnSNMPRequest2Controls& request);
  explicit TSavedAccess(VnSNMPVarList& list);
  ~TSavedAccess();
  TSavedAccess(const TSavedAccess&) = delete;
  TSavedAccess& operator=(const TSavedAccess&) = delete;

  void Invalidate(int item);
  // Every item except those listed := 32.
  void InvalidateAllBut(const std::vector<int>& keep);
  // Writes the saved words back now (once; later calls do nothing).
  void Restore();
  std::uint32_t Saved(int item) const;

 private:
  VnSNMPVarList* list_;
  std::vector<std::uint32_t> words_;
  bool restored_ = false;
};

// Items first..last of the request's list := `access` (32: left out of the
// next SET and read).
void SetAccess(VnSNMPRequest2Controls& request, int first, int last, std::uint32_t access);

// One SET of the request's items from the controls, the saved words written
// back, then a read of the whole list. The words are written back also when
// the SET raises; then `failure` gets the message and the result is false.
bool WriteAndReread(VnSNMPRequest2Controls& request, TSavedAccess& saved, AnsiString& failure);

// One SET of a form that writes several in a row: a SET whose every item is
// left out (a ticked setting whose value the form cannot write, say) is not
// sent; the request's status line says so, the result is false, and the
// writes after it go on. Other failures are raised as Set raises them.
bool SetUnlessEmpty(VnSNMPRequest2Controls& request, const VnSetOptions& options);

// ---- controls -----------------------------------------------------------------

// A value edit switched off by a selector: emptied, disabled, clScrollBar.
void DisableValueEdit(TEdit* edit);
// Switched on again: enabled, clWindow.
void EnableValueEdit(TEdit* edit);

// Gives the control the focus when it can take it.
void FocusIfPossible(TWinControl* control);
// ShowMessage(message), then the focus to `control` when it can take it.
void InputError(const AnsiString& message, TWinControl* control);

// ---- the form's own checks ------------------------------------------------------
//
// A form's checks judge what the user changed since the field last showed a
// value: a value the switch holds, left alone, is no input of the user's. It
// goes back as the switch holds it (or stays out of the write where the form
// leaves untouched values out), however the check would judge it, and never
// keeps the fields the user changed from being written. A combination of
// fields is judged once the user changed one of its parts.
//
//   if (FieldEntered(Request.get(), edtMac) && !ValidateMacInput(edtMac->Text())) ...
//   if (AnyFieldEntered(Request.get(), {cbxType, edtAddress}) && !AddressFitsType()) ...
//
// A form whose add dialog fills no row of the list judges the whole entry
// itself (`adding || FieldEntered(...)`).

// True when the check is to judge the item's value: the request's list view
// has no row selected (a new entry, judged whole), or a control bound to the
// item no longer holds what it held right after the item was last shown, or
// has shown nothing yet (ItemChanged).
bool ItemEntered(const VnSNMPRequest2Edits& request, int item);
// The same for a field: one bound to the request as its item; an edit no
// binding holds once the user typed into it (its Modified flag); any other
// control always. A null request binds nothing.
bool FieldEntered(const VnSNMPRequest2Edits* request, const TControl* field);
// True when FieldEntered holds for one of the parts of a combination.
bool AnyFieldEntered(const VnSNMPRequest2Edits* request,
                     std::initializer_list<const TControl*> parts);

// A handler's failure as a new line of the memo / panel 0 of the status bar
// (its simple text when it has no panels).
void ShowFailureInMemo(TMemo* memo, const AnsiString& message);
void ShowFailureInStatusBar(TStatusBar* bar, const AnsiString& message);
// Inside a catch block: the message of the exception being handled (a
// platform Exception or a std::exception).
AnsiString CurrentMessage();

// Set from the controls as with no row selected, except that `item` (an
// index column without a control) takes `value`.
void SetControlsWith(VnSNMPRequest2Edits& request, int item, const AnsiString& value,
                     bool getAfterSet);

// Makes the bar the request's status target where the bar shows it: panel 0
// of a bar with panels, else its simple text (a bar without panels is put
// into simple mode, which draws that text). "Ok!" and every error of the
// request are then seen where the handlers' failures are.
void SetStatusTargetShown(VnSNMPRequest2Controls& request, TStatusBar* bar);

// Item index of the text in the combo box (-1 when absent).
int ComboIndexOf(TComboBox* combo, const AnsiString& text);
// Selects the item with the text; false (selection unchanged) when absent.
bool SelectComboText(TComboBox* combo, const AnsiString& text);
// The text of the selected item; empty with no selection.
AnsiString ComboText(TComboBox* combo);

// ---- list views -----------------------------------------------------------------

// The list view's row count as decimal text into the control (label, static
// text or edit): the "Samples" count.
void ShowRowCount(TListView* listView, TControl* countControl);

// Text of a cell: column 0 is the row's caption, column c > 0 its sub-item
// c - 1 (empty when the row has fewer).
AnsiString ListCellText(TListView* listView, int row, int column);

// True when some row has every given (column, text) pair: the duplicate-key
// test of the Add handlers. Texts are compared exactly.
bool ListViewHasRow(TListView* listView, const std::vector<std::pair<int, AnsiString>>& cells);

// The column whose header is `caption` (-1 when none).
int ColumnOf(TListView* listView, const AnsiString& caption);

// The click handler of the request's list view runs as well each time the
// request has put a newly selected row into the bound controls, whether the
// pointer, the keys or code chose it, so that what it fills or switches (key
// edits, the port, the row buttons) always goes with the row drawn selected.
// A click still runs it as before (so twice when it moves the selection: the
// handler must set what it sets from the selection alone). Call after
// AttachListView, with the handler set.
//
//   Request->AttachListView(ListView1, true);
//   ...bindings...
//   ClickFollowsSelection(*Request);   // ListView1Click fills the port
void ClickFollowsSelection(VnSNMPRequest2Edits& request);

// ---- port frames ------------------------------------------------------------------

// "0,1,2,...,31": the element-index list that binds a frame's 32 boxes.
AnsiString PortElementList(int count = 32);

// Builds one port frame: a grid owned by `owner`, parented into `host` with
// alClient and shown; `units` unit pages ("Unit1".."UnitN", 32 boxes each,
// `perRow` per line), and unit 1 showing GetPortCount("KXR-5810") ports. The
// owner frees the grid (and its lists) when it goes; a form may delete it
// earlier.
TStackingPortUitForm* CreatePortFrame(TCustomForm* owner, TWinControl* host, int perRow = 12,
                                      int units = 1);

// The ticks of the frame's port boxes in order (none without a frame): kept
// after a read, they tell which boxes the user changed since.
std::vector<bool> PortTicks(TStackingPortUitForm* frame);

// Per-unit record of the trunk, mirror and port-security forms.
struct TStackUnitRecord {
  int Unit = 1;
  int PortCount = 0;
  AnsiString Model;
};
// One record: unit 1, GetPortCount("KXR-5810") ports, "KXR-5810".
std::vector<TStackUnitRecord> MakeUnitRecords();

// ---- pumping ------------------------------------------------------------------------

// Processes messages for about `ms` milliseconds (virtual time in tests
// advances through the platform clock).
void PumpFor(unsigned ms);
