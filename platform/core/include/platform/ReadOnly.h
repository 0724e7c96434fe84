// A field that everyone reads and only its owner class writes. It reads as
// the plain field does (an implicit conversion, inlined).
#pragma once

template <class T, class Owner>
class TReadOnly {
 public:
  constexpr operator T() const { return value_; }  // NOLINT: reads as the field

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
