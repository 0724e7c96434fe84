// The rows of a list form and what stands beside them, agreeing at every
// step: the row count is the rows listed, the buttons that act on a row (and
// the key fields a row locks) follow whether a row is selected, and with no
// row selected the fields are those of a new entry unless the user typed
// them.
//
// A read takes the rows, and with them the selection, away without a
// selection event or a change the count hears of, and the read a failed
// write owes ends after the handler that wrote. So the count and the row
// state follow the list whenever the request has become idle (however its
// read or write ended), whenever the list changes, and at every click.
//
// The form keeps what is its own: which buttons and keys a row switches
// (`RowState`), the fields of a new entry (`NewEntry`), its checks and texts.
//
//   TListRows Rows;   // a member declared after the request
//
//   void TSomeForm::FormCreate(TObject*) {
//     Request = NewFormRequest(...);
//     Request->AttachListView(ListView1, true);
//     ClickFollowsSelection(*Request);            // ListView1Click below
//     ...bindings, status target...
//     Rows.Attach(*Request, ListView1, StaticText1,
//                 [this](bool row) { ShowRowButtons(row); }, [this] { ClearEntryFields(); });
//     Request->Get();
//   }
//   void TSomeForm::ListView1Click(TObject*) { Rows.Click(); }
//   void TSomeForm::RefreshClick(TObject*) { ...Request->Get()...; Rows.ShowNoRow(); }
//   void TSomeForm::SetClick(TObject*) {
//     if (!Rows.Write(Request, [&] { Request->Set(kSetFromControls); }, fail)) return;
//     Rows.ShowNoRow();                            // taken: the form moves on
//     Request->Get();
//   }
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "platform/AnsiString.h"

class TControl;
class TListView;
class TSavedAccess;
class VnSNMPRequest2Controls;
class VnSNMPRequest2Edits;

class TListRows {
 public:
  using TRowState = std::function<void(bool rowSelected)>;
  using TNewEntry = std::function<void()>;

  TListRows() = default;
  // Leaves the hooks it made with nothing to do: a request or list view
  // that outlives the form calls nothing of it.
  ~TListRows();
  TListRows(const TListRows&) = delete;
  TListRows& operator=(const TListRows&) = delete;

  // Once, after the form has set its own OnIdle and the list view's OnChange
  // (both still run, before this): the count goes to `count` (null: none),
  // `rowState` switches what a row switches, `newEntry` (may be empty) fills
  // the fields of a new entry. Follow() is called at once.
  void Attach(VnSNMPRequest2Controls& request, TListView* list, TControl* count, TRowState rowState,
              TNewEntry newEntry = {});

  // The count and the row state as the list stands now.
  void Follow() const;
  // A click on the list, or a row shown by the keys or by code (the form's
  // OnClick, through ClickFollowsSelection): Follow, and with no row
  // selected (a click beside the rows) the fields of a new entry.
  void Click() const;
  // No row selected, the row state and count followed, and the fields of a
  // new entry: the form as a read leaves it, or a write that was taken.
  void ShowNoRow() const;

  // A read of the list (Get; one that cannot start goes to `fail`), then
  // Follow: the read takes the rows, and the selection, away at once.
  void Read(std::unique_ptr<VnSNMPRequest2Edits>& request,
            const std::function<void(const AnsiString&)>& fail) const;
  // Read, then ShowNoRow: a Refresh, or the read after a write was taken.
  void ReadAnew(std::unique_ptr<VnSNMPRequest2Edits>& request,
                const std::function<void(const AnsiString&)>& fail) const;

  // A write (WriteTaken). Taken: true, and the form goes on as it does after
  // a write. Otherwise false, the fields hold what the user left in them,
  // and where the request reads the list again (the switch refused the write
  // or did not answer) no row stays drawn selected whose values the fields
  // may no longer show: the selection goes, the row state and count follow,
  // and where the user had typed nothing the fields are those of a new
  // entry. A write that could not be sent leaves the row selected.
  bool Write(std::unique_ptr<VnSNMPRequest2Edits>& request, const std::function<void()>& send,
             const std::function<void(const AnsiString&)>& fail,
             const std::vector<TControl*>& own = {}) const;
  // Writes that go out one after another, each as Write makes it: the next
  // once the switch has taken the one before. None goes after one that was
  // not taken, and the form is as Write leaves it; nor after Stop was
  // pressed while one was out: the list is read again, and the form is as
  // after a write that was not taken. True when the switch took every one.
  bool WriteInOrder(std::unique_ptr<VnSNMPRequest2Edits>& request,
                    const std::vector<std::function<void()>>& sends,
                    const std::function<void(const AnsiString&)>& fail,
                    const std::vector<TControl*>& own = {}) const;
  // Write of what the bound controls hold (Set from the controls): `first`
  // goes before it (the row status a Delete chooses), and the access words
  // `saved` holds are written back as soon as the SET has gone out, before
  // the read the answer may bring.
  bool WriteControls(std::unique_ptr<VnSNMPRequest2Edits>& request, TSavedAccess& saved,
                     const std::function<void(const AnsiString&)>& fail,
                     const std::function<void()>& first = {}) const;

 private:
  // After a write that was not taken (`typed`: the user had typed something).
  void NotTaken(const VnSNMPRequest2Edits& request, bool typed) const;

  struct TLink;
  std::shared_ptr<TLink> link_;
};
