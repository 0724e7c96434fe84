#include "library/VnUtils.h"

AnsiString JoinPath(const AnsiString& folder, const AnsiString& file) {
  if (folder.IsEmpty()) return file;
  if (folder[folder.Length()] == '\\') return folder + file;
  return folder + "\\" + file;
}

std::uint32_t IntPower(std::uint32_t base, std::int32_t exponent) {
  // Square and multiply: the same product modulo 2^32 as multiplying
  // exponent times, without a loop of up to 2^31 rounds.
  std::uint32_t result = 1;
  for (std::uint32_t e = exponent > 0 ? static_cast<std::uint32_t>(exponent) : 0; e != 0; e >>= 1) {
    if (e & 1u) result *= base;
    base *= base;
  }
  return result;
}
