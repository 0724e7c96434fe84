// The order of one request's reads and writes: what may start while
// something is out, which answer is dropped, what is owed after a write and
// when the request is busy. It sends nothing and knows no windows: the
// request tells it what it starts and what has ended, and asks it what to
// start next.
//
//   VnRequestOrder order;
//   if (order.AskRead()) id = order.ReadStarts(Mode::Async);  // else owed
//   ... an answer of read `id` is taken only while order.Takes(id)
//   if (order.WriteStarts(Mode::Async)) ...drop the read's replies in flight
//   order.WriteEnds(Mode::Async, failed, readAfter);
//   if (Owed owed = order.TakeOwedRead(); owed != Owed::Nothing) ...start it
//
// The rules:
// - One asynchronous read at a time, and none while a write is out: a read
//   asked meanwhile is owed, and however often it is asked it is one read.
// - A write stops the asynchronous read still out (it was sent before the
//   write, so its answer would show the old values): its answers are
//   dropped and it is owed after the write.
// - A read starts when it is owed and nothing stands before it: no read
//   runs, no write is out and no synchronous operation runs. A read that
//   starts shows every write that ended before it: what was owed is paid.
// - A write may owe a read of its own (a table read after it; the list
//   again after it failed). When a write ends with a read owed, that read
//   ends quietly (no "Ok!") if the write failed, so that the failure stays
//   the last word, and with "Ok!" otherwise.
// - A read stopped before a write by its caller (who reads after the write)
//   ends quietly, and nothing is owed after it.
// - Busy while a read runs, a write is out, a synchronous operation runs or
//   a read is owed.
#pragma once

#include <cstdint>

class VnRequestOrder {
 public:
  // How an operation runs: an asynchronous one is out until its completion
  // comes; a synchronous one runs until the call that made it returns.
  enum class Mode { Async, Sync };
  // The asynchronous read.
  enum class Read {
    Idle,     // none runs
    Running,  // its successful end shows "Ok!"
    Quiet,    // its end shows no "Ok!"
  };
  // The read owed, to start once nothing stands before it.
  enum class Owed { Nothing, Read, QuietRead };
  // Names a read: its answers are taken only while it runs.
  using ReadId = std::uint32_t;

  // A read is asked for. True: it may start now. False: it is owed.
  bool AskRead();
  // A read starts (asynchronous: Running, or Quiet when asked so) and pays
  // what was owed. A synchronous read counts as a synchronous operation
  // until ReadEnds.
  ReadId ReadStarts(Mode mode, bool quiet = false);
  // The read has ended, well or not. Every start has its one end.
  void ReadEnds(Mode mode);
  // The asynchronous read ended by a fault of its own: nothing is owed
  // after it.
  void ReadBreaks();
  // Its caller stops the asynchronous read before a write: it ends quietly
  // and nothing is owed after it. False when none runs.
  bool ReadStopping();
  // The asynchronous read is abandoned: its answers are not taken, and
  // nothing is owed after it. False when none runs.
  bool DropRead();

  // A write goes out. A running asynchronous read is stopped and owed after
  // the write: true then, and its replies in flight are to be dropped.
  bool WriteStarts(Mode mode);
  // The write has ended (failed: refused, timed out or never sent);
  // readAfter: it owes a read of its own. Every start has its one end.
  void WriteEnds(Mode mode, bool failed, bool readAfter);

  // The owed read when it may start now, which pays it; else Nothing.
  Owed TakeOwedRead();

  bool Takes(ReadId read) const { return read_ != Read::Idle && read == last_; }
  // The last read started; it changes when another starts.
  ReadId LastRead() const { return last_; }
  Read Reading() const { return read_; }
  Owed Owes() const { return owed_; }
  bool Busy() const {
    return read_ != Read::Idle || writes_ > 0 || syncs_ > 0 || owed_ != Owed::Nothing;
  }

 private:
  bool ReadMayStart() const { return read_ == Read::Idle && writes_ == 0; }

  Read read_ = Read::Idle;
  Owed owed_ = Owed::Nothing;
  ReadId last_ = 0;
  int writes_ = 0;  // asynchronous writes out
  int syncs_ = 0;   // synchronous reads and writes running
};
