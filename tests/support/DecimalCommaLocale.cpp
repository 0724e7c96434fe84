#include "support/DecimalCommaLocale.h"

#include <langinfo.h>
#include <locale.h>

#include <cstdlib>
#include <cstring>
#include <memory>

#include "support/TestSupport.h"

namespace vntest {

namespace {

constexpr const char* kName = "de_DE.UTF-8";

bool HasDecimalComma() {
  locale_t l = newlocale(LC_ALL_MASK, kName, static_cast<locale_t>(nullptr));
  if (!l) return false;
  bool comma = std::strcmp(nl_langinfo_l(RADIXCHAR, l), ",") == 0;
  freelocale(l);
  return comma;
}

}  // namespace

std::string DecimalCommaLocale(std::string* error) {
  static std::unique_ptr<TempDir> folder;
  static std::string failure;
  if (!folder) {
    folder = std::make_unique<TempDir>();
    const std::string log = folder->File("localedef.log");
    const std::string command =
        "localedef -c -i de_DE -f UTF-8 " + folder->File(kName) + " >" + log + " 2>&1";
    // localedef reports warnings with a non-zero status; the result decides.
    (void)std::system(command.c_str());
    setenv("LOCPATH", folder->Path().c_str(), 1);
    if (!HasDecimalComma())
      failure = "localedef could not build " + std::string(kName) +
                " (the locale sources come with the Debian package \"locales\"): " + ReadFile(log);
  }
  if (error) *error = failure;
  return failure.empty() ? kName : "";
}

ScopedDecimalCommaLocale::ScopedDecimalCommaLocale() {
  saved_ = setlocale(LC_ALL, nullptr);
  std::string name = DecimalCommaLocale(&error_);
  if (name.empty()) return;
  active_ = setlocale(LC_ALL, name.c_str()) != nullptr;
  if (!active_) error_ = "setlocale refused " + name;
}

ScopedDecimalCommaLocale::~ScopedDecimalCommaLocale() { setlocale(LC_ALL, saved_.c_str()); }

}  // namespace vntest
