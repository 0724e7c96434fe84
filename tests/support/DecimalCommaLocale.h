// A decimal-comma locale ("de_DE.UTF-8") for tests of number texts, built
// with localedef into a private folder that LOCPATH names.
#pragma once

#include <string>

namespace vntest {

// Builds the locale once per process and points LOCPATH at its folder.
// Returns the locale's name, or "" with the reason in *error.
std::string DecimalCommaLocale(std::string* error = nullptr);

// Switches every category of the C library's locale to the decimal-comma
// locale while it lives; the previous locale comes back afterwards.
class ScopedDecimalCommaLocale {
 public:
  ScopedDecimalCommaLocale();
  ~ScopedDecimalCommaLocale();
  ScopedDecimalCommaLocale(const ScopedDecimalCommaLocale&) = delete;
  ScopedDecimalCommaLocale& operator=(const ScopedDecimalCommaLocale&) = delete;

  // The locale is in effect (its decimal separator is a comma); else Error.
  bool Active() const { return active_; }
  const std::string& Error() const { return error_; }

 private:
  std::string saved_;
  std::string error_;
  bool active_ = false;
};

}  // namespace vntest
