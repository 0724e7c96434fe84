#include "platform/Classes.h"

#include <algorithm>

#include "platform/Exceptions.h"

// ---------------------------------------------------------------- TStrings

void TStrings::IndexError(int i) {
  throw EStringListError(AnsiString::Format("List index out of bounds (%d)", i));
}

int TStrings::AddObject(const AnsiString& s, TObject* obj) {
  int index = Count();
  InsertObject(index, s, obj);
  return index;
}

void TStrings::AddStrings(const TStrings& other) {
  // Count taken first: adding a list to itself doubles it once.
  const int n = other.Count();
  BeginUpdate();
  for (int i = 0; i < n; ++i) AddObject(other.Strings(i), other.Objects(i));
  EndUpdate();
}

void TStrings::Assign(const TStrings& other) {
  if (&other == this) return;
  BeginUpdate();
  Clear();
  AddStrings(other);
  EndUpdate();
}

int TStrings::IndexOf(const AnsiString& s) const {
  const int n = Count();
  for (int i = 0; i < n; ++i)
    if (Strings(i).CompareIC(s) == 0) return i;
  return -1;
}

int TStrings::IndexOfObject(const TObject* obj) const {
  const int n = Count();
  for (int i = 0; i < n; ++i)
    if (Objects(i) == obj) return i;
  return -1;
}

AnsiString TStrings::Text() const {
  std::string out;
  const int n = Count();
  for (int i = 0; i < n; ++i) {
    out += Strings(i).str();
    out += "\r\n";
  }
  return AnsiString(std::move(out));
}

void TStrings::SetText(const AnsiString& text) {
  BeginUpdate();
  Clear();
  const std::string& s = text.str();
  std::size_t p = 0;
  while (p < s.size()) {
    std::size_t start = p;
    while (p < s.size() && s[p] != '\r' && s[p] != '\n') ++p;
    Add(AnsiString(s.substr(start, p - start)));
    if (p < s.size() && s[p] == '\r') ++p;
    if (p < s.size() && s[p] == '\n') ++p;
  }
  EndUpdate();
}

// ------------------------------------------------------------- TStringList

void TStringList::Check(int i) const {
  if (i < 0 || i >= Count()) IndexError(i);
}

AnsiString TStringList::Strings(int i) const {
  Check(i);
  return items_[static_cast<std::size_t>(i)].first;
}

void TStringList::SetStrings(int i, const AnsiString& s) {
  Check(i);
  items_[static_cast<std::size_t>(i)].first = s;
}

TObject* TStringList::Objects(int i) const {
  Check(i);
  return items_[static_cast<std::size_t>(i)].second;
}

void TStringList::SetObjects(int i, TObject* obj) {
  Check(i);
  items_[static_cast<std::size_t>(i)].second = obj;
}

void TStringList::InsertObject(int i, const AnsiString& s, TObject* obj) {
  if (i < 0 || i > Count()) IndexError(i);
  items_.insert(items_.begin() + i, {s, obj});
}

void TStringList::Delete(int i) {
  Check(i);
  items_.erase(items_.begin() + i);
}

// ------------------------------------------------------------------- TList

void TList::Check(int i) const {
  if (i < 0 || i >= Count())
    throw EListError(AnsiString::Format("List index out of bounds (%d)", i));
}

void* TList::Items(int i) const {
  Check(i);
  return items_[static_cast<std::size_t>(i)];
}

void TList::SetItems(int i, void* p) {
  Check(i);
  items_[static_cast<std::size_t>(i)] = p;
}

int TList::Add(void* p) {
  items_.push_back(p);
  return Count() - 1;
}

void TList::Insert(int i, void* p) {
  if (i < 0 || i > Count())
    throw EListError(AnsiString::Format("List index out of bounds (%d)", i));
  items_.insert(items_.begin() + i, p);
}

void TList::Delete(int i) {
  Check(i);
  items_.erase(items_.begin() + i);
}

int TList::Remove(void* p) {
  int i = IndexOf(p);
  if (i >= 0) items_.erase(items_.begin() + i);
  return i;
}

int TList::IndexOf(const void* p) const {
  auto it = std::find(items_.begin(), items_.end(), p);
  return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

void TList::Exchange(int i, int j) {
  Check(i);
  Check(j);
  std::swap(items_[static_cast<std::size_t>(i)], items_[static_cast<std::size_t>(j)]);
}
