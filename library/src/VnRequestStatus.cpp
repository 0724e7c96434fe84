// Requests bound to controls: construction, status targets and status
// lines, error display, and the watch over components that die first.
#include <memory>
#include <utility>

#include "library/VnErrors.h"
#include "library/VnRawValue.h"
#include "library/VnRequestStatusText.h"
#include "library/VnSNMPRequest2Controls.h"
#include "platform/ComCtrls.h"
#include "platform/EventLoop.h"
#include "platform/Files.h"
#include "platform/Forms.h"
#include "platform/InputHold.h"
#include "platform/Messages.h"
#include "platform/StdCtrls.h"
#include "snmp/OctetStr.h"

// Tells its request when a watched component is destroyed.
class VnSNMPRequest2Controls::Watcher : public TComponent {
 public:
  explicit Watcher(VnSNMPRequest2Controls* request) : TComponent(nullptr), request_(request) {}
  ~Watcher() override { BeginDestroy(); }
  void Notification(TComponent* component, TOperation operation) override {
    if (operation == opRemove) request_->ComponentGone(component);
  }

 private:
  VnSNMPRequest2Controls* request_;
};

VnSNMPRequest2Controls::VnSNMPRequest2Controls(TWinControl* owner)
    : Owner(owner),
      life_(std::make_shared<Life>(Life{this})),
      watcher_(std::make_unique<Watcher>(this)) {
  // A walk's next step goes out before its row's index is worked out.
  Request.RowFinishedByCompletion = true;
}

// The request's own destructor, which runs next, waits for the completions
// still in flight; they find no one to call. A walk's step sent ahead of the
// row being delivered is not waited for: its reply could only come after
// that row, which cannot end before this object is gone.
VnSNMPRequest2Controls::~VnSNMPRequest2Controls() {
  life_->self = nullptr;
  if (rowInHand_) Request.Withdraw(order_.ReadEnds(VnRequestOrder::Mode::Async));
  watcher_.reset();
}

void VnSNMPRequest2Controls::WatchComponent(TComponent* component) {
  if (component && watcher_) component->FreeNotification(watcher_.get());
}

void VnSNMPRequest2Controls::UnwatchComponent(TComponent* component) {
  if (component && watcher_) component->RemoveFreeNotification(watcher_.get());
}

void VnSNMPRequest2Controls::ComponentGone(TComponent* component) {
  if (StatusTarget == component) StatusTarget = nullptr;
}

void VnSNMPRequest2Controls::SetStatusMemo(TMemo* memo) {
  UnwatchComponent(dynamic_cast<TComponent*>(StatusTarget));
  StatusTarget = memo;
  WatchComponent(memo);
}

void VnSNMPRequest2Controls::SetStatusBar(TStatusBar* bar) {
  UnwatchComponent(dynamic_cast<TComponent*>(StatusTarget));
  StatusTarget = bar;
  WatchComponent(bar);
}

void VnSNMPRequest2Controls::SetStatusPanel(TStatusPanel* panel) {
  UnwatchComponent(dynamic_cast<TComponent*>(StatusTarget));
  StatusTarget = panel;
}

bool VnSNMPRequest2Controls::IsTableList() const {
  return Request.VarList.ItemType == VnItemType::MVT_FMV ||
         Request.VarList.ItemType == VnItemType::MVT_UMV;
}

void VnSNMPRequest2Controls::ShowRequestStatus(const AnsiString& text) {
  if (!StatusTarget) return;
  order_.LineShown(text == ErrorText(VNERR_OK) ? VnRequestOrder::Outcome::Done
                                               : VnRequestOrder::Outcome::Failed);
  const AnsiString line = RequestStatusLine(StatusKind, Request.VarList.Description, text);
  if (auto* memo = dynamic_cast<TMemo*>(StatusTarget))
    memo->Lines()->Add(line);
  else if (auto* bar = dynamic_cast<TStatusBar*>(StatusTarget))
    bar->SetSimpleText(line);
  else if (auto* panel = dynamic_cast<TStatusPanel*>(StatusTarget))
    panel->SetText(line);
}

void VnSNMPRequest2Controls::ShowError(std::uint32_t kind, const AnsiString& text) {
  StatusKind = kind;
  if (StatusTarget) {
    ShowRequestStatus(text);
    return;
  }
  // Asked for while the user's input is held (a completion runs, or a walk
  // delivers a row), the box opens once the loop has its turn again: opened
  // here, it would keep every other reply waiting until it is answered.
  if (InputHold::Active()) {
    std::shared_ptr<Life> life = life_;
    EventLoop::Current().CallSoon([life, text] {
      if (life->self) life->self->ShowErrorBox(text);
    });
    return;
  }
  ShowErrorBox(text);
}

void VnSNMPRequest2Controls::ShowErrorBox(const AnsiString& text) {
  const AnsiString caption = Application ? ExtractFileName(Application->ExeName()) : AnsiString();
  MessageBoxA(Owner ? Owner->Handle() : nullptr, text.c_str(), caption.c_str(), MB_OK);
}

void VnSNMPRequest2Controls::CheckBeforeSet(const AnsiString&, TStrings*) {}

OctetStr VnSNMPRequest2Controls::ValueToOctets(const AnsiString& text, std::uint32_t syntax) {
  return ::ValueToOctets(text, syntax);
}

OctetStr VnSNMPRequest2Controls::GetPartOctets(const OctetStr& bytes, std::uint32_t offset,
                                               std::uint32_t syntax) {
  return ::GetPartOctets(bytes, offset, syntax);
}

AnsiString VnSNMPRequest2Controls::OctetsToValue(const OctetStr& bytes, std::uint32_t syntax) {
  return ::OctetsToValue(bytes, syntax);
}
