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

namespace {

// Reads dotted decimal text into out (room for Oid::kMaxLength numbers) and
// sets count; false for a text an Oid does not take.
bool ReadDotted(const char* text, std::size_t len, std::uint32_t* out, std::size_t& count) {
  count = 0;
  if (len == 0) return true;
  const char* p = text;
  const char* const end = text + len;
  if (*p == '.') ++p;
  // Each number: at least one digit, below 2^32; then a dot and the next,
  // or the end of the text.
  for (;;) {
    std::uint32_t n = 0;
    auto [next, error] = std::from_chars(p, end, n);
    if (error != std::errc() || count == Oid::kMaxLength) return false;
    out[count++] = n;
    if (next == end) return true;
    if (*next != '.') return false;
    p = next + 1;
  }
}

// Follows a dotted text a character at a time and tells whether it is of
// the form get_printable writes: numbers without leading zeros, below 2^32,
// separated by single dots, at most Oid::kMaxLength of them ("" included).
class PrintedForm {
 public:
  // False once the text up to this character cannot be of the form.
  bool Next(char c) {
    if (c == '.') {
      const bool ended = digits_ > 0;
      digits_ = 0;
      value_ = 0;
      return ended;
    }
    const unsigned digit = static_cast<unsigned>(static_cast<unsigned char>(c)) - '0';
    if (digit > 9) return false;
    if (digits_ == 0) {
      if (++numbers_ > Oid::kMaxLength) return false;
    } else if (value_ == 0) {
      return false;  // a leading zero
    }
    ++digits_;
    value_ = value_ * 10 + digit;
    return value_ <= 0xFFFFFFFFu;
  }
  // Whether the whole text was of the form.
  bool Complete() const { return digits_ > 0 || numbers_ == 0; }

 private:
  std::size_t digits_ = 0;   // of the number being read
  std::uint64_t value_ = 0;  // of the number being read
  std::size_t numbers_ = 0;  // begun so far
};

// Compares two texts of the printed form number by number, as the Oids they
// print; false when either is not of that form. The part the texts share is
// looked at once.
bool ComparePrinted(std::string_view a, std::string_view b, std::strong_ordering& order) {
  const std::size_t common = std::min(a.size(), b.size());
  PrintedForm formA;
  std::size_t i = 0;
  for (; i < common && a[i] == b[i]; ++i)
    if (!formA.Next(a[i])) return false;
  PrintedForm formB = formA;
  for (std::size_t j = i; j < a.size(); ++j)
    if (!formA.Next(a[j])) return false;
  for (std::size_t j = i; j < b.size(); ++j)
    if (!formB.Next(b[j])) return false;
  if (!formA.Complete() || !formB.Complete()) return false;
  if (i == a.size() && i == b.size()) {
    order = std::strong_ordering::equal;
    return true;
  }
  // The numbers that hold the first difference: without leading zeros the
  // longer is the greater, and of two as long the first differing digit
  // decides. Where both numbers are whole, one text has ended there.
  std::size_t start = i;
  while (start > 0 && a[start - 1] != '.') --start;
  std::size_t endA = a.find('.', start);
  std::size_t endB = b.find('.', start);
  if (endA == std::string_view::npos) endA = a.size();
  if (endB == std::string_view::npos) endB = b.size();
  if (endA != endB)
    order = endA <=> endB;
  else if (i < endA)
    order = static_cast<unsigned char>(a[i]) <=> static_cast<unsigned char>(b[i]);
  else
    order = i == a.size() ? std::strong_ordering::less : std::strong_ordering::greater;
  return true;
}

}  // namespace

void Oid::parse(const char* text, std::size_t len) {
  std::uint32_t subids[kMaxLength];
  std::size_t count = 0;
  valid_ = ReadDotted(text, len, subids, count);
  if (valid_)
    subids_.assign(subids, subids + count);
  else
    subids_.clear();
}

std::strong_ordering Oid::compare_dotted(std::string_view a, std::string_view b) {
  std::strong_ordering order = std::strong_ordering::equal;
  if (ComparePrinted(a, b, order)) return order;
  std::uint32_t x[kMaxLength];
  std::uint32_t y[kMaxLength];
  std::size_t nx = 0;
  std::size_t ny = 0;
  if (!ReadDotted(a.data(), a.size(), x, nx)) nx = 0;
  if (!ReadDotted(b.data(), b.size(), y, ny)) ny = 0;
  return std::lexicographical_compare_three_way(x, x + nx, y, y + ny);
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
  std::string text;
  write_printable(text);
  return text;
}

void Oid::write_printable(std::string& text) const {
  char buffer[kMaxLength * 11];  // ten digits and a dot at most per number
  const std::size_t count = std::min(subids_.size(), kMaxLength);
  char* out = buffer;
  for (std::size_t i = 0; i < count; ++i) {
    if (i) *out++ = '.';
    out = std::to_chars(out, buffer + sizeof buffer, subids_[i]).ptr;
  }
  text.assign(buffer, static_cast<std::size_t>(out - buffer));
  // An Oid longer than a valid one is printed whole all the same.
  for (std::size_t i = count; i < subids_.size(); ++i) {
    text += '.';
    text += std::to_string(subids_[i]);
  }
}

std::unique_ptr<SnmpSyntax> Oid::clone() const { return std::make_unique<Oid>(*this); }

bool Oid::assign(const SnmpSyntax& other) {
  const auto* v = dynamic_cast<const Oid*>(&other);
  if (!v) return false;
  *this = *v;
  return true;
}
