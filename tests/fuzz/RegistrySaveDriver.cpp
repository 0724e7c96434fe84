// The registry file store's save and reload: the input holds the file's
// first text, then (key path, value name, value) triples, all separated by
// 0x1f bytes. Every value the store takes must read back from a store that
// loads the saved file afresh, at once and after the later writes (unless a
// later write may have named the same value).
#include <string>
#include <vector>

#include "fuzz/FuzzDrivers.h"
#include "fuzz/FuzzSupport.h"
#include "platform/Registry.h"
#include "platform/RegistryStore.h"

namespace {

constexpr std::size_t kMostWrites = 6;

struct Written {
  std::string path, name, value;
};

// Key paths and value names compare ignoring case, and "\" runs and the
// empty name have other spellings: two writes that may name the same value
// by these rules count as one.
std::string Loose(const std::string& path, const std::string& name) {
  std::string out;
  for (char c : path)
    if (c != '\\') out += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  out += '\0';
  for (char c : name.empty() ? std::string("@") : name)
    out += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  return out;
}

void ReadBack(const std::string& file, const Written& w, const char* when) {
  TFileRegistryStore reloaded(file.c_str());
  AnsiString back;
  if (!reloaded.ReadValue(AnsiString(w.path), AnsiString(w.name), back))
    vnfuzz::Broken(std::string("a saved value is gone ") + when);
  if (back.str() != w.value)
    vnfuzz::Broken("saved \"" + w.value + "\", read back \"" + back.str() + "\" " + when);
}

}  // namespace

void vnfuzz::RunRegistrySaveInput(const std::uint8_t* data, std::size_t size) {
  const std::vector<std::string> parts = Split(Text(data, size), "\x1f");
  const std::string file = WriteScratchFile("saved.ini", parts[0]);
  TFileRegistryStore store(file.c_str());
  std::vector<Written> written;
  for (std::size_t i = 1; i + 2 < parts.size() && written.size() < kMostWrites; i += 3) {
    const Written w{parts[i], parts[i + 1], parts[i + 2]};
    try {
      store.WriteValue(AnsiString(w.path), AnsiString(w.name), AnsiString(w.value));
    } catch (const ERegistryException&) {
      continue;  // a path, name or value the text form cannot hold
    }
    ReadBack(file, w, "at once");
    written.push_back(w);
  }
  for (std::size_t i = 0; i < written.size(); ++i) {
    bool overwritten = false;
    for (std::size_t j = i + 1; j < written.size(); ++j)
      overwritten = overwritten || Loose(written[i].path, written[i].name) ==
                                       Loose(written[j].path, written[j].name);
    if (!overwritten) ReadBack(file, written[i], "after later writes");
  }
  RemoveScratchFile("saved.ini");
}
