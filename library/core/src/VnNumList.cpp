#include "library/VnNumList.h"

#include <cmath>
#include <cstdint>
#include <new>

#include "platform/Exceptions.h"

template <typename T>
int VnNumList<T>::CountItems(const char* text) const {
  if (!text || !*text) return 0;
  int count = 1;
  for (const char* p = text; *p; ++p)
    if (*p == Delimiter) ++count;
  return count;
}

template <typename T>
void VnNumList<T>::Parse(const char* text) {
  items_.clear();
  const int count = CountItems(text);
  if (count == 0) return;
  try {
    items_.assign(static_cast<std::size_t>(count), T(0));
  } catch (const std::bad_alloc&) {
    items_.clear();
    return;
  }

  std::size_t index = 0;
  double scale = 0.0;  // 0 while in the whole part
  for (const char* p = text; *p; ++p) {
    const char c = *p;
    if (c == Delimiter) {
      ++index;
      scale = 0.0;
    } else if (c == '.') {
      scale = 1.0;
    } else {
      // Unchecked: whatever the character is enters as c - '0'.
      const int digit = static_cast<int>(static_cast<signed char>(c)) - '0';
      T& item = items_[index];
      if (scale == 0.0) {
        const std::uint32_t v =
            static_cast<std::uint32_t>(item) * 10u + static_cast<std::uint32_t>(digit);
        item = static_cast<T>(v);
      } else {
        scale *= 0.1;
        const double v = static_cast<double>(item) + digit * scale;
        // Nearest whole number, halves up, then wrapped into 32 bits.
        const long long rounded = static_cast<long long>(std::floor(v + 0.5));
        item = static_cast<T>(static_cast<std::uint32_t>(rounded));
      }
    }
  }
}

template <typename T>
T VnNumList<T>::operator[](int index) const {
  if (index < 0 || index >= Count()) {
    throw EListError(AnsiString::Format("List index out of bounds (%d)", index));
  }
  return items_[static_cast<std::size_t>(index)];
}

template <typename T>
bool VnNumList<T>::InRange(T min, T max) const requires std::is_unsigned_v<T> {
  for (T item : items_)
    if (item < min || item > max) return false;
  return true;
}

template class VnNumList<int>;
template class VnNumList<unsigned int>;
