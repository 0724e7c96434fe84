#include "library/VnUtils.h"

AnsiString JoinPath(const AnsiString& folder, const AnsiString& file) {
  if (folder.IsEmpty()) return file;
  if (folder[folder.Length()] == '\\') return folder + file;
  return folder + "\\" + file;
}

std::uint32_t IntPower(std::uint32_t base, std::int32_t exponent) {
  std::uint32_t result = 1;
  for (std::int32_t i = 0; i < exponent; ++i) result *= base;
  return result;
}
