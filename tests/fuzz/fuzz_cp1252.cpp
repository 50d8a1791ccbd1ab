// Any bytes, taken as UTF-8, convert to Windows-1252 without fault, and any
// Windows-1252 text survives the trip to UTF-8 and back.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "model/cp1252.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::string cp1252 = vellanor::Utf8ToCp1252(input);
  if (cp1252.size() > input.size()) {
    std::abort();
  }
  if (vellanor::Utf8ToCp1252(vellanor::Cp1252ToUtf8(input)) != input) {
    std::abort();
  }
  return 0;
}
