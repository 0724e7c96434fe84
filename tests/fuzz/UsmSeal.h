// A version 3 Response sealed as an agent seals it for an authPriv user
// (HMAC-SHA-96, CBC-DES, RFC 3414), around any plaintext scoped PDU, so
// that a fuzz target can hand a session well-authenticated messages whose
// plaintext it chose. The keys come from the SNMP layer's key localization,
// the ciphers from OpenSSL's libcrypto.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vnfuzz {

using Bytes = std::vector<std::uint8_t>;

Bytes Sha1(const Bytes& data);
Bytes HmacSha1(const Bytes& key, const Bytes& data);
// CBC-DES over the whole blocks of 8 octets in data (a partial last block
// is left out); key and iv 8 octets each, empty when shorter.
Bytes DesCbc(const Bytes& key, const Bytes& iv, const Bytes& data, bool encrypt);

struct SealParams {
  int messageId = 0;
  Bytes engineId;
  int engineBoots = 0;
  int engineTime = 0;
  std::string user;
  Bytes authKey;  // localized, 20 octets
  Bytes privKey;  // localized, at least 16 octets
  Bytes salt;     // the privacy parameters, 8 octets
};

// The simulator's authPriv user "shades" (SHA, DES) on the engine of the
// recorded exchanges of the session target (boots 1, time 3), with the salt
// of the recorded reply.
SealParams RecordedAgentSeal(int messageId);

// The whole message: header (flags auth and priv), security parameters
// with the authentication digest filled in, and the scoped PDU padded to
// whole blocks and encrypted.
Bytes SealResponse(const SealParams& params, const Bytes& scopedPdu);
// The plaintext of the encrypted scoped PDU (still padded) of a message
// sealed with these parameters, or empty when it is not one; the digest is
// not checked.
Bytes OpenResponse(const SealParams& params, const Bytes& message);

}  // namespace vnfuzz
