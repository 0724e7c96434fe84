// RFC 3414 A.2: pass phrase -> Ku -> key localized for an engine id.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vnsnmp {

enum class HashKind { Md5, Sha1 };

// Ku: the hash of 1,048,576 octets of the pass phrase repeated. Empty for
// an empty pass phrase.
std::vector<std::uint8_t> PasswordToKu(HashKind hash, const std::string& password);
// Kul = hash(Ku | engine id | Ku).
std::vector<std::uint8_t> LocalizeKey(HashKind hash, const std::vector<std::uint8_t>& ku,
                                      const std::vector<std::uint8_t>& engine_id);

}  // namespace vnsnmp
