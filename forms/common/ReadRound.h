// The reads that make one outcome in one status line: a form's Refresh, or
// the reads of its opening. Each read writes its own end into the line,
// "Ok!" or its error. Once the round is over, a failure is the line's last
// word again: a read that succeeds after a failed one must not show the
// round as a success. A round without a failure leaves the line as its last
// read left it, so the next Refresh that fails nowhere shows "Ok!" again.
//
//   void TSomeForm::RefreshClick(TObject*) {
//     TReadRound round(StatusBar1);
//     for (VnSNMPRequest2Edits* r : {FirstRequest.get(), SecondRequest.get()}) {
//       try {
//         r->Get();
//       } catch (const Exception& e) {
//         r->ShowRequestStatus(e.Message);
//         round.Failed();
//       }
//     }
//   }  // the failure's line is shown again here
#pragma once

#include "platform/AnsiString.h"

class TStatusBar;

class TReadRound {
 public:
  // The line is panel 0 of the bar, or its simple text when it has no
  // panels (where ShowFailureInStatusBar writes). The bar outlives the round.
  explicit TReadRound(TStatusBar* bar) : bar_(bar) {}
  // Shows the line of the round's last failure again, if a read failed.
  ~TReadRound();
  TReadRound(const TReadRound&) = delete;
  TReadRound& operator=(const TReadRound&) = delete;

  // A read of the round has just shown its failure in the line: the line is
  // kept as it is now.
  void Failed();

 private:
  TStatusBar* bar_;
  AnsiString failure_;
  bool failed_ = false;
};
