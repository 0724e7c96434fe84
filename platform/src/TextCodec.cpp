// Text between byte strings and the toolkit: UTF-8, with bytes that are not
// valid UTF-8 shown one character per byte; the bytes behind a text the user
// changed.
#include <algorithm>
#include <string>
#include <vector>

#include "Toolkit.h"
#include "platform/StdCtrls.h"

namespace ui_detail {

namespace {

// Length of the UTF-8 sequence at p[0..n) and its code point; 0 when the
// bytes there are no valid sequence (stray continuation byte, overlong form,
// surrogate, beyond U+10FFFF, cut short).
int Sequence(const unsigned char* p, int n, char32_t& cp) {
  const unsigned c = p[0];
  const int len =
      c >= 0xC2 && c <= 0xDF ? 2 : (c >= 0xE0 && c <= 0xEF ? 3 : (c >= 0xF0 && c <= 0xF4 ? 4 : 0));
  if (len == 0 || len > n) return 0;
  cp = c & (0x7Fu >> len);
  for (int k = 1; k < len; ++k) {
    if ((p[k] & 0xC0u) != 0x80u) return 0;
    cp = (cp << 6) | (p[k] & 0x3Fu);
  }
  if ((len == 3 && cp < 0x800) || (len == 4 && (cp < 0x10000 || cp > 0x10FFFF)) ||
      (cp >= 0xD800 && cp <= 0xDFFF))
    return 0;
  return len;
}

// Calls f(code point, offset, byte count) for each character the bytes
// show as: a UTF-8 sequence, or one byte that is not part of one.
template <class F>
void ForEachCharacter(const AnsiString& s, F&& f) {
  const auto* p = reinterpret_cast<const unsigned char*>(s.data());
  const int n = s.Length();
  for (int i = 0; i < n;) {
    char32_t cp = p[i];
    int len = cp < 0x80 ? 1 : Sequence(p + i, n - i, cp);
    if (len == 0) {
      cp = p[i];  // not UTF-8: the byte as its Latin-1 character
      len = 1;
    }
    f(cp, i, len);
    i += len;
  }
}

// The offset of the bytes behind each UTF-16 unit of Q(s), and one past the
// last: both units of a surrogate pair stand at their character's offset.
std::vector<int> UnitOffsets(const AnsiString& s) {
  std::vector<int> at;
  at.reserve(static_cast<std::size_t>(s.Length()) + 1);
  ForEachCharacter(s, [&](char32_t cp, int offset, int) {
    at.push_back(offset);
    if (cp >= 0x10000) at.push_back(offset);
  });
  at.push_back(s.Length());
  return at;
}

bool IsLowSurrogate(const QString& q, qsizetype i) { return i < q.size() && q[i].isLowSurrogate(); }

}  // namespace

QString Q(const AnsiString& s) {
  const auto* p = reinterpret_cast<const unsigned char*>(s.data());
  const int n = s.Length();
  int ascii = 0;
  while (ascii < n && p[ascii] < 0x80) ++ascii;
  if (ascii == n) return QString::fromLatin1(s.data(), n);
  QString out;
  out.reserve(n);
  ForEachCharacter(s, [&](char32_t cp, int, int) {
    if (cp >= 0x10000) {
      out += QChar(QChar::highSurrogate(cp));
      out += QChar(QChar::lowSurrogate(cp));
    } else {
      out += QChar(static_cast<char16_t>(cp));
    }
  });
  return out;
}

AnsiString A(const QString& q) {
  QByteArray b = q.toUtf8();
  return AnsiString(b.constData(), static_cast<int>(b.size()));
}

AnsiString EditedBytes(const QString& now, const TTextBytes& held) {
  if (now == Q(held.Set)) return held.Set;
  const QString old = Q(held.Now);
  if (now == old) return held.Now;
  // The characters left alone at the front and at the end, never half a
  // surrogate pair.
  const qsizetype most = std::min(old.size(), now.size());
  qsizetype front = 0;
  while (front < most && old[front] == now[front]) ++front;
  if (IsLowSurrogate(old, front)) --front;
  qsizetype back = 0;
  while (back < most - front && old[old.size() - 1 - back] == now[now.size() - 1 - back]) ++back;
  if (back > 0 && IsLowSurrogate(old, old.size() - back)) --back;
  const std::vector<int> at = UnitOffsets(held.Now);
  const std::string& bytes = held.Now.str();
  const std::string head =
      bytes.substr(0, static_cast<std::size_t>(at[static_cast<std::size_t>(front)]));
  const std::string tail =
      bytes.substr(static_cast<std::size_t>(at[static_cast<std::size_t>(old.size() - back)]));
  const QString middle = now.mid(front, now.size() - front - back);
  // Kept bytes that would join the typed ones into other characters (a
  // lone lead byte before the continuation bytes after a deletion) are
  // kept at one end only, or at none.
  const AnsiString candidates[] = {
      AnsiString(head + A(middle).str() + tail),
      AnsiString(head + A(now.mid(front)).str()),
      AnsiString(A(now.left(now.size() - back)).str() + tail),
  };
  for (const AnsiString& bytesNow : candidates)
    if (Q(bytesNow) == now) return bytesNow;
  return A(now);
}

}  // namespace ui_detail
