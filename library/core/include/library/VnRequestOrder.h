// The record of one request's work: which read and writes are out, which
// read is owed, whether the user has stopped it, and how the round of work
// since it was last idle went. It sends nothing and knows no windows: the
// request tells it what starts, what was sent and what has ended, and asks
// it what to start next, what to take back from the SNMP layer, whether it
// is busy and whether it has just become idle.
//
//   VnRequestOrder order;
//   if (order.AskRead()) {                        // else the read is owed
//     const ReadId id = order.ReadStarts(Mode::Async, Voice::Loud);
//     order.ReadSent(SendTheRead());              // the exchange out for it
//   }
//   ...its answer comes:        order.ReadAnswered();
//   ...the read is over:        Withdraw(order.ReadEnds(Mode::Async));
//   ...a write goes out:        Withdraw(order.WriteStarts(Mode::Async));
//   ...the write is answered:   order.WriteEnds(Mode::Async, Outcome::Failed, After::Read);
//   if (Owed owed = order.TakeOwedRead(); owed != Owed::Nothing) ...start it
//   if (order.Settles()) ...the request has just become idle: the round is over
//
// The rules:
// - One asynchronous read at a time, and none while a write is out or a
//   synchronous operation runs: a read asked meanwhile is owed, and however
//   often it is asked it is one read.
// - A write stops the asynchronous read still out (it was sent before the
//   write, so its answer would show the old values): what the read has out
//   is to be taken back, and the read is owed after the write.
// - A write may owe a read of its own (a table read after it; the list
//   again after it failed).
// - A read starts when it is owed and nothing stands before it. A read that
//   starts shows every write that ended before it: what was owed is paid.
// - A read owed after a write of a round in which a write failed is quiet
//   (its success shows no "Ok!"), so that the failure stays the last word.
// - Stop (the user's): the running read ends with its answer in flight. A
//   read owed while no write is out is not made; what the writes out owe
//   stays owed, so that once idle what is shown follows the last write.
// - A read stopped by its caller before a write (the caller reads after the
//   write) ends quietly, and nothing is owed after it.
// - Busy while a read runs, a write is out, a synchronous operation runs or
//   a read is owed; every start has exactly one end.
// - A round runs from the moment the request becomes busy to the moment it
//   is idle again. When a write of the round failed and a line that is no
//   failure was shown after it, the round ends with that failure shown
//   again: the last line is the worst outcome of the round's writes.
#pragma once

#include <cstdint>

#include "platform/AnsiString.h"

class VnRequestOrder {
 public:
  // How an operation runs: an asynchronous one is out until its completion
  // comes; a synchronous one runs until the call that made it returns.
  enum class Mode { Async, Sync };
  // Whether a read's success shows "Ok!".
  enum class Voice { Loud, Quiet };
  // The asynchronous read.
  enum class Read {
    Idle,     // none runs
    Running,  // its successful end shows "Ok!"
    Quiet,    // its end shows no "Ok!"
  };
  // The read owed, to start once nothing stands before it.
  enum class Owed { Nothing, Read, QuietRead };
  // How a write ended.
  enum class Outcome { Done, Failed };
  // What a write owes when it ends.
  enum class After { Nothing, Read };
  // Names a read: a read started during another's row counts its own rows.
  using ReadId = std::uint32_t;
  // An exchange of the SNMP layer (0: none), as the request's sends name it.
  using Exchange = std::uint64_t;

  // The failure a round ends with, shown again.
  struct Failure {
    std::uint32_t kind = 0;  // the status format (Get 0, Set 1)
    AnsiString text;         // the error's text
    AnsiString description;  // what the line names ([VARLIST])
  };

  // ---- reads
  // A read is asked for. True: it may start now. False: it is owed.
  bool AskRead();
  // A read starts and pays what was owed. A synchronous read counts as a
  // synchronous operation until ReadEnds.
  ReadId ReadStarts(Mode mode, Voice voice);
  // The asynchronous read has sent an exchange (its first, or a walk's next
  // step): it is out for the read until answered or taken back.
  void ReadSent(Exchange exchange);
  // The answer of the exchange out for the read has come: nothing of the
  // read is out until it sends again.
  void ReadAnswered() { readExchange_ = 0; }
  // True while the read named so runs (it has not ended, and no other read
  // has started since).
  bool Runs(ReadId read) const { return read_ != Read::Idle && read == last_; }
  // The read has ended, well or not. Returns what the read still has out,
  // to be taken back (0: nothing).
  Exchange ReadEnds(Mode mode);
  // The running read ended by a fault of its own (a row could not be
  // taken): nothing is owed after it. Returns what it still has out.
  Exchange ReadBreaks();
  // Its caller stops the asynchronous read before a write: it ends quietly
  // and nothing is owed after it. False when none runs.
  bool ReadStopping();
  // The user's Stop (see the rules). The running read's answer in flight
  // still comes; the caller keeps its request from sending more.
  void Stop();

  // ---- writes
  // A write goes out. Returns what the read it stops had out (0: none),
  // to be taken back; that read is owed after the write.
  Exchange WriteStarts(Mode mode);
  // The write has ended: done, or failed (refused, timed out or never
  // sent), owing a read of its own or not.
  void WriteEnds(Mode mode, Outcome outcome, After after);
  // A write of the round failed; the line it showed is the failure.
  void WriteFailed(const Failure& failure);

  // ---- the owed read and the round
  // The owed read when it may start now, which pays it; else Nothing.
  Owed TakeOwedRead();
  // A status line was shown: a failure, or a success ("Ok!").
  void LineShown(Outcome outcome);
  // True once, when the request has just become idle: the round is over.
  // `again` then holds the failure to show again (see the rules), or
  // nothing (its text empty).
  bool Settles(Failure& again);

  ReadId LastRead() const { return last_; }
  Read Reading() const { return read_; }
  Owed Owes() const { return owed_; }
  // Asynchronous writes out.
  int WritesOut() const { return writes_; }
  bool Busy() const {
    return read_ != Read::Idle || writes_ > 0 || syncs_ > 0 || owed_ != Owed::Nothing;
  }

 private:
  bool ReadMayStart() const { return read_ == Read::Idle && writes_ == 0 && syncs_ == 0; }
  void Owe() { owed_ = roundFailed_ ? Owed::QuietRead : Owed::Read; }

  Read read_ = Read::Idle;
  Exchange readExchange_ = 0;  // out for the running read
  Owed owed_ = Owed::Nothing;
  ReadId last_ = 0;
  int writes_ = 0;  // asynchronous writes out
  int syncs_ = 0;   // synchronous reads and writes running
  // The round.
  bool inRound_ = false;
  bool roundFailed_ = false;     // a write of the round failed
  bool lastLineFailed_ = false;  // the round's last line is a failure
  Failure failure_;
};
