#include "forms/common/AwaitedSet.h"

#include "library/VnErrors.h"
#include "library/VnSNMPRequest2Edits.h"
#include "platform/Clock.h"
#include "platform/Forms.h"

// What the request told of the SET. Shared with the hook, which keeps it
// while the request keeps the hook.
struct TAwaitedAnswer {
  VnRequestDoneEvent own;  // the request's OnSetDone before
  bool came = false;
  bool taken = false;
};

namespace {

// The longest the request itself may take to give up on one SET: its
// timeout for each try, and some time to spare.
DWORD AnswerLimitMs(const VnSNMPRequest& request) {
  const DWORD timeout = request.Timeout ? request.Timeout : 100;
  return timeout * 10 * (request.Retries + 1) + 2000;
}

}  // namespace

TAwaitedSet::TAwaitedSet(std::unique_ptr<VnSNMPRequest2Edits>& request)
    : request_(request), sender_(request.get()), answer_(std::make_shared<TAwaitedAnswer>()) {
  if (!sender_) return;
  answer_->own = sender_->OnSetDone;
  sender_->OnSetDone = VnRequestDoneEvent(
      [answer = answer_](VnSNMPRequest2Controls* sender, const VnSNMPError& error) {
        answer->came = true;
        answer->taken = error.Number == VNERR_OK;
        if (answer->own) answer->own(sender, error);
      });
}

TAwaitedSet::~TAwaitedSet() {
  if (sender_ && request_.get() == sender_) sender_->OnSetDone = answer_->own;
}

bool TAwaitedSet::Taken() {
  if (!sender_ || request_.get() != sender_) return false;
  if (!sender_->AsyncMode) return true;
  const DWORD limit = AnswerLimitMs(sender_->Request);
  const DWORD start = GetTickCount();
  while (!answer_->came && request_.get() == sender_ && sender_->Busy &&
         GetTickCount() - start < limit) {
    Application->ProcessMessages();
    if (!answer_->came) Sleep(1);
  }
  if (request_.get() != sender_) return false;
  // Without a status target the request announces only a failure: a SET
  // that has ended without one was taken.
  return answer_->came ? answer_->taken : !sender_->Busy;
}
