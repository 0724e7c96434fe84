// Text between byte strings and the toolkit: UTF-8, with bytes that are not
// valid UTF-8 shown one character per byte.
#include "Toolkit.h"

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

}  // namespace

QString Q(const AnsiString& s) {
  const auto* p = reinterpret_cast<const unsigned char*>(s.data());
  const int n = s.Length();
  int ascii = 0;
  while (ascii < n && p[ascii] < 0x80) ++ascii;
  if (ascii == n) return QString::fromLatin1(s.data(), n);
  QString out = QString::fromLatin1(s.data(), ascii);
  out.reserve(n);
  for (int i = ascii; i < n;) {
    char32_t cp = p[i];
    int len = cp < 0x80 ? 1 : Sequence(p + i, n - i, cp);
    if (len == 0) {
      cp = p[i];  // not UTF-8: the byte as its Latin-1 character
      len = 1;
    }
    if (cp >= 0x10000) {
      out += QChar(QChar::highSurrogate(cp));
      out += QChar(QChar::lowSurrogate(cp));
    } else {
      out += QChar(static_cast<char16_t>(cp));
    }
    i += len;
  }
  return out;
}

AnsiString A(const QString& q) {
  QByteArray b = q.toUtf8();
  return AnsiString(b.constData(), static_cast<int>(b.size()));
}

AnsiString A(const QString& q, const AnsiString& shown) { return q == Q(shown) ? shown : A(q); }

}  // namespace ui_detail
