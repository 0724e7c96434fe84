// TObject, string lists and the pointer list of the class library.
#pragma once

#include <utility>
#include <vector>

#include "platform/AnsiString.h"

// Root of every class that events and lists refer to.
class TObject {
 public:
  TObject() = default;
  TObject(const TObject&) = default;
  TObject& operator=(const TObject&) = default;
  virtual ~TObject() = default;
};

// An ordered list of strings, each with an associated object pointer (not
// owned). Indexes are 0-based; an index out of range throws
// EStringListError ("List index out of bounds (%d)").
class TStrings : public TObject {
 public:
  virtual int Count() const = 0;
  virtual AnsiString Strings(int i) const = 0;
  virtual void SetStrings(int i, const AnsiString& s) = 0;
  virtual TObject* Objects(int i) const = 0;
  virtual void SetObjects(int i, TObject* obj) = 0;
  virtual void InsertObject(int i, const AnsiString& s, TObject* obj) = 0;
  virtual void Delete(int i) = 0;
  virtual void Clear() = 0;

  void Insert(int i, const AnsiString& s) { InsertObject(i, s, nullptr); }
  // Appends; returns the new item's index.
  int Add(const AnsiString& s) { return AddObject(s, nullptr); }
  virtual int AddObject(const AnsiString& s, TObject* obj);
  void AddStrings(const TStrings& other);
  void Assign(const TStrings& other);
  // First index whose text equals s ignoring ASCII case; -1 when none.
  virtual int IndexOf(const AnsiString& s) const;
  int IndexOfObject(const TObject* obj) const;

  // Every line followed by CR LF; SetText splits at CR LF, LF or CR.
  AnsiString Text() const;
  void SetText(const AnsiString& text);

  // Kept for callers that bracket bulk changes; lists may use them to defer
  // notifications.
  virtual void BeginUpdate() {}
  virtual void EndUpdate() {}

  AnsiString operator[](int i) const { return Strings(i); }

 protected:
  [[noreturn]] static void IndexError(int i);
};

class TStringList : public TStrings {
 public:
  TStringList() = default;
  TStringList(const TStringList& other) = default;
  TStringList& operator=(const TStringList& other) = default;

  int Count() const override { return static_cast<int>(items_.size()); }
  AnsiString Strings(int i) const override;
  void SetStrings(int i, const AnsiString& s) override;
  TObject* Objects(int i) const override;
  void SetObjects(int i, TObject* obj) override;
  void InsertObject(int i, const AnsiString& s, TObject* obj) override;
  void Delete(int i) override;
  void Clear() override { items_.clear(); }

 private:
  void Check(int i) const;
  std::vector<std::pair<AnsiString, TObject*>> items_;
};

// A list of untyped pointers (not owned). Indexes out of range throw
// EListError ("List index out of bounds (%d)"). Derived lists that own their
// items free them in their own destructor and Clear.
class TList : public TObject {
 public:
  TList() = default;
  TList(const TList&) = delete;
  TList& operator=(const TList&) = delete;
  ~TList() override = default;

  int Count() const { return static_cast<int>(items_.size()); }
  void* Items(int i) const;
  void SetItems(int i, void* p);
  void* operator[](int i) const { return Items(i); }
  int Add(void* p);
  void Insert(int i, void* p);
  void Delete(int i);
  // Removes the first occurrence; returns its former index or -1.
  int Remove(void* p);
  int IndexOf(const void* p) const;
  virtual void Clear() { items_.clear(); }
  void* First() const { return Items(0); }
  void* Last() const { return Items(Count() - 1); }
  void Exchange(int i, int j);

 private:
  void Check(int i) const;
  std::vector<void*> items_;
};
