// A field that everyone reads and only its owner class writes. It reads as
// the plain field does (an implicit conversion, inlined); nothing outside the
// owner assigns it.
#pragma once

template <class T, class Owner>
class TReadOnly {
 public:
  constexpr operator T() const { return value_; }  // NOLINT: reads as the field
  // Not even from a field of the same kind: `a.Busy = b.Busy` would write
  // a field that only its owner writes.
  TReadOnly& operator=(const TReadOnly&) = delete;

 private:
  friend Owner;
  constexpr TReadOnly() = default;
  constexpr explicit TReadOnly(T value) : value_(value) {}
  TReadOnly& operator=(T value) {
    value_ = value;
    return *this;
  }
  TReadOnly& operator++() {
    ++value_;
    return *this;
  }
  TReadOnly& operator--() {
    --value_;
    return *this;
  }

  T value_{};
};
