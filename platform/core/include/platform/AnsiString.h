// AnsiString: a byte string with 1-based indexing.
//
// Bytes round-trip exactly: there is no encoding conversion anywhere in this
// class. Comparisons are ordinal (unsigned byte order).
#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>
#include <string_view>

class AnsiString {
 public:
  AnsiString() = default;
  AnsiString(const char* s) : s_(s ? s : "") {}  // NOLINT: implicit, as the Parts use it
  AnsiString(const char* s, int len)
      : s_(s ? std::string(s, static_cast<std::size_t>(len < 0 ? 0 : len)) : std::string()) {}
  AnsiString(const std::string& s) : s_(s) {}        // NOLINT
  AnsiString(std::string&& s) : s_(std::move(s)) {}  // NOLINT
  AnsiString(std::string_view s) : s_(s) {}          // NOLINT
  explicit AnsiString(char c) : s_(1, c) {}
  AnsiString(int v);                                        // NOLINT: numeric constructors
  AnsiString(unsigned int v);                               // NOLINT
  AnsiString(long v);                                       // NOLINT
  AnsiString(unsigned long v);                              // NOLINT
  AnsiString(long long v);                                  // NOLINT
  AnsiString(unsigned long long v);                         // NOLINT
  AnsiString(double v);                                     // NOLINT: through FloatToStr
  AnsiString(short v) : AnsiString(static_cast<int>(v)) {}  // NOLINT
  AnsiString(unsigned short v) : AnsiString(static_cast<unsigned int>(v)) {}  // NOLINT

  // Never null; valid until the string changes.
  const char* c_str() const { return s_.c_str(); }
  const char* data() const { return s_.data(); }
  int Length() const { return static_cast<int>(s_.size()); }
  bool IsEmpty() const { return s_.empty(); }
  void SetLength(int len) { s_.resize(len < 0 ? 0 : static_cast<std::size_t>(len)); }

  // 1-based; index 1..Length().
  char& operator[](int i) { return s_[static_cast<std::size_t>(i - 1)]; }
  char operator[](int i) const { return s_[static_cast<std::size_t>(i - 1)]; }

  // 1-based position of the first occurrence, 0 when absent (or when the
  // pattern is empty).
  int Pos(const AnsiString& sub) const;
  int AnsiPos(const AnsiString& sub) const { return Pos(sub); }
  // 1-based position of the last character that is one of delimiters, 0 when none.
  int LastDelimiter(const AnsiString& delimiters) const;
  bool IsDelimiter(const AnsiString& delimiters, int index) const;

  // Clamped: a start below 1 counts from 1, a count past the end stops there.
  AnsiString SubString(int start, int count) const;
  AnsiString& Delete(int start, int count);
  AnsiString& Insert(const AnsiString& str, int index);

  AnsiString Trim() const;  // removes bytes <= blank on both ends
  AnsiString TrimLeft() const;
  AnsiString TrimRight() const;
  AnsiString UpperCase() const;  // ASCII letters only
  AnsiString LowerCase() const;

  // Throws EConvertError ("'abc' is not a valid integer value").
  int ToInt() const;
  int ToIntDef(int def) const;
  // Throws EConvertError ("'abc' is not a valid floating point value").
  double ToDouble() const;

  // printf semantics; replaces (sprintf) or appends (cat_sprintf).
  AnsiString& sprintf(const char* format, ...) __attribute__((format(printf, 2, 3)));
  AnsiString& cat_sprintf(const char* format, ...) __attribute__((format(printf, 2, 3)));
  static AnsiString Format(const char* format, ...) __attribute__((format(printf, 1, 2)));
  static AnsiString StringOfChar(char c, int count);

  AnsiString& operator+=(const AnsiString& rhs) {
    s_ += rhs.s_;
    return *this;
  }
  AnsiString& operator+=(const char* rhs) {
    if (rhs) s_ += rhs;
    return *this;
  }
  AnsiString& operator+=(char c) {
    s_ += c;
    return *this;
  }

  friend AnsiString operator+(const AnsiString& a, const AnsiString& b) {
    return AnsiString(a.s_ + b.s_);
  }
  friend AnsiString operator+(const AnsiString& a, const char* b) {
    return AnsiString(a.s_ + (b ? b : ""));
  }
  friend AnsiString operator+(const char* a, const AnsiString& b) {
    return AnsiString((a ? a : "") + b.s_);
  }
  friend AnsiString operator+(const AnsiString& a, char c) { return AnsiString(a.s_ + c); }

  friend bool operator==(const AnsiString& a, const AnsiString& b) { return a.s_ == b.s_; }
  friend bool operator==(const AnsiString& a, const char* b) { return a.s_ == (b ? b : ""); }
  friend bool operator!=(const AnsiString& a, const AnsiString& b) { return !(a == b); }
  friend bool operator!=(const AnsiString& a, const char* b) { return !(a == b); }
  friend bool operator<(const AnsiString& a, const AnsiString& b) { return a.Compare(b) < 0; }
  friend bool operator>(const AnsiString& a, const AnsiString& b) { return a.Compare(b) > 0; }
  friend bool operator<=(const AnsiString& a, const AnsiString& b) { return a.Compare(b) <= 0; }
  friend bool operator>=(const AnsiString& a, const AnsiString& b) { return a.Compare(b) >= 0; }

  // Ordinal comparison: <0, 0, >0.
  int Compare(const AnsiString& other) const;
  // Case-insensitive (ASCII) comparison: <0, 0, >0.
  int CompareIC(const AnsiString& other) const;
  int AnsiCompare(const AnsiString& other) const { return Compare(other); }
  int AnsiCompareIC(const AnsiString& other) const { return CompareIC(other); }

  const std::string& str() const { return s_; }
  std::string& str() { return s_; }

 private:
  std::string s_;
};

std::ostream& operator<<(std::ostream& os, const AnsiString& s);

// The string type of the Parts: the same byte string.
using String = AnsiString;

template <>
struct std::hash<AnsiString> {
  std::size_t operator()(const AnsiString& s) const noexcept {
    return std::hash<std::string>()(s.str());
  }
};
