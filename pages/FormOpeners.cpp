#include "pages/FormOpeners.h"

#include <map>
#include <string>

namespace {

struct TRegistration {
  TFormOpener Opener;
  const char* Global;
};

// Built on first use, so that registrations from any static initialiser find it.
std::map<std::string, TRegistration>& Openers() {
  static std::map<std::string, TRegistration> openers;
  return openers;
}

const TRegistration* Find(const AnsiString& className) {
  const auto it = Openers().find(className.str());
  return it == Openers().end() ? nullptr : &it->second;
}

}  // namespace

bool RegisterFormOpener(const char* className, TFormOpener opener, const char* global) {
  if (!className || !opener) return false;
  return Openers().emplace(className, TRegistration{opener, global}).second;
}

TFormOpener FindFormOpener(const AnsiString& className) {
  const TRegistration* r = Find(className);
  return r ? r->Opener : nullptr;
}

const char* FindFormOpenerGlobal(const AnsiString& className) {
  const TRegistration* r = Find(className);
  return r ? r->Global : nullptr;
}

std::vector<AnsiString> FormOpenerClasses() {
  std::vector<AnsiString> classes;
  for (const auto& entry : Openers()) classes.emplace_back(entry.first.c_str());
  return classes;
}

void UnregisterFormOpener(const AnsiString& className) { Openers().erase(className.str()); }
