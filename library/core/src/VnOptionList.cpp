// Option lists: lookups between raw values and display texts.
#include "library/VnOptionList.h"

#include <cctype>

#include "platform/Exceptions.h"
#include "platform/SysUtils.h"

namespace {

const char kNullValue[] = "(NULL)";

char Upper(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }

}  // namespace

VnOptionList::VnOptionList(const VnOptionPair* pairs, std::uint32_t kind, bool caseSensitive)
    : kind_(kind), caseSensitive_(caseSensitive) {
  if (kind != Integer && kind != String && kind != Prefix)
    throw EInvalidOperation(AnsiString::Format("Invalid option list kind (%u)", kind));
  Add(pairs);
}

VnOptionList::~VnOptionList() = default;

int VnOptionList::CountPairs(const VnOptionPair* pairs) {
  int n = 0;
  if (pairs)
    while (pairs[n].Text) ++n;
  return n;
}

void VnOptionList::Add(const VnOptionPair* pairs) {
  const int n = CountPairs(pairs);
  if (n == 0) return;
  items_.reserve(items_.size() + static_cast<std::size_t>(n));
  for (int i = 0; i < n; ++i) {
    VnOptionItem item;
    if (kind_ == Integer)
      item.IntValue = pairs[i].IntValue;
    else
      item.StrValue = pairs[i].StrValue;  // a null value string becomes empty
    item.Text = pairs[i].Text;
    items_.push_back(std::move(item));
  }
}

void VnOptionList::Clear() { items_.clear(); }

const VnOptionItem& VnOptionList::Item(int index) const {
  if (index < 0 || index >= Count())
    throw EListError(AnsiString::Format("List index out of bounds (%d)", index));
  return items_[static_cast<std::size_t>(index)];
}

bool VnOptionList::SameWhole(const AnsiString& a, const AnsiString& b) const {
  return caseSensitive_ ? AnsiCompareStr(a, b) == 0 : AnsiCompareText(a, b) == 0;
}

bool VnOptionList::StartsWith(const AnsiString& text, const AnsiString& prefix) const {
  const int n = prefix.Length();
  if (n > text.Length()) return false;
  for (int i = 1; i <= n; ++i) {
    const bool equal = caseSensitive_ ? text[i] == prefix[i] : Upper(text[i]) == Upper(prefix[i]);
    if (!equal) return false;
  }
  return true;
}

int VnOptionList::IndexOfText(const AnsiString& text) const {
  for (int i = 0; i < Count(); ++i) {
    const AnsiString& itemText = items_[static_cast<std::size_t>(i)].Text;
    if (kind_ == Prefix ? StartsWith(text, itemText) : SameWhole(text, itemText)) return i;
  }
  return -1;
}

int VnOptionList::IndexOfValue(const AnsiString& value) const {
  if (kind_ == Integer) {
    if (value == kNullValue) return -1;
    int number = 0;
    try {
      number = value.ToInt();
    } catch (const EConvertError&) {
      return -1;
    }
    for (int i = 0; i < Count(); ++i)
      if (items_[static_cast<std::size_t>(i)].IntValue == number) return i;
    return -1;
  }
  for (int i = 0; i < Count(); ++i) {
    const AnsiString& itemValue = items_[static_cast<std::size_t>(i)].StrValue;
    if (kind_ == Prefix ? StartsWith(value, itemValue) : SameWhole(value, itemValue)) return i;
  }
  return -1;
}

AnsiString VnOptionList::TextOf(const AnsiString& value) const {
  const int i = IndexOfValue(value);
  if (i < 0) return value;
  const VnOptionItem& item = items_[static_cast<std::size_t>(i)];
  if (kind_ != Prefix) return item.Text;
  return item.Text + value.SubString(item.StrValue.Length() + 1, value.Length());
}

AnsiString VnOptionList::ValueOf(const AnsiString& text) const {
  const int i = IndexOfText(text);
  if (i < 0) return text;
  const VnOptionItem& item = items_[static_cast<std::size_t>(i)];
  switch (kind_) {
    case Integer:
      return IntToStr(item.IntValue);
    case String:
      return item.StrValue;
    default:
      return item.StrValue + text.SubString(item.Text.Length() + 1, text.Length());
  }
}
