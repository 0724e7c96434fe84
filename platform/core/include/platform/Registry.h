// The registry class of the class library, over a plain text store.
//
// Keys are paths below a root key, their parts separated by "\"; a path that
// begins with "\" is absolute, any other path is relative to the open key.
// Key and value names compare ignoring case. Only string values exist.
// Where the values live is decided by the store (platform/RegistryStore.h):
// by default a text file, which tests replace with one of their own or with
// an in-memory store.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/AnsiString.h"
#include "platform/Classes.h"
#include "platform/Exceptions.h"

class ERegistryException : public Exception {
 public:
  using Exception::Exception;
};

struct HKEY__;
using HKEY = HKEY__*;

inline HKEY const HKEY_CLASSES_ROOT = reinterpret_cast<HKEY>(std::uintptr_t{0x80000000u});
inline HKEY const HKEY_CURRENT_USER = reinterpret_cast<HKEY>(std::uintptr_t{0x80000001u});
inline HKEY const HKEY_LOCAL_MACHINE = reinterpret_cast<HKEY>(std::uintptr_t{0x80000002u});
inline HKEY const HKEY_USERS = reinterpret_cast<HKEY>(std::uintptr_t{0x80000003u});
inline HKEY const HKEY_CURRENT_CONFIG = reinterpret_cast<HKEY>(std::uintptr_t{0x80000005u});

// "HKEY_LOCAL_MACHINE" for HKEY_LOCAL_MACHINE and so on; "" for a value that
// names no root key.
AnsiString RootKeyName(HKEY root);

class TRegistryStore;

class TRegistry : public TObject {
 public:
  // Uses the store installed with SetRegistryStore, else the file named by
  // DefaultRegistryPath() at this moment.
  TRegistry();
  // Uses `store`, which must outlive this object.
  explicit TRegistry(TRegistryStore& store);
  ~TRegistry() override;
  TRegistry(const TRegistry&) = delete;
  TRegistry& operator=(const TRegistry&) = delete;

  // HKEY_CURRENT_USER unless set; setting it closes the open key.
  HKEY RootKey() const { return root_; }
  void SetRootKey(HKEY root);

  // Opens `key`; with canCreate a missing key is created first (and stays
  // in the store). False, with the previously open key still open, when
  // the key is missing and may not be created or cannot be created.
  bool OpenKey(const AnsiString& key, bool canCreate);
  bool OpenKeyReadOnly(const AnsiString& key) { return OpenKey(key, false); }
  // Creates a key without opening it; ERegistryException when it cannot.
  bool CreateKey(const AnsiString& key);
  bool KeyExists(const AnsiString& key);
  void CloseKey();
  // The open key's path below the root, without a leading "\"; "" when no
  // key is open.
  AnsiString CurrentPath() const { return current_; }
  bool HasCurrentKey() const { return open_; }

  // Values of the open key (of the root key when none is open). A missing
  // value reads as ""; a store that cannot be read raises ERegistryException.
  bool ValueExists(const AnsiString& name);
  AnsiString ReadString(const AnsiString& name);
  // ERegistryException when the value cannot be stored.
  void WriteString(const AnsiString& name, const AnsiString& value);

 private:
  // The store's path of `key` (the root's name, then the key's parts).
  AnsiString FullPath(const AnsiString& key) const;
  // The key's path below the root, as CurrentPath would show it.
  AnsiString RelativePath(const AnsiString& key) const;
  AnsiString OpenFullPath() const;

  std::unique_ptr<TRegistryStore> own_;  // the default store, when no other was given
  TRegistryStore* store_;
  HKEY root_ = HKEY_CURRENT_USER;
  bool open_ = false;
  AnsiString current_;
};
