#include "forms/common/ListRows.h"

#include <utility>

#include "forms/common/FeatureForm.h"
#include "forms/common/FormWrite.h"
#include "library/VnSNMPRequest2Edits.h"
#include "platform/ComCtrls.h"
#include "platform/Exceptions.h"

// What the hooks reach; shared with them, gone with the TListRows.
struct TListRows::TLink {
  TListView* List;
  TControl* Count;
  TRowState RowState;
  TNewEntry NewEntry;
  // Set while the row state is applied: a state that moves the selection
  // changes the list, which would apply it again.
  bool Following = false;

  bool RowSelected() const { return List && List->Selected(); }
  void Follow() {
    if (Following) return;
    Following = true;
    if (RowState) RowState(RowSelected());
    ShowRowCount(List, Count);
    Following = false;
  }
};

TListRows::~TListRows() = default;

void TListRows::Attach(VnSNMPRequest2Controls& request, TListView* list, TControl* count,
                       TRowState rowState, TNewEntry newEntry) {
  link_ = std::make_shared<TLink>(TLink{list, count, std::move(rowState), std::move(newEntry)});
  const std::weak_ptr<TLink> weak = link_;
  const VnRequestIdleEvent ownIdle = request.OnIdle;
  request.OnIdle = [ownIdle, weak](VnSNMPRequest2Controls* sender) {
    if (ownIdle) ownIdle(sender);
    if (const std::shared_ptr<TLink> link = weak.lock()) link->Follow();
  };
  if (list) {
    const TLVChangeEvent ownChange = list->OnChange;
    list->OnChange = [ownChange, weak](TObject* sender, TListItem* item, TItemChange change) {
      if (ownChange) ownChange(sender, item, change);
      if (const std::shared_ptr<TLink> link = weak.lock()) link->Follow();
    };
  }
  Follow();
}

void TListRows::Follow() const {
  if (link_) link_->Follow();
}

void TListRows::Click() const {
  if (!link_) return;
  link_->Follow();
  if (!link_->RowSelected() && link_->NewEntry) link_->NewEntry();
}

void TListRows::ShowNoRow() const {
  if (!link_) return;
  if (link_->RowSelected()) link_->List->SetSelected(nullptr);
  link_->Follow();
  if (link_->NewEntry) link_->NewEntry();
}

void TListRows::Read(std::unique_ptr<VnSNMPRequest2Edits>& request,
                     const std::function<void(const AnsiString&)>& fail) const {
  try {
    if (request) request->Get();
  } catch (const Exception& e) {
    if (fail) fail(e.Message);
  }
  Follow();
}

void TListRows::ReadAnew(std::unique_ptr<VnSNMPRequest2Edits>& request,
                         const std::function<void(const AnsiString&)>& fail) const {
  Read(request, fail);
  ShowNoRow();
}

bool TListRows::Write(std::unique_ptr<VnSNMPRequest2Edits>& request,
                      const std::function<void()>& send,
                      const std::function<void(const AnsiString&)>& fail,
                      const std::vector<TControl*>& own) const {
  return WriteInOrder(request, {send}, fail, own);
}

bool TListRows::WriteInOrder(std::unique_ptr<VnSNMPRequest2Edits>& request,
                             const std::vector<std::function<void()>>& sends,
                             const std::function<void(const AnsiString&)>& fail,
                             const std::vector<TControl*>& own) const {
  if (!request) return false;
  const bool typed = AnyFieldTyped(*request);
  for (std::size_t k = 0; k < sends.size(); ++k) {
    // Stop pressed while the write before was out: the rest stay unsent,
    // and the list is read for what the switch holds after those it took.
    if (k > 0 && request->Stopped())
      Read(request, fail);
    else if (WriteTaken(request, sends[k], fail, own))
      continue;
    if (request) NotTaken(*request, typed);
    return false;
  }
  return true;
}

void TListRows::NotTaken(const VnSNMPRequest2Edits& request, bool typed) const {
  if (!link_) return;
  // Busy: the list is being read again (or is about to be).
  if (request.Busy) {
    if (link_->RowSelected()) link_->List->SetSelected(nullptr);
    if (!typed && link_->NewEntry) link_->NewEntry();
  }
  link_->Follow();
}

bool TListRows::WriteControls(std::unique_ptr<VnSNMPRequest2Edits>& request, TSavedAccess& saved,
                              const std::function<void(const AnsiString&)>& fail,
                              const std::function<void()>& first) const {
  const bool taken = Write(
      request,
      [&] {
        if (first) first();
        request->Set(kSetFromControls);
        saved.Restore();
      },
      fail);
  saved.Restore();
  return taken;
}
