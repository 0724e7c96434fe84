#include "library/VnReadFaults.h"

void VnReadFaults::Clear() {
  number_ = 0;
  message_ = AnsiString();
  where_ = AnsiString();
  count_ = 0;
}

void VnReadFaults::Add(int number, const AnsiString& message, const AnsiString& where) {
  if (count_++ > 0) return;
  number_ = number;
  message_ = message;
  where_ = where;
}

AnsiString VnReadFaults::Text() const {
  if (count_ == 0) return AnsiString();
  AnsiString text = message_ + " (" + where_;
  if (count_ > 1) text += AnsiString::Format("; %d more", count_ - 1);
  return text + ")";
}
