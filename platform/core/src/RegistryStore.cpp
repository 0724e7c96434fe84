#include "platform/RegistryStore.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

#include "RegistryText.h"
#include "platform/Files.h"
#include "platform/Leftovers.h"
#include "platform/Registry.h"
#include "platform/WholeFile.h"

namespace fs = std::filesystem;

namespace {

// The file that a link at `file` leads to (the file itself without one),
// absolute: the one a rewrite replaces, beside which its new file is made.
fs::path RealFile(const std::string& file, std::error_code& ec) {
  fs::path target = fs::absolute(file, ec);
  if (ec) return target;
  std::error_code ignored;
  if (fs::path real = fs::weakly_canonical(target, ignored); !ignored) target = real;
  return target;
}

}  // namespace

bool TMemoryRegistryStore::KeyExists(const AnsiString& path) {
  return vn_registry::KeyExists(text_, path.str());
}

void TMemoryRegistryStore::CreateKey(const AnsiString& path) {
  vn_registry::CreateKey(text_, path.str());
}

bool TMemoryRegistryStore::ReadValue(const AnsiString& path, const AnsiString& name,
                                     AnsiString& value) {
  std::string v;
  if (!vn_registry::ReadValue(text_, path.str(), name.str(), v)) return false;
  value = AnsiString(std::move(v));
  return true;
}

void TMemoryRegistryStore::WriteValue(const AnsiString& path, const AnsiString& name,
                                      const AnsiString& value) {
  vn_registry::WriteValue(text_, path.str(), name.str(), value.str());
}

bool TFileRegistryStore::KeyExists(const AnsiString& path) {
  return vn_registry::KeyExists(Load(), path.str());
}

void TFileRegistryStore::CreateKey(const AnsiString& path) {
  std::string text = Load();
  if (vn_registry::CreateKey(text, path.str())) Save(text);
}

bool TFileRegistryStore::ReadValue(const AnsiString& path, const AnsiString& name,
                                   AnsiString& value) {
  std::string v;
  if (!vn_registry::ReadValue(Load(), path.str(), name.str(), v)) return false;
  value = AnsiString(std::move(v));
  return true;
}

void TFileRegistryStore::WriteValue(const AnsiString& path, const AnsiString& name,
                                    const AnsiString& value) {
  std::string text = Load();
  vn_registry::WriteValue(text, path.str(), name.str(), value.str());
  Save(text);
}

std::string TFileRegistryStore::Load() const {
  const std::string file = ToSystemPath(fileName_).str();
  if (file.empty()) return std::string();
  std::error_code ec;
  if (!swept_) {
    // What a rewrite killed before its rename left, once per store.
    swept_ = true;
    const fs::path real = RealFile(file, ec);
    if (!ec) RemoveLeftovers(real.parent_path().string(), real.filename().string() + ".tmp.");
  }
  auto status = fs::status(file, ec);
  if (status.type() == fs::file_type::not_found) return std::string();
  if (ec || !fs::is_regular_file(status))
    throw ERegistryException("Cannot read the registry file " + fileName_);
  std::ifstream in(file, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  if (!in && !in.eof()) throw ERegistryException("Cannot read the registry file " + fileName_);
  return bytes.str();
}

void TFileRegistryStore::Save(const std::string& text) const {
  const std::string file = ToSystemPath(fileName_).str();
  auto fail = [&](const std::string& why) {
    throw ERegistryException("Cannot write the registry file " + fileName_ + ": " + why);
  };
  if (file.empty()) fail("no file name");
  std::error_code ec;
  // Follow a link to the real file so that the rename replaces the file and
  // not the link. The new file keeps the mode, owner and group of the old
  // one: a file its owner made private stays private, and a rewrite by root
  // leaves the user's file the user's.
  const fs::path target = RealFile(file, ec);
  if (ec) fail(ec.message());
  if (target.has_parent_path()) {
    fs::create_directories(target.parent_path(), ec);
    if (ec) fail(ec.message());
  }
  if (const int error = ReplaceFileWhole(target.string(), text)) fail(std::strerror(error));
}

AnsiString DefaultRegistryPath() {
  const char* explicitFile = std::getenv("KXR_REGISTRY");
  if (explicitFile && *explicitFile) return explicitFile;
  std::string config;
  // Relative values of XDG_CONFIG_HOME are to be ignored.
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  if (xdg && xdg[0] == '/') {
    config = xdg;
  } else {
    const char* home = std::getenv("HOME");
    std::string h = home && *home ? home : "";
    if (h.empty()) {
      if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir) h = pw->pw_dir;
    }
    if (h.empty()) return AnsiString();
    config = h + "/.config";
  }
  return AnsiString(config + "/vantrel/registry.ini");
}

namespace {
TRegistryStore* g_store = nullptr;
}

TRegistryStore* SetRegistryStore(TRegistryStore* store) {
  TRegistryStore* previous = g_store;
  g_store = store;
  return previous;
}

TRegistryStore* InstalledRegistryStore() { return g_store; }
