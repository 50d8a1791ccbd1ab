#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vellanor {

// The one conversion between the records' Windows-1252 texts and the UTF-8
// of the user interface and of messages.

// Every byte maps to one character; the five bytes that Windows-1252 leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 controls of the same
// number, so that any stored text survives a round trip.
std::string Cp1252ToUtf8(std::string_view cp1252);

// Characters that Windows-1252 lacks, and malformed UTF-8 sequences, become '?'.
std::string Utf8ToCp1252(std::string_view utf8);

// What Utf8ToCp1252 would turn into '?': the characters of a UTF-8 text that
// Windows-1252 lacks, each once, in order of appearance, as UTF-8 (a
// malformed sequence shows as U+FFFD). Empty when the text can be stored.
std::vector<std::string> CharactersOutsideCp1252(std::string_view utf8);
// Whether that list would be empty, stopping at the first such character.
bool FitsCp1252(std::string_view utf8);

// Whether the bytes are well-formed UTF-8 (no overlong form, no surrogate).
// Windows-1252 text with accented letters almost never is, which tells the
// two apart in files that do not say which they hold.
bool IsValidUtf8(std::string_view text);

}  // namespace vellanor
