#include "forms/common/ReadRound.h"

#include "forms/common/FeatureForm.h"
#include "platform/ComCtrls.h"

namespace {

// The line ShowFailureInStatusBar writes.
AnsiString StatusLineOf(TStatusBar* bar) {
  if (!bar) return "";
  return bar->Panels()->Count() > 0 ? bar->Panels()->Items(0)->Text() : bar->SimpleText();
}

}  // namespace

TReadRound::~TReadRound() {
  if (failed_) ShowFailureInStatusBar(bar_, failure_);
}

void TReadRound::Failed() {
  failure_ = StatusLineOf(bar_);
  failed_ = true;
}
