#include "platform/SysUtils.h"

#include <locale.h>

#include <charconv>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/Exceptions.h"
#include "platform/NumberText.h"

namespace {

[[noreturn]] void BadInteger(const AnsiString& s) {
  throw EConvertError("'" + s + "' is not a valid integer value");
}

[[noreturn]] void BadFloat(const AnsiString& s) {
  throw EConvertError("'" + s + "' is not a valid floating point value");
}

// Parses like the class library's integer reader: leading blanks, a sign,
// decimal digits or "$"/"0x" hexadecimal, nothing after. False on any fault
// or when the value leaves [lo, hi].
bool ParseInt(const AnsiString& text, long long lo, long long hi, long long& out) {
  const char* p = text.c_str();
  while (*p == ' ' || *p == '\t') ++p;
  bool neg = false;
  if (*p == '+' || *p == '-') neg = (*p++ == '-');
  int base = 10;
  if (*p == '$') {
    base = 16;
    ++p;
  } else if (p[0] == '0' && (p[1] == 'x' || p[1] == 'X')) {
    base = 16;
    p += 2;
  }
  if (!*p) return false;
  unsigned long long v = 0;
  for (; *p; ++p) {
    int d;
    if (*p >= '0' && *p <= '9')
      d = *p - '0';
    else if (base == 16 && *p >= 'a' && *p <= 'f')
      d = *p - 'a' + 10;
    else if (base == 16 && *p >= 'A' && *p <= 'F')
      d = *p - 'A' + 10;
    else
      return false;
    v = v * static_cast<unsigned long long>(base) + static_cast<unsigned long long>(d);
    if (v > static_cast<unsigned long long>(LLONG_MAX) + 1ULL) return false;
  }
  long long r;
  if (neg) {
    r = (v == static_cast<unsigned long long>(LLONG_MAX) + 1ULL) ? LLONG_MIN
                                                                 : -static_cast<long long>(v);
  } else {
    if (v > static_cast<unsigned long long>(LLONG_MAX)) return false;
    r = static_cast<long long>(v);
  }
  // Hexadecimal 32-bit values wrap like the class library's reader does.
  if (base == 16 && hi == INT_MAX && !neg && v <= 0xFFFFFFFFULL)
    r = static_cast<int>(static_cast<unsigned int>(v));
  if (r < lo || r > hi) return false;
  out = r;
  return true;
}

// The "C" locale, for the C library's number readers: the process's own
// locale may use a decimal comma. Made once, kept for the process.
locale_t CLocale() {
  static locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
  return c;
}

}  // namespace

double LeadingFloat(const char* text, const char** end) {
  char* stop = nullptr;
  double v = text ? strtod_l(text, &stop, CLocale()) : 0.0;
  if (end) *end = text ? stop : text;
  return v;
}

long double LeadingLongFloat(const char* text) {
  return text ? strtold_l(text, nullptr, CLocale()) : 0.0L;
}

AnsiString IntToStr(int v) { return AnsiString(v); }
AnsiString IntToStr(long long v) { return AnsiString(v); }

AnsiString IntToHex(long long v, int digits) {
  char buf[40];
  std::snprintf(buf, sizeof buf, "%0*llX", digits < 0 ? 0 : (digits > 32 ? 32 : digits),
                static_cast<unsigned long long>(v));
  return AnsiString(buf);
}

int StrToInt(const AnsiString& s) {
  long long v;
  if (!ParseInt(s, INT_MIN, INT_MAX, v)) BadInteger(s);
  return static_cast<int>(v);
}

int StrToIntDef(const AnsiString& s, int def) {
  long long v;
  return ParseInt(s, INT_MIN, INT_MAX, v) ? static_cast<int>(v) : def;
}

long long StrToInt64(const AnsiString& s) {
  long long v;
  if (!ParseInt(s, LLONG_MIN, LLONG_MAX, v)) BadInteger(s);
  return v;
}

long long StrToInt64Def(const AnsiString& s, long long def) {
  long long v;
  return ParseInt(s, LLONG_MIN, LLONG_MAX, v) ? v : def;
}

double StrToFloat(const AnsiString& s) {
  AnsiString t = s.Trim();
  if (t.IsEmpty()) BadFloat(s);
  // Only plain decimal notation: no hexadecimal floats, no "inf"/"nan".
  for (char c : t.str()) {
    if (!((c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+' || c == 'e' || c == 'E'))
      BadFloat(s);
  }
  const char* end = nullptr;
  double v = LeadingFloat(t.c_str(), &end);
  if (end != t.c_str() + t.Length() || std::isinf(v)) BadFloat(s);
  return v;
}

AnsiString FloatToStr(double v) {
  if (std::isnan(v)) return "NAN";
  if (std::isinf(v)) return v > 0 ? "INF" : "-INF";
  if (v == 0) return "0";
  // 15 significant digits, then the class library's general layout: fixed
  // when the exponent lies in [-5, 14], else d.dddE[-]x without padding.
  char buf[64];
  std::to_chars_result r =
      std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific, 14);
  // buf: [-]d.dddddddddddddde[+-]xx, whatever the process's locale
  std::string s(buf, r.ptr);
  std::size_t epos = s.find('e');
  int exp = std::atoi(s.c_str() + epos + 1);
  bool neg = s[0] == '-';
  std::string digits;
  for (std::size_t i = neg ? 1 : 0; i < epos; ++i)
    if (s[i] != '.') digits += s[i];
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
  std::string out = neg ? "-" : "";
  if (exp >= -5 && exp < 15) {
    if (exp < 0) {
      out += "0." + std::string(static_cast<std::size_t>(-exp - 1), '0') + digits;
    } else if (static_cast<int>(digits.size()) <= exp + 1) {
      out += digits + std::string(static_cast<std::size_t>(exp + 1) - digits.size(), '0');
    } else {
      out += digits.substr(0, static_cast<std::size_t>(exp + 1)) + "." +
             digits.substr(static_cast<std::size_t>(exp + 1));
    }
  } else {
    out += digits.substr(0, 1);
    // Appended piece by piece: GCC 12 warns falsely (-Wrestrict) on "x" + string.
    if (digits.size() > 1) {
      out += '.';
      out += digits.substr(1);
    }
    out += 'E';
    out += std::to_string(exp);
  }
  return AnsiString(out);
}

AnsiString UpperCase(const AnsiString& s) { return s.UpperCase(); }
AnsiString LowerCase(const AnsiString& s) { return s.LowerCase(); }
AnsiString Trim(const AnsiString& s) { return s.Trim(); }
AnsiString TrimLeft(const AnsiString& s) { return s.TrimLeft(); }
AnsiString TrimRight(const AnsiString& s) { return s.TrimRight(); }

bool SameText(const AnsiString& a, const AnsiString& b) { return a.CompareIC(b) == 0; }
int CompareText(const AnsiString& a, const AnsiString& b) { return a.CompareIC(b); }
int AnsiCompareText(const AnsiString& a, const AnsiString& b) { return a.CompareIC(b); }
int AnsiCompareStr(const AnsiString& a, const AnsiString& b) { return a.Compare(b); }
