#include "pages/WriteWatch.h"

#include <utility>

#include "library/VnErrors.h"
#include "library/VnSNMPRequest2Controls.h"

// The request's handler before the watch, and the listener. Shared with the
// handler the request holds, which keeps it while it is installed.
struct TWriteWatch::THook {
  VnRequestDoneEvent own;
  TListener listener;
};

TWriteWatch::TWriteWatch(VnSNMPRequest2Controls& request, TListener listener)
    : request_(&request),
      hook_(std::make_shared<THook>(THook{request.OnSetDone, std::move(listener)})) {
  request.OnSetDone =
      VnRequestDoneEvent([hook = hook_](VnSNMPRequest2Controls* sender, const VnSNMPError& error) {
        if (hook->own) hook->own(sender, error);
        if (hook->listener) hook->listener(error.Number == VNERR_OK);
      });
}

TWriteWatch::~TWriteWatch() {
  if (request_) request_->OnSetDone = hook_->own;
}
