// Where registry keys and values are kept.
//
// The text form, shared by the file store and the in-memory store, is an INI
// file with one section per key, named by its full path including the root
// key, and one "name=value" line per value ("@" names the key's default
// value):
//
//   [HKEY_LOCAL_MACHINE\SOFTWARE\Vantrel\Modules\HelpPath]
//   1.3.6.1.4.1.171.10.101.1=/opt/vantrel/modules/KXR5800.hlp
//
// Section and value names compare ignoring case; the first match wins. A key
// exists when its section or a section below it exists. Values lose their
// surrounding blanks and one pair of enclosing double quotes; lines starting
// with ";" or "#" are comments. Writing keeps every other line as it was.
#pragma once

#include <string>

#include "platform/AnsiString.h"

class TRegistryStore {
 public:
  virtual ~TRegistryStore() = default;

  // `path` is a full key path, "HKEY_LOCAL_MACHINE\SOFTWARE\X": parts
  // separated by one "\", none leading or trailing. Failures to read or
  // write the store raise ERegistryException.
  virtual bool KeyExists(const AnsiString& path) = 0;
  virtual void CreateKey(const AnsiString& path) = 0;
  // False when the key or the value is missing.
  virtual bool ReadValue(const AnsiString& path, const AnsiString& name, AnsiString& value) = 0;
  // Creates the key when missing. Value names holding "=" and values
  // holding line breaks cannot be stored.
  virtual void WriteValue(const AnsiString& path, const AnsiString& name,
                          const AnsiString& value) = 0;
};

// Keeps everything in memory, in the text form above.
class TMemoryRegistryStore : public TRegistryStore {
 public:
  TMemoryRegistryStore() = default;
  explicit TMemoryRegistryStore(const AnsiString& text) : text_(text.str()) {}

  bool KeyExists(const AnsiString& path) override;
  void CreateKey(const AnsiString& path) override;
  bool ReadValue(const AnsiString& path, const AnsiString& name, AnsiString& value) override;
  void WriteValue(const AnsiString& path, const AnsiString& name, const AnsiString& value) override;

  // The whole store in the text form.
  AnsiString Text() const { return text_; }

 private:
  std::string text_;
};

// A text file, read afresh for every question so that changes made by others
// show at once, and rewritten whole (through a temporary file, flushed to
// disk, and a rename) for every change; the file keeps its mode, and its
// owner and group where the writer may give them (ReplaceFileWhole). A
// missing file is an empty store; its folder is created with the first change.
// The first read clears what rewrites killed before their rename left.
class TFileRegistryStore : public TRegistryStore {
 public:
  explicit TFileRegistryStore(const AnsiString& fileName) : fileName_(fileName) {}

  bool KeyExists(const AnsiString& path) override;
  void CreateKey(const AnsiString& path) override;
  bool ReadValue(const AnsiString& path, const AnsiString& name, AnsiString& value) override;
  void WriteValue(const AnsiString& path, const AnsiString& name, const AnsiString& value) override;

  const AnsiString& FileName() const { return fileName_; }

 private:
  std::string Load() const;
  void Save(const std::string& text) const;

  AnsiString fileName_;
  mutable bool swept_ = false;  // leftovers of killed rewrites removed
};

// The file of the default store: $KXR_REGISTRY when set and not empty, else
// $XDG_CONFIG_HOME/vantrel/registry.ini, where XDG_CONFIG_HOME defaults to
// ~/.config.
AnsiString DefaultRegistryPath();

// Installs the store that TRegistry objects built afterwards use (not owned;
// nullptr returns to the default file store). Returns the store installed
// before.
TRegistryStore* SetRegistryStore(TRegistryStore* store);
TRegistryStore* InstalledRegistryStore();

// Installs a store for the life of this object (a test's, for instance).
class TRegistryStoreOverride {
 public:
  explicit TRegistryStoreOverride(TRegistryStore& store) : previous_(SetRegistryStore(&store)) {}
  ~TRegistryStoreOverride() { SetRegistryStore(previous_); }
  TRegistryStoreOverride(const TRegistryStoreOverride&) = delete;
  TRegistryStoreOverride& operator=(const TRegistryStoreOverride&) = delete;

 private:
  TRegistryStore* previous_;
};
