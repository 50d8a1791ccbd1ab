#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

namespace vellanor {

// A fixed-width text of Windows-1252 bytes, NUL-padded. A text may fill the
// whole field and then has no terminating NUL, so readers stop at the width.
template <std::size_t N>
class TextField {
 public:
  static constexpr std::size_t kWidth = N;

  TextField() = default;
  explicit TextField(std::string_view cp1252) { Assign(cp1252); }

  // Stores the text cut to the field's width; the rest of the field is zeroed.
  void Assign(std::string_view cp1252) {
    const std::size_t count = std::min(cp1252.size(), N);
    // copy_n, not memcpy: GCC 12 at -O3 wrongly reports memcpy from a
    // temporary std::string as out of bounds (-Warray-bounds).
    std::copy_n(cp1252.begin(), count, bytes_.begin());
    std::fill(bytes_.begin() + static_cast<std::ptrdiff_t>(count), bytes_.end(), '\0');
  }
  TextField& operator=(std::string_view cp1252) {
    Assign(cp1252);
    return *this;
  }

  // The text up to the first NUL, or the whole field when it has none.
  std::string_view View() const {
    const void* nul = std::memchr(bytes_.data(), '\0', N);
    const std::size_t length =
        nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - bytes_.data()) : N;
    return {bytes_.data(), length};
  }
  std::string Str() const { return std::string(View()); }
  bool Empty() const { return bytes_[0] == '\0'; }

  // Raw access for the file codec, which stores the field byte for byte.
  const std::array<char, N>& Bytes() const { return bytes_; }
  std::array<char, N>& Bytes() { return bytes_; }

  bool operator==(const TextField&) const = default;

 private:
  std::array<char, N> bytes_{};
};

}  // namespace vellanor
