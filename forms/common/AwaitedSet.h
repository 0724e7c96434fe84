// A write whose answer the caller waits for before it goes on: a dialog
// that stays open when the device refuses what it sent (the user corrects
// or cancels), or a form that must not read the list again over a failure
// that the request has already shown.
//
//   TAwaitedSet answer(Request);        // before the Set
//   Request->Set(kSetFromControls);     // raises what Set raises
//   saved.Restore();                    // the SET has gone: the words may come back
//   if (!answer.Taken()) return;        // refused or timed out: shown already
//   Request->Get();
#pragma once

#include <memory>

class VnSNMPRequest2Edits;
struct TAwaitedAnswer;

class TAwaitedSet {
 public:
  // Listens for the answer of the next SET of the request (the request's own
  // OnSetDone still runs). `request` is the owner's field: it may be
  // released while messages are pumped.
  explicit TAwaitedSet(std::unique_ptr<VnSNMPRequest2Edits>& request);
  // Gives the request its own OnSetDone back.
  ~TAwaitedSet();
  TAwaitedSet(const TAwaitedSet&) = delete;
  TAwaitedSet& operator=(const TAwaitedSet&) = delete;

  // Pumps messages (replies and walks go on meanwhile) until the device has
  // answered the SET or the request has given up on it. True when the
  // device took it, or when a synchronous Set returned. False when it was
  // refused or timed out: the request has shown that in its status target
  // and reads a table again quietly, so the failure stays the last status
  // line. False as well when the request was released meanwhile.
  bool Taken();

 private:
  std::unique_ptr<VnSNMPRequest2Edits>& request_;
  VnSNMPRequest2Edits* sender_;
  std::shared_ptr<TAwaitedAnswer> answer_;
};
