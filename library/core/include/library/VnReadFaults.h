// What one read could not take while it went on: a value its item cannot
// hold (the item is left without one), an index its key items cannot take
// whole (they show its arcs). The read ends as a failure naming the first of
// them; the rows and values it did take stay.
//
//   faults.Clear();                                   // a read starts
//   faults.Add(e.HelpContext, e.Message, "row 5, PVID");
//   if (faults.Any()) ShowFailure(faults.Text());     // "Bad SNMP syntax! (row 5, PVID)"
#pragma once

#include "platform/AnsiString.h"

class VnReadFaults {
 public:
  void Clear();
  // A fault: the library error number, its message, and where it was.
  void Add(int number, const AnsiString& message, const AnsiString& where);
  bool Any() const { return count_ > 0; }
  // The first fault's number.
  int Number() const { return number_; }
  // The first fault's message and where it was, and how many more came
  // after it: "Bad SNMP syntax! (row 5, PVID; 2 more)".
  AnsiString Text() const;

 private:
  int number_ = 0;
  AnsiString message_;
  AnsiString where_;
  int count_ = 0;
};
