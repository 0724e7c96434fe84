// Single DES is reached through its own low-level calls: OpenSSL 3 keeps
// DES for EVP in the legacy provider, which need not be installed or
// loaded, while DES_ncbc_encrypt is always there, only marked deprecated.
#define OPENSSL_SUPPRESS_DEPRECATED

#include "fuzz/UsmSeal.h"

#include <openssl/des.h>
#include <openssl/evp.h>
#include <openssl/hmac.h>

#include <algorithm>
#include <cstddef>

#include "snmp/SnmpConstants.h"
#include "snmp/Usm.h"

namespace vnfuzz {

namespace {

// BER, as far as a message needs it.

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
  Bytes out(EVP_MAX_MD_SIZE);
  unsigned int length = 0;
  if (EVP_Digest(data.data(), data.size(), out.data(), &length, EVP_sha1(), nullptr) != 1)
    return {};
  out.resize(length);
  return out;
}

Bytes HmacSha1(const Bytes& key, const Bytes& data) {
  // HMAC() takes a null key as "no key given"; an empty one is still a key.
  static const unsigned char kNoOctets = 0;
  Bytes out(EVP_MAX_MD_SIZE);
  unsigned int length = 0;
  if (!HMAC(EVP_sha1(), key.empty() ? &kNoOctets : key.data(), static_cast<int>(key.size()),
            data.data(), data.size(), out.data(), &length))
    return {};
  out.resize(length);
  return out;
}

Bytes DesCbc(const Bytes& key, const Bytes& iv, const Bytes& data, bool encrypt) {
  if (key.size() < 8 || iv.size() < 8) return {};
  DES_cblock keyBlock, chain;
  std::copy_n(key.begin(), 8, keyBlock);
  std::copy_n(iv.begin(), 8, chain);
  DES_key_schedule schedule;
  DES_set_key_unchecked(&keyBlock, &schedule);
  // Whole blocks only: the library would pad a last partial block with zeros.
  Bytes out(data.size() / 8 * 8);
  DES_ncbc_encrypt(data.data(), out.data(), static_cast<long>(out.size()), &schedule, &chain,
                   encrypt ? DES_ENCRYPT : DES_DECRYPT);
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
