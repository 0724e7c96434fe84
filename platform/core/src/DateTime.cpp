#include "platform/DateTime.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>

#include "platform/Exceptions.h"

namespace {

constexpr long long kMsPerDay = 86400000;
// Day 0 (1899-12-30) counted from 1970-01-01.
constexpr long long kUnixDayZero = -25569;
// Whole days of 0001-01-01 and 9999-12-31.
constexpr long long kFirstDay = -693593;
constexpr long long kLastDay = 2958465;

const char* const kShortMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                    "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
const char* const kLongMonths[] = {"January",   "February", "March",    "April",
                                   "May",       "June",     "July",     "August",
                                   "September", "October",  "November", "December"};
const char* const kShortDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
const char* const kLongDays[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                 "Thursday", "Friday", "Saturday"};

const char kShortDateFormat[] = "yyyy/mm/dd";
const char kLongDateFormat[] = "dddd, mmmm d, yyyy";
const char kShortTimeFormat[] = "hh:nn";
const char kLongTimeFormat[] = "hh:nn:ss";
constexpr int kTwoDigitYearWindow = 50;

// Days since 1970-01-01 of a proleptic Gregorian date, and back.
long long DaysFromCivil(long long y, unsigned m, unsigned d) {
  y -= m <= 2;
  const long long era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<long long>(doe) - 719468;
}

void CivilFromDays(long long z, long long& y, unsigned& m, unsigned& d) {
  z += 719468;
  const long long era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  d = doy - (153 * mp + 2) / 5 + 1;
  m = mp < 10 ? mp + 3 : mp - 9;
  y = static_cast<long long>(yoe) + era * 400 + (m <= 2);
}

unsigned DaysInMonth(unsigned year, unsigned month) {
  static const unsigned days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month == 2 && IsLeapYear(static_cast<WORD>(year))) return 29;
  return days[month - 1];
}

// A value split into whole days and milliseconds of the day, the way the
// class library does it: rounded to the millisecond, the day truncated
// towards zero, the time of day from the absolute value.
struct Stamp {
  long long day = 0;
  long long ms = 0;
  bool valid = false;
};

Stamp ToStamp(double v) {
  Stamp s;
  if (!std::isfinite(v) || v < kFirstDay - 1 || v > kLastDay + 1) return s;
  const long long t = std::llround(v * static_cast<double>(kMsPerDay));
  s.day = t / kMsPerDay;
  s.ms = std::llabs(t) % kMsPerDay;
  s.valid = s.day >= kFirstDay && s.day <= kLastDay;
  return s;
}

bool TryEncodeDate(unsigned y, unsigned m, unsigned d, double& out) {
  if (y < 1 || y > 9999 || m < 1 || m > 12 || d < 1 || d > DaysInMonth(y, m)) return false;
  out = static_cast<double>(DaysFromCivil(y, m, d) - kUnixDayZero);
  return true;
}

bool TryEncodeTime(unsigned h, unsigned n, unsigned s, unsigned z, double& out) {
  if (h > 23 || n > 59 || s > 59 || z > 999) return false;
  out = static_cast<double>(((h * 60 + n) * 60 + s) * 1000 + z) / static_cast<double>(kMsPerDay);
  return true;
}

double Combine(double date, double time) { return date >= 0 ? date + time : date - time; }

char Upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool StartsWithIC(const std::string& s, std::size_t at, const char* word) {
  for (std::size_t i = 0; word[i]; ++i)
    if (at + i >= s.size() || Upper(s[at + i]) != Upper(word[i])) return false;
  return true;
}

// ------------------------------------------------------------- formatting

class Formatter {
 public:
  explicit Formatter(TDateTime dt) : dt_(dt) {
    DecodeDate(dt, year_, month_, day_);
    DecodeTime(dt, hour_, min_, sec_, msec_);
  }

  void Append(const std::string& f) {
    if (level_ >= 2) return;
    ++level_;
    char lastToken = ' ';
    std::size_t i = 0;
    while (i < f.size()) {
      const char starter = f[i++];
      char token = Upper(starter);
      if (token >= 'A' && token <= 'Z') {
        if (token == 'M' && lastToken == 'H') token = 'N';
        lastToken = token;
      }
      switch (token) {
        case 'Y': {
          int count = Count(f, i, starter);
          if (count <= 2)
            Number(year_ % 100, 2);
          else
            Number(year_, 4);
          break;
        }
        case 'M': {
          int count = Count(f, i, starter);
          if (count <= 2)
            Number(month_, count);
          else if (month_ >= 1)
            out_ += count == 3 ? kShortMonths[month_ - 1] : kLongMonths[month_ - 1];
          break;
        }
        case 'D': {
          int count = Count(f, i, starter);
          if (count <= 2)
            Number(day_, count);
          else if (count == 3)
            out_ += kShortDays[DayOfWeek(dt_) - 1];
          else if (count == 4)
            out_ += kLongDays[DayOfWeek(dt_) - 1];
          else if (count == 5)
            Append(kShortDateFormat);
          else
            Append(kLongDateFormat);
          break;
        }
        case 'H': {
          int count = Count(f, i, starter);
          if (TwelveHourAhead(f, i)) twelveHour_ = true;
          int h = hour_;
          if (twelveHour_) h = h == 0 ? 12 : (h > 12 ? h - 12 : h);
          Number(h, count > 2 ? 2 : count);
          break;
        }
        case 'N': {
          int count = Count(f, i, starter);
          Number(min_, count > 2 ? 2 : count);
          break;
        }
        case 'S': {
          int count = Count(f, i, starter);
          Number(sec_, count > 2 ? 2 : count);
          break;
        }
        case 'Z': {
          int count = Count(f, i, starter);
          Number(msec_, count > 3 ? 3 : count);
          break;
        }
        case 'T': {
          int count = Count(f, i, starter);
          Append(count == 1 ? kShortTimeFormat : kLongTimeFormat);
          break;
        }
        case 'C': {
          Count(f, i, starter);
          Append(kShortDateFormat);
          if (hour_ != 0 || min_ != 0 || sec_ != 0) {
            out_ += ' ';
            Append(kLongTimeFormat);
          }
          break;
        }
        case 'A': {
          const std::size_t at = i - 1;
          if (StartsWithIC(f, at, "AM/PM")) {
            out_ += f.substr(at + (hour_ >= 12 ? 3 : 0), 2);
            i = at + 5;
            twelveHour_ = true;
          } else if (StartsWithIC(f, at, "A/P")) {
            out_ += f[at + (hour_ >= 12 ? 2 : 0)];
            i = at + 3;
            twelveHour_ = true;
          } else if (StartsWithIC(f, at, "AMPM")) {
            out_ += hour_ < 12 ? "AM" : "PM";
            i = at + 4;
            twelveHour_ = true;
          } else if (StartsWithIC(f, at, "AAAA")) {
            out_ += kLongDays[DayOfWeek(dt_) - 1];
            i = at + 4;
          } else if (StartsWithIC(f, at, "AAA")) {
            out_ += kShortDays[DayOfWeek(dt_) - 1];
            i = at + 3;
          } else {
            out_ += starter;
          }
          break;
        }
        case '/':
          out_ += '/';
          break;
        case ':':
          out_ += ':';
          break;
        case '\'':
        case '"': {
          std::size_t end = f.find(starter, i);
          if (end == std::string::npos) end = f.size();
          out_ += f.substr(i, end - i);
          i = end < f.size() ? end + 1 : end;
          break;
        }
        default:
          out_ += starter;
          break;
      }
    }
    --level_;
  }

  const std::string& Result() const { return out_; }

 private:
  // Consumes the run of `starter` that began one character before i.
  static int Count(const std::string& f, std::size_t& i, char starter) {
    int count = 1;
    while (i < f.size() && f[i] == starter) {
      ++i;
      ++count;
    }
    return count;
  }

  // An hour takes the 12-hour clock when the first unquoted "a" after it,
  // before any further hour, starts one of the designator tokens.
  static bool TwelveHourAhead(const std::string& f, std::size_t i) {
    bool quoted = false;
    for (; i < f.size(); ++i) {
      const char c = f[i];
      if ((c == 'a' || c == 'A') && !quoted)
        return StartsWithIC(f, i, "AM/PM") || StartsWithIC(f, i, "A/P") ||
               StartsWithIC(f, i, "AMPM");
      if (c == 'h' || c == 'H') return false;
      if (c == '\'' || c == '"') quoted = !quoted;
    }
    return false;
  }

  void Number(int value, int digits) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%0*d", digits, value);
    out_ += buf;
  }

  TDateTime dt_;
  WORD year_ = 0, month_ = 0, day_ = 0, hour_ = 0, min_ = 0, sec_ = 0, msec_ = 0;
  bool twelveHour_ = false;
  int level_ = 0;
  std::string out_;
};

// ---------------------------------------------------------------- parsing

class Scanner {
 public:
  explicit Scanner(const std::string& s) : s_(s) {}

  std::size_t pos = 0;

  void Blanks() {
    while (pos < s_.size() && (s_[pos] == ' ' || s_[pos] == '\t')) ++pos;
  }
  bool AtEnd() {
    Blanks();
    return pos >= s_.size();
  }
  bool Char(char c) {
    Blanks();
    if (pos < s_.size() && s_[pos] == c) {
      ++pos;
      return true;
    }
    return false;
  }
  bool Word(const char* w) {
    Blanks();
    if (!StartsWithIC(s_, pos, w)) return false;
    pos += std::char_traits<char>::length(w);
    return true;
  }
  // Up to four digits' worth, as the class library reads numbers here.
  bool Number(unsigned& n, int& len) {
    Blanks();
    std::size_t p = pos;
    n = 0;
    while (p < s_.size() && s_[p] >= '0' && s_[p] <= '9' && n < 1000) {
      n = n * 10 + static_cast<unsigned>(s_[p] - '0');
      ++p;
    }
    if (p == pos) return false;
    len = static_cast<int>(p - pos);
    pos = p;
    return true;
  }

 private:
  const std::string& s_;
};

unsigned CurrentYear() {
  WORD y, m, d;
  DecodeDate(Now(), y, m, d);
  return y;
}

bool ScanDate(Scanner& sc, double& date) {
  unsigned n1, n2, n3;
  int l1, l2, l3;
  if (!(sc.Number(n1, l1) && sc.Char('/') && sc.Number(n2, l2))) return false;
  unsigned y, m, d;
  if (sc.Char('/')) {
    if (!sc.Number(n3, l3)) return false;
    y = n1;
    m = n2;
    d = n3;
    if (l1 <= 2) {
      const int base = static_cast<int>(CurrentYear()) - kTwoDigitYearWindow;
      y += static_cast<unsigned>(base / 100 * 100);
      if (static_cast<int>(y) < base) y += 100;
    }
  } else {
    y = CurrentYear();
    m = n1;
    d = n2;
  }
  return TryEncodeDate(y, m, d, date);
}

bool ScanTime(Scanner& sc, double& time) {
  int base = -1;
  if (sc.Word("AM"))
    base = 0;
  else if (sc.Word("PM"))
    base = 12;
  unsigned h, n = 0, s = 0, z = 0;
  int len;
  if (!sc.Number(h, len)) return false;
  if (sc.Char(':')) {
    if (!sc.Number(n, len)) return false;
    if (sc.Char(':')) {
      if (!sc.Number(s, len)) return false;
      if (sc.Char('.') && !sc.Number(z, len)) return false;
    }
  }
  if (base < 0) {
    if (sc.Word("AM"))
      base = 0;
    else if (sc.Word("PM"))
      base = 12;
  }
  if (base >= 0) {
    if (h == 0 || h > 12) return false;
    if (h == 12) h = 0;
    h += static_cast<unsigned>(base);
  }
  return TryEncodeTime(h, n, s, z, time);
}

}  // namespace

AnsiString TDateTime::FormatString(const AnsiString& format) const {
  return FormatDateTime(format, *this);
}

TDateTime Now() {
  using namespace std::chrono;
  const long long ms = duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
  long long secs = ms / 1000;
  long long msec = ms % 1000;
  if (msec < 0) {
    msec += 1000;
    --secs;
  }
  std::time_t t = static_cast<std::time_t>(secs);
  std::tm lt{};
  localtime_r(&t, &lt);
  double date = 0, time = 0;
  TryEncodeDate(static_cast<unsigned>(lt.tm_year + 1900), static_cast<unsigned>(lt.tm_mon + 1),
                static_cast<unsigned>(lt.tm_mday), date);
  // A leap second reads as the last second of its minute.
  TryEncodeTime(static_cast<unsigned>(lt.tm_hour), static_cast<unsigned>(lt.tm_min),
                static_cast<unsigned>(lt.tm_sec > 59 ? 59 : lt.tm_sec), static_cast<unsigned>(msec),
                time);
  return Combine(date, time);
}

TDateTime EncodeDate(WORD year, WORD month, WORD day) {
  double v;
  if (!TryEncodeDate(year, month, day, v)) throw EConvertError("Invalid argument to date encode");
  return v;
}

TDateTime EncodeTime(WORD hour, WORD min, WORD sec, WORD msec) {
  double v;
  if (!TryEncodeTime(hour, min, sec, msec, v))
    throw EConvertError("Invalid argument to time encode");
  return v;
}

bool TryEncodeDate(WORD year, WORD month, WORD day, TDateTime& date) {
  double v;
  if (!TryEncodeDate(unsigned{year}, unsigned{month}, unsigned{day}, v)) return false;
  date = v;
  return true;
}

bool TryEncodeTime(WORD hour, WORD min, WORD sec, WORD msec, TDateTime& time) {
  double v;
  if (!TryEncodeTime(unsigned{hour}, unsigned{min}, unsigned{sec}, unsigned{msec}, v)) return false;
  time = v;
  return true;
}

void DecodeDate(TDateTime dt, WORD& year, WORD& month, WORD& day) {
  year = month = day = 0;
  const Stamp s = ToStamp(dt.Val);
  if (!s.valid) return;
  long long y;
  unsigned m, d;
  CivilFromDays(s.day + kUnixDayZero, y, m, d);
  year = static_cast<WORD>(y);
  month = static_cast<WORD>(m);
  day = static_cast<WORD>(d);
}

void DecodeTime(TDateTime dt, WORD& hour, WORD& min, WORD& sec, WORD& msec) {
  hour = min = sec = msec = 0;
  const Stamp s = ToStamp(dt.Val);
  if (!s.valid) return;
  hour = static_cast<WORD>(s.ms / 3600000);
  min = static_cast<WORD>(s.ms / 60000 % 60);
  sec = static_cast<WORD>(s.ms / 1000 % 60);
  msec = static_cast<WORD>(s.ms % 1000);
}

bool IsLeapYear(WORD year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

int DayOfWeek(TDateTime dt) {
  const Stamp s = ToStamp(dt.Val);
  // 1899-12-30 was a Saturday.
  long long w = (s.day + 6) % 7;
  if (w < 0) w += 7;
  return static_cast<int>(w) + 1;
}

AnsiString FormatDateTime(const AnsiString& format, TDateTime dt) {
  Formatter f(dt);
  f.Append(format.IsEmpty() ? std::string("c") : format.str());
  return AnsiString(f.Result());
}

void DateTimeToString(AnsiString& result, const AnsiString& format, TDateTime dt) {
  result = FormatDateTime(format, dt);
}

AnsiString DateTimeToStr(TDateTime dt) { return FormatDateTime("c", dt); }

bool TryStrToDateTime(const AnsiString& s, TDateTime& value) {
  {
    Scanner sc(s.str());
    double date = 0, time = 0;
    if (ScanDate(sc, date) && (sc.AtEnd() || (ScanTime(sc, time) && sc.AtEnd()))) {
      value = Combine(date, time);
      return true;
    }
  }
  Scanner sc(s.str());
  double time = 0;
  if (ScanTime(sc, time) && sc.AtEnd()) {
    value = time;
    return true;
  }
  return false;
}

TDateTime StrToDateTime(const AnsiString& s) {
  TDateTime v;
  if (!TryStrToDateTime(s, v)) throw EConvertError("'" + s + "' is not a valid date and time");
  return v;
}
