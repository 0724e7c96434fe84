#include "PictureFile.h"

#include <sys/stat.h>

#include <fstream>
#include <sstream>

#include "platform/Files.h"
#include "platform/Pictures.h"

namespace vn_pictures {

namespace {
constexpr long long kMaxFileBytes = 256LL * 1024 * 1024;
}

std::string ReadFile(const AnsiString& fileName) {
  const std::string path = ToSystemPath(fileName).str();
  struct stat st;
  if (stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
    throw EFOpenError("Cannot open file \"" + fileName + "\"");
  if (st.st_size > kMaxFileBytes) throw EFOpenError("File \"" + fileName + "\" is too large");
  std::ifstream in(path, std::ios::binary);
  if (!in) throw EFOpenError("Cannot open file \"" + fileName + "\"");
  std::ostringstream bytes;
  bytes << in.rdbuf();
  if (in.bad()) throw EFOpenError("Cannot read file \"" + fileName + "\"");
  return bytes.str();
}

void WriteFile(const AnsiString& fileName, const std::string& bytes) {
  std::ofstream out(ToSystemPath(fileName).str(), std::ios::binary | std::ios::trunc);
  out << bytes;
  out.close();
  if (!out) throw EFOpenError("Cannot create file \"" + fileName + "\"");
}

}  // namespace vn_pictures
