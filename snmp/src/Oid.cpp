#include "snmp/Oid.h"

#include <algorithm>
#include <charconv>
#include <cstring>

Oid::Oid(const char* dotted) {
  if (dotted) parse(dotted, std::strlen(dotted));
}

Oid::Oid(const std::string& dotted) { parse(dotted.data(), dotted.size()); }

Oid::Oid(const std::uint32_t* subids, std::size_t count) {
  if (subids && count) subids_.assign(subids, subids + count);
  valid_ = subids_.size() <= kMaxLength;
}

Oid::Oid(std::vector<std::uint32_t> subids) : subids_(std::move(subids)) {
  valid_ = subids_.size() <= kMaxLength;
}

void Oid::parse(const char* text, std::size_t len) {
  subids_.clear();
  valid_ = true;
  if (len == 0) return;
  const char* p = text;
  const char* const end = text + len;
  if (*p == '.') ++p;
  subids_.reserve(static_cast<std::size_t>(std::count(p, end, '.')) + 1);
  // Each number: at least one digit, below 2^32; then a dot and the next,
  // or the end of the text.
  for (;;) {
    std::uint32_t n = 0;
    auto [next, error] = std::from_chars(p, end, n);
    if (error != std::errc() || subids_.size() == kMaxLength) break;
    subids_.push_back(n);
    if (next == end) return;
    if (*next != '.') break;
    p = next + 1;
  }
  subids_.clear();
  valid_ = false;
}

Oid& Oid::operator+=(std::uint32_t subid) {
  subids_.push_back(subid);
  if (subids_.size() > kMaxLength) valid_ = false;
  return *this;
}

Oid& Oid::operator+=(const Oid& tail) {
  if (!tail.valid_) valid_ = false;
  std::vector<std::uint32_t> copy = tail.subids_;  // tail may be *this
  subids_.insert(subids_.end(), copy.begin(), copy.end());
  if (subids_.size() > kMaxLength) valid_ = false;
  return *this;
}

void Oid::trim(std::size_t n) { subids_.resize(n >= subids_.size() ? 0 : subids_.size() - n); }

void Oid::clear() {
  subids_.clear();
  valid_ = true;
}

bool Oid::starts_with(const Oid& prefix) const {
  return prefix.subids_.size() <= subids_.size() &&
         std::equal(prefix.subids_.begin(), prefix.subids_.end(), subids_.begin());
}

int Oid::nCompare(std::size_t n, const Oid& other) const {
  std::size_t a = std::min(n, subids_.size());
  std::size_t b = std::min(n, other.subids_.size());
  for (std::size_t i = 0; i < std::min(a, b); ++i) {
    if (subids_[i] != other.subids_[i]) return subids_[i] < other.subids_[i] ? -1 : 1;
  }
  if (a == b) return 0;
  return a < b ? -1 : 1;
}

std::string Oid::get_printable() const {
  std::string text(subids_.size() * 11, '\0');  // ten digits and a dot at most
  char* const begin = text.data();
  char* out = begin;
  for (std::size_t i = 0; i < subids_.size(); ++i) {
    if (i) *out++ = '.';
    out = std::to_chars(out, begin + text.size(), subids_[i]).ptr;
  }
  text.resize(static_cast<std::size_t>(out - begin));
  return text;
}

std::unique_ptr<SnmpSyntax> Oid::clone() const { return std::make_unique<Oid>(*this); }

bool Oid::assign(const SnmpSyntax& other) {
  const auto* v = dynamic_cast<const Oid*>(&other);
  if (!v) return false;
  *this = *v;
  return true;
}
