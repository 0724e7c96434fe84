// A list of whole numbers parsed from delimited text ("1,3,7", "10.0.0.1").
#pragma once

#include <type_traits>
#include <vector>

// Instantiated for int and unsigned int.
//
// Parse rules: every delimiter starts the next number; when "." is not the
// delimiter it starts a fraction, which is rounded into the number digit by
// digit ("2.4" is 2, "2.5" is 3); any other character enters as a digit of
// value c - '0' (characters are not checked); an empty field is 0. Numbers
// wrap in 32 bits.
template <typename T>
class VnNumList {
  static_assert(std::is_same_v<T, int> || std::is_same_v<T, unsigned int>);

 public:
  // Replaces the contents by the numbers of the text (null counts as empty).
  void Parse(const char* text);
  // 0 for a null or empty text, else 1 + the number of delimiters in it.
  int CountItems(const char* text) const;

  int Count() const { return static_cast<int>(items_.size()); }
  // Null while empty.
  const T* Items() const { return items_.empty() ? nullptr : items_.data(); }
  // Throws EListError for an index out of range.
  T operator[](int index) const;

  // True when min <= item <= max for every item; true for an empty list.
  bool InRange(T min, T max) const requires std::is_unsigned_v<T>;

  // Separator of the numbers; callers set it before parsing.
  char Delimiter = '.';

 private:
  std::vector<T> items_;
};

extern template class VnNumList<int>;
extern template class VnNumList<unsigned int>;
