#include "platform/Registry.h"

#include "platform/RegistryStore.h"

namespace {

// "\a\\b\" -> "a\b".
AnsiString Normalize(const AnsiString& path) {
  AnsiString out;
  AnsiString part;
  for (int i = 1; i <= path.Length() + 1; ++i) {
    if (i > path.Length() || path[i] == '\\') {
      if (!part.IsEmpty()) {
        if (!out.IsEmpty()) out += '\\';
        out += part;
        part = AnsiString();
      }
    } else {
      part += path[i];
    }
  }
  return out;
}

bool IsAbsolute(const AnsiString& key) { return !key.IsEmpty() && key[1] == '\\'; }

}  // namespace

AnsiString RootKeyName(HKEY root) {
  if (root == HKEY_CLASSES_ROOT) return "HKEY_CLASSES_ROOT";
  if (root == HKEY_CURRENT_USER) return "HKEY_CURRENT_USER";
  if (root == HKEY_LOCAL_MACHINE) return "HKEY_LOCAL_MACHINE";
  if (root == HKEY_USERS) return "HKEY_USERS";
  if (root == HKEY_CURRENT_CONFIG) return "HKEY_CURRENT_CONFIG";
  return AnsiString();
}

TRegistry::TRegistry() {
  store_ = InstalledRegistryStore();
  if (!store_) {
    own_ = std::make_unique<TFileRegistryStore>(DefaultRegistryPath());
    store_ = own_.get();
  }
}

TRegistry::TRegistry(TRegistryStore& store) : store_(&store) {}

TRegistry::~TRegistry() { CloseKey(); }

void TRegistry::SetRootKey(HKEY root) {
  CloseKey();
  root_ = root;
}

AnsiString TRegistry::RelativePath(const AnsiString& key) const {
  AnsiString path = Normalize(key);
  if (!IsAbsolute(key) && open_ && !current_.IsEmpty())
    path = path.IsEmpty() ? current_ : current_ + "\\" + path;
  return path;
}

AnsiString TRegistry::FullPath(const AnsiString& key) const {
  AnsiString path = RelativePath(key);
  return path.IsEmpty() ? RootKeyName(root_) : RootKeyName(root_) + "\\" + path;
}

AnsiString TRegistry::OpenFullPath() const {
  return current_.IsEmpty() ? RootKeyName(root_) : RootKeyName(root_) + "\\" + current_;
}

bool TRegistry::OpenKey(const AnsiString& key, bool canCreate) {
  if (RootKeyName(root_).IsEmpty()) return false;
  const AnsiString relative = RelativePath(key);
  // The root key itself always opens.
  if (!relative.IsEmpty()) {
    try {
      const AnsiString full = FullPath(key);
      if (!store_->KeyExists(full)) {
        if (!canCreate) return false;
        store_->CreateKey(full);
      }
    } catch (const ERegistryException&) {
      return false;
    }
  }
  open_ = true;
  current_ = relative;
  return true;
}

bool TRegistry::CreateKey(const AnsiString& key) {
  const AnsiString relative = RelativePath(key);
  if (RootKeyName(root_).IsEmpty() || relative.IsEmpty())
    throw ERegistryException("Failed to create key " + key);
  try {
    const AnsiString full = FullPath(key);
    if (!store_->KeyExists(full)) store_->CreateKey(full);
  } catch (const ERegistryException& e) {
    throw ERegistryException("Failed to create key " + key + " (" + e.Message + ")");
  }
  return true;
}

bool TRegistry::KeyExists(const AnsiString& key) {
  if (RootKeyName(root_).IsEmpty()) return false;
  if (RelativePath(key).IsEmpty()) return true;
  try {
    return store_->KeyExists(FullPath(key));
  } catch (const ERegistryException&) {
    return false;
  }
}

void TRegistry::CloseKey() {
  open_ = false;
  current_ = AnsiString();
}

bool TRegistry::ValueExists(const AnsiString& name) {
  AnsiString value;
  try {
    return store_->ReadValue(OpenFullPath(), name, value);
  } catch (const ERegistryException& e) {
    throw ERegistryException("Failed to get data for '" + name + "' (" + e.Message + ")");
  }
}

AnsiString TRegistry::ReadString(const AnsiString& name) {
  AnsiString value;
  try {
    if (!store_->ReadValue(OpenFullPath(), name, value)) return AnsiString();
  } catch (const ERegistryException& e) {
    throw ERegistryException("Failed to get data for '" + name + "' (" + e.Message + ")");
  }
  return value;
}

void TRegistry::WriteString(const AnsiString& name, const AnsiString& value) {
  if (RootKeyName(root_).IsEmpty())
    throw ERegistryException("Failed to set data for '" + name + "'");
  try {
    store_->WriteValue(OpenFullPath(), name, value);
  } catch (const ERegistryException& e) {
    throw ERegistryException("Failed to set data for '" + name + "' (" + e.Message + ")");
  }
}
