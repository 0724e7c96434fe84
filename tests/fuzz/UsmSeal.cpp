#include "fuzz/UsmSeal.h"

#include <array>
#include <cstddef>

#include "snmp/SnmpConstants.h"
#include "snmp/Usm.h"

namespace vnfuzz {

namespace {

std::uint32_t Rotl(std::uint32_t v, int n) { return v << n | v >> (32 - n); }

// --- DES (FIPS 46-3); tables count bits from 1 at the most significant.

constexpr std::uint8_t kIp[64] = {58, 50, 42, 34, 26, 18, 10, 2, 60, 52, 44, 36, 28, 20, 12, 4,
                                  62, 54, 46, 38, 30, 22, 14, 6, 64, 56, 48, 40, 32, 24, 16, 8,
                                  57, 49, 41, 33, 25, 17, 9,  1, 59, 51, 43, 35, 27, 19, 11, 3,
                                  61, 53, 45, 37, 29, 21, 13, 5, 63, 55, 47, 39, 31, 23, 15, 7};
constexpr std::uint8_t kFp[64] = {40, 8, 48, 16, 56, 24, 64, 32, 39, 7, 47, 15, 55, 23, 63, 31,
                                  38, 6, 46, 14, 54, 22, 62, 30, 37, 5, 45, 13, 53, 21, 61, 29,
                                  36, 4, 44, 12, 52, 20, 60, 28, 35, 3, 43, 11, 51, 19, 59, 27,
                                  34, 2, 42, 10, 50, 18, 58, 26, 33, 1, 41, 9,  49, 17, 57, 25};
constexpr std::uint8_t kE[48] = {32, 1,  2,  3,  4,  5,  4,  5,  6,  7,  8,  9,  8,  9,  10, 11,
                                 12, 13, 12, 13, 14, 15, 16, 17, 16, 17, 18, 19, 20, 21, 20, 21,
                                 22, 23, 24, 25, 24, 25, 26, 27, 28, 29, 28, 29, 30, 31, 32, 1};
constexpr std::uint8_t kP[32] = {16, 7, 20, 21, 29, 12, 28, 17, 1,  15, 23, 26, 5,  18, 31, 10,
                                 2,  8, 24, 14, 32, 27, 3,  9,  19, 13, 30, 6,  22, 11, 4,  25};
constexpr std::uint8_t kPc1[56] = {57, 49, 41, 33, 25, 17, 9,  1,  58, 50, 42, 34, 26, 18,
                                   10, 2,  59, 51, 43, 35, 27, 19, 11, 3,  60, 52, 44, 36,
                                   63, 55, 47, 39, 31, 23, 15, 7,  62, 54, 46, 38, 30, 22,
                                   14, 6,  61, 53, 45, 37, 29, 21, 13, 5,  28, 20, 12, 4};
constexpr std::uint8_t kPc2[48] = {14, 17, 11, 24, 1,  5,  3,  28, 15, 6,  21, 10, 23, 19, 12, 4,
                                   26, 8,  16, 7,  27, 20, 13, 2,  41, 52, 31, 37, 47, 55, 30, 40,
                                   51, 45, 33, 48, 44, 49, 39, 56, 34, 53, 46, 42, 50, 36, 29, 32};
constexpr std::uint8_t kShifts[16] = {1, 1, 2, 2, 2, 2, 2, 2, 1, 2, 2, 2, 2, 2, 2, 1};
constexpr std::uint8_t kS[8][64] = {
    {14, 4,  13, 1, 2,  15, 11, 8, 3, 10, 6, 12, 5,  9,  0,  7,  0,  15, 7,  4,  14, 2,
     13, 1,  10, 6, 12, 11, 9,  5, 3, 8,  4, 1,  14, 8,  13, 6,  2,  11, 15, 12, 9,  7,
     3,  10, 5,  0, 15, 12, 8,  2, 4, 9,  1, 7,  5,  11, 3,  14, 10, 0,  6,  13},
    {15, 1,  8,  14, 6,  11, 3,  4, 9,  7,  2, 13, 12, 0,  5,  10, 3,  13, 4,  7, 15, 2,
     8,  14, 12, 0,  1,  10, 6,  9, 11, 5,  0, 14, 7,  11, 10, 4,  13, 1,  5,  8, 12, 6,
     9,  3,  2,  15, 13, 8,  10, 1, 3,  15, 4, 2,  11, 6,  7,  12, 0,  5,  14, 9},
    {10, 0,  9,  14, 6, 3,  15, 5,  1,  13, 12, 7, 11, 4,  2,  8,  13, 7, 0,  9, 3, 4,
     6,  10, 2,  8,  5, 14, 12, 11, 15, 1,  13, 6, 4,  9,  8,  15, 3,  0, 11, 1, 2, 12,
     5,  10, 14, 7,  1, 10, 13, 0,  6,  9,  8,  7, 4,  15, 14, 3,  11, 5, 2,  12},
    {7, 13, 14, 3, 0, 6,  9, 10, 1,  2, 8,  5, 11, 12, 4,  15, 13, 8,  11, 5, 6, 15,
     0, 3,  4,  7, 2, 12, 1, 10, 14, 9, 10, 6, 9,  0,  12, 11, 7,  13, 15, 1, 3, 14,
     5, 2,  8,  4, 3, 15, 0, 6,  10, 1, 13, 8, 9,  4,  5,  11, 12, 7,  2,  14},
    {2,  12, 4, 1,  7,  10, 11, 6, 8, 5,  3, 15, 13, 0,  14, 9,  14, 11, 2,  12, 4,  7,
     13, 1,  5, 0,  15, 10, 3,  9, 8, 6,  4, 2,  1,  11, 10, 13, 7,  8,  15, 9,  12, 5,
     6,  3,  0, 14, 11, 8,  12, 7, 1, 14, 2, 13, 6,  15, 0,  9,  10, 4,  5,  3},
    {12, 1,  10, 15, 9,  2,  6, 8,  0, 13, 3,  4,  14, 7,  5, 11, 10, 15, 4, 2, 7, 12,
     9,  5,  6,  1,  13, 14, 0, 11, 3, 8,  9,  14, 15, 5,  2, 8,  12, 3,  7, 0, 4, 10,
     1,  13, 11, 6,  4,  3,  2, 12, 9, 5,  15, 10, 11, 14, 1, 7,  6,  0,  8, 13},
    {4, 11, 2,  14, 15, 0,  8,  13, 3, 12, 9,  7, 5,  10, 6,  1,  13, 0,  11, 7,  4, 9,
     1, 10, 14, 3,  5,  12, 2,  15, 8, 6,  1,  4, 11, 13, 12, 3,  7,  14, 10, 15, 6, 8,
     0, 5,  9,  2,  6,  11, 13, 8,  1, 4,  10, 7, 9,  5,  0,  15, 14, 2,  3,  12},
    {13, 2, 8,  4, 6, 15, 11, 1,  10, 9,  3, 14, 5,  0,  12, 7,  1,  15, 13, 8, 10, 3,
     7,  4, 12, 5, 6, 11, 0,  14, 9,  2,  7, 11, 4,  1,  9,  12, 14, 2,  0,  6, 10, 13,
     15, 3, 5,  8, 2, 1,  14, 7,  4,  10, 8, 13, 15, 12, 9,  0,  3,  5,  6,  11},
};

template <std::size_t N>
std::uint64_t Permute(std::uint64_t in, int inBits, const std::uint8_t (&table)[N]) {
  std::uint64_t out = 0;
  for (std::uint8_t from : table) out = out << 1 | ((in >> (inBits - from)) & 1);
  return out;
}

using Subkeys = std::array<std::uint64_t, 16>;

Subkeys KeySchedule(const Bytes& key) {
  std::uint64_t k = 0;
  for (std::size_t i = 0; i < 8; ++i) k = k << 8 | key[i];
  const std::uint64_t cd = Permute(k, 64, kPc1);
  std::uint32_t c = static_cast<std::uint32_t>(cd >> 28) & 0xfffffff;
  std::uint32_t d = static_cast<std::uint32_t>(cd) & 0xfffffff;
  Subkeys keys{};
  for (std::size_t round = 0; round < 16; ++round) {
    for (int s = 0; s < kShifts[round]; ++s) {
      c = (c << 1 | c >> 27) & 0xfffffff;
      d = (d << 1 | d >> 27) & 0xfffffff;
    }
    keys[round] = Permute(std::uint64_t{c} << 28 | d, 56, kPc2);
  }
  return keys;
}

std::uint32_t Feistel(std::uint32_t r, std::uint64_t subkey) {
  const std::uint64_t x = Permute(r, 32, kE) ^ subkey;
  std::uint32_t s = 0;
  for (int box = 0; box < 8; ++box) {
    const unsigned six = static_cast<unsigned>(x >> (42 - 6 * box)) & 0x3f;
    const unsigned row = (six >> 4 & 2) | (six & 1);
    const unsigned column = six >> 1 & 0xf;
    s = s << 4 | kS[box][row * 16 + column];
  }
  return static_cast<std::uint32_t>(Permute(s, 32, kP));
}

std::uint64_t DesBlock(std::uint64_t block, const Subkeys& keys, bool encrypt) {
  const std::uint64_t ip = Permute(block, 64, kIp);
  std::uint32_t l = static_cast<std::uint32_t>(ip >> 32);
  std::uint32_t r = static_cast<std::uint32_t>(ip);
  for (std::size_t round = 0; round < 16; ++round) {
    const std::uint32_t next = l ^ Feistel(r, keys[encrypt ? round : 15 - round]);
    l = r;
    r = next;
  }
  return Permute(std::uint64_t{r} << 32 | l, 64, kFp);
}

// --- BER, as far as a message needs it.

void Append(Bytes& out, const Bytes& more) { out.insert(out.end(), more.begin(), more.end()); }

Bytes Tlv(std::uint8_t type, const Bytes& content) {
  Bytes out{type};
  const std::size_t n = content.size();
  if (n < 0x80) {
    out.push_back(static_cast<std::uint8_t>(n));
  } else if (n < 0x100) {
    out.insert(out.end(), {0x81, static_cast<std::uint8_t>(n)});
  } else {
    out.insert(out.end(), {0x82, static_cast<std::uint8_t>(n >> 8), static_cast<std::uint8_t>(n)});
  }
  Append(out, content);
  return out;
}

Bytes Integer(long value) {
  Bytes content;
  for (int shift = 56; shift > 0; shift -= 8) {
    const long high = value >> shift;
    const bool bit = (value >> (shift - 1)) & 1;
    if (content.empty() && ((high == 0 && !bit) || (high == -1 && bit))) continue;
    content.push_back(static_cast<std::uint8_t>(value >> shift));
  }
  content.push_back(static_cast<std::uint8_t>(value));
  return Tlv(0x02, content);
}

Bytes Octets(const Bytes& content) { return Tlv(0x04, content); }

// One TLV at `at` of `data`: its type, where its content starts and how
// long it is; false when it does not fit.
bool ReadTlv(const Bytes& data, std::size_t at, std::uint8_t& type, std::size_t& start,
             std::size_t& length) {
  if (at + 2 > data.size()) return false;
  type = data[at];
  std::size_t p = at + 1;
  length = data[p++];
  if (length & 0x80) {
    const std::size_t count = length & 0x7f;
    if (count == 0 || count > 2 || p + count > data.size()) return false;
    length = 0;
    for (std::size_t i = 0; i < count; ++i) length = length << 8 | data[p++];
  }
  start = p;
  return start + length <= data.size();
}

Bytes Iv(const SealParams& params) {
  Bytes iv(8);
  for (std::size_t i = 0; i < 8; ++i)
    iv[i] = static_cast<std::uint8_t>(params.privKey[8 + i] ^ params.salt[i]);
  return iv;
}

Bytes DesKey(const SealParams& params) {
  return Bytes(params.privKey.begin(), params.privKey.begin() + 8);
}

}  // namespace

Bytes Sha1(const Bytes& data) {
  std::uint32_t h[5] = {0x67452301, 0xEFCDAB89, 0x98BADCFE, 0x10325476, 0xC3D2E1F0};
  Bytes m = data;
  const std::uint64_t bits = std::uint64_t{data.size()} * 8;
  m.push_back(0x80);
  while (m.size() % 64 != 56) m.push_back(0);
  for (int shift = 56; shift >= 0; shift -= 8)
    m.push_back(static_cast<std::uint8_t>(bits >> shift));
  for (std::size_t block = 0; block < m.size(); block += 64) {
    std::uint32_t w[80];
    for (std::size_t i = 0; i < 16; ++i)
      w[i] = std::uint32_t{m[block + 4 * i]} << 24 | std::uint32_t{m[block + 4 * i + 1]} << 16 |
             std::uint32_t{m[block + 4 * i + 2]} << 8 | m[block + 4 * i + 3];
    for (std::size_t i = 16; i < 80; ++i)
      w[i] = Rotl(w[i - 3] ^ w[i - 8] ^ w[i - 14] ^ w[i - 16], 1);
    std::uint32_t a = h[0], b = h[1], c = h[2], d = h[3], e = h[4];
    for (std::size_t i = 0; i < 80; ++i) {
      std::uint32_t f, k;
      if (i < 20) {
        f = (b & c) | (~b & d);
        k = 0x5A827999;
      } else if (i < 40) {
        f = b ^ c ^ d;
        k = 0x6ED9EBA1;
      } else if (i < 60) {
        f = (b & c) | (b & d) | (c & d);
        k = 0x8F1BBCDC;
      } else {
        f = b ^ c ^ d;
        k = 0xCA62C1D6;
      }
      const std::uint32_t t = Rotl(a, 5) + f + e + k + w[i];
      e = d;
      d = c;
      c = Rotl(b, 30);
      b = a;
      a = t;
    }
    h[0] += a;
    h[1] += b;
    h[2] += c;
    h[3] += d;
    h[4] += e;
  }
  Bytes out;
  for (std::uint32_t v : h)
    for (int shift = 24; shift >= 0; shift -= 8)
      out.push_back(static_cast<std::uint8_t>(v >> shift));
  return out;
}

Bytes HmacSha1(const Bytes& key, const Bytes& data) {
  Bytes k = key.size() > 64 ? Sha1(key) : key;
  k.resize(64, 0);
  Bytes inner(64), outer(64);
  for (std::size_t i = 0; i < 64; ++i) {
    inner[i] = static_cast<std::uint8_t>(k[i] ^ 0x36);
    outer[i] = static_cast<std::uint8_t>(k[i] ^ 0x5c);
  }
  Append(inner, data);
  Append(outer, Sha1(inner));
  return Sha1(outer);
}

Bytes DesCbc(const Bytes& key, const Bytes& iv, const Bytes& data, bool encrypt) {
  const Subkeys keys = KeySchedule(key);
  auto load = [](const Bytes& b, std::size_t at) {
    std::uint64_t v = 0;
    for (std::size_t i = 0; i < 8; ++i) v = v << 8 | b[at + i];
    return v;
  };
  std::uint64_t chain = load(iv, 0);
  Bytes out;
  for (std::size_t at = 0; at + 8 <= data.size(); at += 8) {
    const std::uint64_t in = load(data, at);
    const std::uint64_t result =
        encrypt ? (chain = DesBlock(in ^ chain, keys, true)) : DesBlock(in, keys, false) ^ chain;
    if (!encrypt) chain = in;
    for (int shift = 56; shift >= 0; shift -= 8)
      out.push_back(static_cast<std::uint8_t>(result >> shift));
  }
  return out;
}

SealParams RecordedAgentSeal(int messageId) {
  SealParams p;
  p.messageId = messageId;
  p.engineId = {0x80, 0x00, 0x00, 0xab, 0x03, 0x02, 0x4b, 0x58, 0x35, 0x81, 0x00};
  p.engineBoots = 1;
  p.engineTime = 3;
  p.user = "shades";
  const OctetStr engine(p.engineId.data(), p.engineId.size());
  p.authKey = usmPasswordToKey(SNMP_AUTHPROTOCOL_HMACSHA, "shapassword", engine);
  p.privKey = usmPasswordToKey(SNMP_AUTHPROTOCOL_HMACSHA, "despassword", engine);
  p.salt = {0x00, 0x00, 0x00, 0x01, 0xf5, 0xaf, 0x02, 0x1a};
  return p;
}

Bytes SealResponse(const SealParams& params, const Bytes& scopedPdu) {
  // Padded to whole blocks with octets that count the padding, as
  // Net-SNMP's agent pads.
  Bytes padded = scopedPdu;
  const std::size_t pad = (8 - padded.size() % 8) % 8;
  padded.resize(padded.size() + pad, static_cast<std::uint8_t>(pad));
  const Bytes encrypted = DesCbc(DesKey(params), Iv(params), padded, true);

  Bytes header;
  Append(header, Integer(params.messageId));
  Append(header, Integer(65507));
  Append(header, Octets({0x03}));  // authenticated and encrypted
  Append(header, Integer(3));      // the user-based security model
  const auto build = [&](const Bytes& digest) {
    Bytes security;
    Append(security, Octets(params.engineId));
    Append(security, Integer(params.engineBoots));
    Append(security, Integer(params.engineTime));
    Append(security, Octets(Bytes(params.user.begin(), params.user.end())));
    Append(security, Octets(digest));
    Append(security, Octets(params.salt));
    Bytes message = Integer(3);
    Append(message, Tlv(0x30, header));
    Append(message, Octets(Tlv(0x30, security)));
    Append(message, Octets(encrypted));
    return Tlv(0x30, message);
  };
  Bytes digest = HmacSha1(params.authKey, build(Bytes(12, 0)));
  digest.resize(12);
  return build(digest);
}

Bytes OpenResponse(const SealParams& params, const Bytes& message) {
  std::uint8_t type = 0;
  std::size_t start = 0, length = 0;
  if (!ReadTlv(message, 0, type, start, length) || type != 0x30) return {};
  // Version, header, security parameters, then the encrypted part.
  std::size_t at = start;
  for (int skip = 0; skip < 3; ++skip) {
    if (!ReadTlv(message, at, type, start, length)) return {};
    at = start + length;
  }
  if (!ReadTlv(message, at, type, start, length) || type != 0x04 || length % 8 != 0) return {};
  const Bytes encrypted(message.begin() + static_cast<std::ptrdiff_t>(start),
                        message.begin() + static_cast<std::ptrdiff_t>(start + length));
  return DesCbc(DesKey(params), Iv(params), encrypted, false);
}

}  // namespace vnfuzz
