// Any bytes, taken as UTF-8, convert to Windows-1252 without fault, and any
// Windows-1252 text survives the trip to UTF-8 and back. The characters said
// to be missing are exactly those the conversion turns into '?', and are
// well-formed UTF-8 themselves.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

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
  const std::vector<std::string> missing = vellanor::CharactersOutsideCp1252(input);
  if (vellanor::FitsCp1252(input) != missing.empty()) {
    std::abort();
  }
  for (const std::string& character : missing) {
    if (character.empty() || !vellanor::IsValidUtf8(character) ||
        vellanor::Utf8ToCp1252(character) != "?") {
      std::abort();
    }
  }
  // Without missing characters, every '?' stored was typed as one.
  if (missing.empty() && std::count(cp1252.begin(), cp1252.end(), '?') !=
                             std::count(input.begin(), input.end(), '?')) {
    std::abort();
  }
  return 0;
}
