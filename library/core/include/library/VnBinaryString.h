// A byte string of known length, used for port bitmaps.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/Types.h"

class VnBinaryString {
 public:
  VnBinaryString() = default;
  VnBinaryString(const BYTE* bytes, std::uint32_t length) { Assign(bytes, length); }
  VnBinaryString(const VnBinaryString& other) { Assign(other.Data(), other.Length()); }
  VnBinaryString& operator=(const VnBinaryString& other);
  VnBinaryString(VnBinaryString&& other) noexcept;
  VnBinaryString& operator=(VnBinaryString&& other) noexcept;
  ~VnBinaryString() = default;

  std::uint32_t Length() const { return length_; }
  bool IsEmpty() const { return length_ == 0; }
  // Null while empty.
  BYTE* Data() { return data_.get(); }
  const BYTE* Data() const { return data_.get(); }

  // Copies `length` bytes (none when bytes is null: the buffer is zeroed).
  void Assign(const BYTE* bytes, std::uint32_t length);
  // Keeps the leading bytes, zeroes new ones.
  void SetLength(std::uint32_t length);
  void Clear();

  friend bool operator==(const VnBinaryString& a, const VnBinaryString& b);

 private:
  std::uint32_t length_ = 0;
  std::unique_ptr<BYTE[]> data_;  // owned; length_ bytes
};
