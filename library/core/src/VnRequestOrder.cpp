#include "library/VnRequestOrder.h"

bool VnRequestOrder::AskRead() {
  if (ReadMayStart()) return true;
  owed_ = Owed::Read;  // quiet or not: the next write to end says
  return false;
}

VnRequestOrder::ReadId VnRequestOrder::ReadStarts(Mode mode, bool quiet) {
  owed_ = Owed::Nothing;
  if (mode == Mode::Sync)
    ++syncs_;
  else
    read_ = quiet ? Read::Quiet : Read::Running;
  return ++last_;
}

void VnRequestOrder::ReadEnds(Mode mode) {
  if (mode == Mode::Sync)
    --syncs_;
  else
    read_ = Read::Idle;
}

void VnRequestOrder::ReadBreaks() {
  read_ = Read::Idle;
  owed_ = Owed::Nothing;
}

bool VnRequestOrder::ReadStopping() {
  if (read_ == Read::Idle) return false;
  read_ = Read::Quiet;
  owed_ = Owed::Nothing;
  return true;
}

bool VnRequestOrder::DropRead() {
  if (read_ == Read::Idle) return false;
  ReadBreaks();
  return true;
}

bool VnRequestOrder::WriteStarts(Mode mode) {
  ++(mode == Mode::Sync ? syncs_ : writes_);
  if (read_ == Read::Idle) return false;
  read_ = Read::Idle;
  owed_ = Owed::Read;
  return true;
}

void VnRequestOrder::WriteEnds(Mode mode, bool failed, bool readAfter) {
  --(mode == Mode::Sync ? syncs_ : writes_);
  if (readAfter) owed_ = Owed::Read;
  if (owed_ != Owed::Nothing) owed_ = failed ? Owed::QuietRead : Owed::Read;
}

VnRequestOrder::Owed VnRequestOrder::TakeOwedRead() {
  if (!ReadMayStart() || syncs_ > 0) return Owed::Nothing;
  const Owed owed = owed_;
  owed_ = Owed::Nothing;
  return owed;
}
