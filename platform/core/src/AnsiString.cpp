#include "platform/AnsiString.h"

#include <cstdarg>
#include <cstdio>
#include <ostream>

#include "platform/SysUtils.h"

namespace {

AnsiString VFormat(const char* format, va_list args) {
  if (!format) return AnsiString();
  va_list copy;
  va_copy(copy, args);
  int n = std::vsnprintf(nullptr, 0, format, copy);
  va_end(copy);
  if (n <= 0) return AnsiString();
  std::string out(static_cast<std::size_t>(n) + 1, '\0');
  std::vsnprintf(out.data(), out.size(), format, args);
  out.resize(static_cast<std::size_t>(n));
  return AnsiString(std::move(out));
}

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

char Upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }
char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

AnsiString::AnsiString(int v) : s_(std::to_string(v)) {}
AnsiString::AnsiString(unsigned int v) : s_(std::to_string(v)) {}
AnsiString::AnsiString(long v) : s_(std::to_string(v)) {}
AnsiString::AnsiString(unsigned long v) : s_(std::to_string(v)) {}
AnsiString::AnsiString(long long v) : s_(std::to_string(v)) {}
AnsiString::AnsiString(unsigned long long v) : s_(std::to_string(v)) {}
AnsiString::AnsiString(double v) : s_(FloatToStr(v).str()) {}

int AnsiString::Pos(const AnsiString& sub) const {
  if (sub.s_.empty()) return 0;
  std::size_t p = s_.find(sub.s_);
  return p == std::string::npos ? 0 : static_cast<int>(p) + 1;
}

int AnsiString::LastDelimiter(const AnsiString& delimiters) const {
  std::size_t p = s_.find_last_of(delimiters.s_);
  return p == std::string::npos ? 0 : static_cast<int>(p) + 1;
}

bool AnsiString::IsDelimiter(const AnsiString& delimiters, int index) const {
  if (index < 1 || index > Length()) return false;
  return delimiters.s_.find(s_[static_cast<std::size_t>(index - 1)]) != std::string::npos;
}

AnsiString AnsiString::SubString(int start, int count) const {
  if (start < 1) start = 1;
  if (count <= 0 || start > Length()) return AnsiString();
  return AnsiString(
      s_.substr(static_cast<std::size_t>(start - 1), static_cast<std::size_t>(count)));
}

AnsiString& AnsiString::Delete(int start, int count) {
  if (start < 1 || start > Length() || count <= 0) return *this;
  s_.erase(static_cast<std::size_t>(start - 1), static_cast<std::size_t>(count));
  return *this;
}

AnsiString& AnsiString::Insert(const AnsiString& str, int index) {
  if (index < 1) index = 1;
  if (index > Length() + 1) index = Length() + 1;
  s_.insert(static_cast<std::size_t>(index - 1), str.s_);
  return *this;
}

AnsiString AnsiString::Trim() const { return TrimLeft().TrimRight(); }

AnsiString AnsiString::TrimLeft() const {
  std::size_t i = 0;
  while (i < s_.size() && IsBlank(s_[i])) ++i;
  return AnsiString(s_.substr(i));
}

AnsiString AnsiString::TrimRight() const {
  std::size_t n = s_.size();
  while (n > 0 && IsBlank(s_[n - 1])) --n;
  return AnsiString(s_.substr(0, n));
}

AnsiString AnsiString::UpperCase() const {
  std::string out = s_;
  for (char& c : out) c = Upper(c);
  return AnsiString(std::move(out));
}

AnsiString AnsiString::LowerCase() const {
  std::string out = s_;
  for (char& c : out) c = Lower(c);
  return AnsiString(std::move(out));
}

int AnsiString::ToInt() const { return StrToInt(*this); }
int AnsiString::ToIntDef(int def) const { return StrToIntDef(*this, def); }
double AnsiString::ToDouble() const { return StrToFloat(*this); }

AnsiString& AnsiString::sprintf(const char* format, ...) {
  va_list args;
  va_start(args, format);
  *this = VFormat(format, args);
  va_end(args);
  return *this;
}

AnsiString& AnsiString::cat_sprintf(const char* format, ...) {
  va_list args;
  va_start(args, format);
  s_ += VFormat(format, args).s_;
  va_end(args);
  return *this;
}

AnsiString AnsiString::Format(const char* format, ...) {
  va_list args;
  va_start(args, format);
  AnsiString out = VFormat(format, args);
  va_end(args);
  return out;
}

AnsiString AnsiString::StringOfChar(char c, int count) {
  return AnsiString(std::string(count > 0 ? static_cast<std::size_t>(count) : 0, c));
}

int AnsiString::Compare(const AnsiString& other) const {
  int r = s_.compare(other.s_);  // char_traits<char>::compare orders as unsigned bytes
  return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

int AnsiString::CompareIC(const AnsiString& other) const {
  std::size_t n = std::min(s_.size(), other.s_.size());
  for (std::size_t i = 0; i < n; ++i) {
    auto a = static_cast<unsigned char>(Lower(s_[i]));
    auto b = static_cast<unsigned char>(Lower(other.s_[i]));
    if (a != b) return a < b ? -1 : 1;
  }
  if (s_.size() == other.s_.size()) return 0;
  return s_.size() < other.s_.size() ? -1 : 1;
}

std::ostream& operator<<(std::ostream& os, const AnsiString& s) { return os << s.str(); }
