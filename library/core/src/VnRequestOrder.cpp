#include "library/VnRequestOrder.h"

#include <utility>

bool VnRequestOrder::AskRead() {
  if (ReadMayStart()) return true;
  inRound_ = true;
  // However often asked, one read; quiet or not, the round says when it
  // starts.
  if (owed_ == Owed::Nothing) Owe();
  return false;
}

VnRequestOrder::ReadId VnRequestOrder::ReadStarts(Mode mode, Voice voice) {
  inRound_ = true;
  owed_ = Owed::Nothing;
  if (mode == Mode::Sync) {
    ++syncs_;
  } else {
    read_ = voice == Voice::Quiet ? Read::Quiet : Read::Running;
    readExchange_ = 0;
  }
  return ++last_;
}

void VnRequestOrder::ReadSent(Exchange exchange) {
  if (read_ != Read::Idle) readExchange_ = exchange;
}

VnRequestOrder::Exchange VnRequestOrder::ReadEnds(Mode mode) {
  if (mode == Mode::Sync) {
    --syncs_;
    return 0;
  }
  read_ = Read::Idle;
  return std::exchange(readExchange_, 0);
}

VnRequestOrder::Exchange VnRequestOrder::ReadBreaks() {
  owed_ = Owed::Nothing;
  return ReadEnds(Mode::Async);
}

bool VnRequestOrder::ReadStopping() {
  if (read_ == Read::Idle) return false;
  read_ = Read::Quiet;
  owed_ = Owed::Nothing;
  return true;
}

void VnRequestOrder::Stop() {
  if (writes_ == 0) owed_ = Owed::Nothing;
}

VnRequestOrder::Exchange VnRequestOrder::WriteStarts(Mode mode) {
  inRound_ = true;
  ++(mode == Mode::Sync ? syncs_ : writes_);
  if (read_ == Read::Idle) return 0;
  Owe();
  return ReadEnds(Mode::Async);
}

void VnRequestOrder::WriteEnds(Mode mode, Outcome outcome, After after) {
  --(mode == Mode::Sync ? syncs_ : writes_);
  if (outcome == Outcome::Failed) roundFailed_ = true;
  if (after == After::Read || owed_ != Owed::Nothing) Owe();
}

void VnRequestOrder::WriteFailed(const Failure& failure) {
  roundFailed_ = true;
  failure_ = failure;
  if (owed_ != Owed::Nothing) Owe();
}

VnRequestOrder::Owed VnRequestOrder::TakeOwedRead() {
  if (!ReadMayStart()) return Owed::Nothing;
  return std::exchange(owed_, Owed::Nothing);
}

void VnRequestOrder::LineShown(Outcome outcome) { lastLineFailed_ = outcome == Outcome::Failed; }

bool VnRequestOrder::Settles(Failure& again) {
  again = Failure{};
  if (!inRound_ || Busy()) return false;
  if (roundFailed_ && !lastLineFailed_) again = failure_;
  inRound_ = false;
  roundFailed_ = false;
  failure_ = Failure{};
  return true;
}
