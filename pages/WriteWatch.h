// Listens for the answer of a request's next SET beside the request's own
// OnSetDone, which still runs first: the listener hears whether the device
// took the SET (false: refused or timed out). The request gets its own
// handler back when the watch goes.
//
//   TWriteWatch watch(*request, [this](bool taken) { if (!taken) Close(); });
//   request->Set(kSetFromControls);
//   ...ShowModal(): the dialog closes as soon as the SET fails
//
// The request outlives the watch, unless Forget() was called first (its
// owner saw it go).
#pragma once

#include <functional>
#include <memory>

class VnSNMPRequest2Controls;

class TWriteWatch {
 public:
  using TListener = std::function<void(bool taken)>;
  TWriteWatch(VnSNMPRequest2Controls& request, TListener listener);
  ~TWriteWatch();
  TWriteWatch(const TWriteWatch&) = delete;
  TWriteWatch& operator=(const TWriteWatch&) = delete;

  // The request has gone: nothing is given back to it.
  void Forget() { request_ = nullptr; }

 private:
  struct THook;
  VnSNMPRequest2Controls* request_;
  std::shared_ptr<THook> hook_;
};
