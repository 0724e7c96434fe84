#include "library/VnBinaryString.h"

#include <algorithm>
#include <cstring>
#include <utility>

VnBinaryString& VnBinaryString::operator=(const VnBinaryString& other) {
  if (this != &other) Assign(other.Data(), other.Length());
  return *this;
}

VnBinaryString::VnBinaryString(VnBinaryString&& other) noexcept
    : length_(std::exchange(other.length_, 0)), data_(std::move(other.data_)) {}

VnBinaryString& VnBinaryString::operator=(VnBinaryString&& other) noexcept {
  if (this != &other) {
    length_ = std::exchange(other.length_, 0);
    data_ = std::move(other.data_);
  }
  return *this;
}

void VnBinaryString::Assign(const BYTE* bytes, std::uint32_t length) {
  std::unique_ptr<BYTE[]> data;
  if (length > 0) {
    data = std::make_unique<BYTE[]>(length);  // zeroed
    if (bytes) std::memcpy(data.get(), bytes, length);
  }
  data_ = std::move(data);
  length_ = length;
}

void VnBinaryString::SetLength(std::uint32_t length) {
  if (length == length_) return;
  std::unique_ptr<BYTE[]> data;
  if (length > 0) {
    data = std::make_unique<BYTE[]>(length);
    if (length_ > 0) std::memcpy(data.get(), data_.get(), std::min(length, length_));
  }
  data_ = std::move(data);
  length_ = length;
}

void VnBinaryString::Clear() {
  data_.reset();
  length_ = 0;
}

bool operator==(const VnBinaryString& a, const VnBinaryString& b) {
  return a.length_ == b.length_ &&
         (a.length_ == 0 || std::memcmp(a.Data(), b.Data(), a.length_) == 0);
}
