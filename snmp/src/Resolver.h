// Host name to IPv4 address, with a time limit and a cache per text.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace vnsnmp {

// Dotted quad "a.b.c.d" (each part 0..255, digits only).
bool ParseDottedQuad(const std::string& text, std::array<std::uint8_t, 4>& out);

// A dotted quad, or a host name looked up for IPv4 (at most about 3 seconds;
// answers are kept per text, failures for a short while).
bool ResolveIPv4(const std::string& text, std::array<std::uint8_t, 4>& out);

}  // namespace vnsnmp
