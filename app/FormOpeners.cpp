#include "app/FormOpeners.h"

#include <map>
#include <string>

namespace {

// Built on first use, so that registrations from any static initialiser find it.
std::map<std::string, TFormOpener>& Openers() {
  static std::map<std::string, TFormOpener> openers;
  return openers;
}

}  // namespace

bool RegisterFormOpener(const char* className, TFormOpener opener) {
  if (!className || !opener) return false;
  return Openers().emplace(className, opener).second;
}

TFormOpener FindFormOpener(const AnsiString& className) {
  const auto it = Openers().find(className.str());
  return it == Openers().end() ? nullptr : it->second;
}

void UnregisterFormOpener(const AnsiString& className) { Openers().erase(className.str()); }
