#include "snmp/Oid.h"

#include <algorithm>
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
  std::size_t i = 0;
  if (text[0] == '.') i = 1;
  bool ok = i < len;
  while (ok && i < len) {
    std::uint64_t n = 0;
    std::size_t digits = 0;
    for (; i < len && text[i] >= '0' && text[i] <= '9'; ++i, ++digits) {
      n = n * 10 + static_cast<std::uint64_t>(text[i] - '0');
      if (n > 0xFFFFFFFFULL) break;
    }
    if (digits == 0 || n > 0xFFFFFFFFULL || subids_.size() == kMaxLength) {
      ok = false;
      break;
    }
    subids_.push_back(static_cast<std::uint32_t>(n));
    if (i == len) break;
    if (text[i] != '.' || i + 1 == len) {
      ok = false;
      break;
    }
    ++i;
  }
  if (!ok) {
    subids_.clear();
    valid_ = false;
  }
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
  std::string out;
  for (std::size_t i = 0; i < subids_.size(); ++i) {
    if (i) out.push_back('.');
    out += std::to_string(subids_[i]);
  }
  return out;
}

std::unique_ptr<SnmpSyntax> Oid::clone() const { return std::make_unique<Oid>(*this); }

bool Oid::assign(const SnmpSyntax& other) {
  const auto* v = dynamic_cast<const Oid*>(&other);
  if (!v) return false;
  *this = *v;
  return true;
}
