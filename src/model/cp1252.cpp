#include "model/cp1252.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace vellanor {
namespace {

// Code points of the bytes 0x80 to 0x9F; the others equal their byte value.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  //
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  //
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  //
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t CodePointOf(unsigned char byte) {
  if (byte >= 0x80 && byte < 0xA0) {
    return kHighControls[byte - 0x80];
  }
  return byte;
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

char ByteOf(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
    return static_cast<char>(cp);
  }
  for (std::size_t i = 0; i < kHighControls.size(); ++i) {
    if (kHighControls[i] == cp) {
      return static_cast<char>(0x80 + i);
    }
  }
  return '?';
}

// Marks a malformed sequence; lies outside Unicode, so it maps to '?'.
constexpr char32_t kMalformed = 0x110000;

// Decodes one UTF-8 sequence at `pos`, advancing it; returns kMalformed for a
// malformed or overlong sequence or a surrogate.
char32_t NextCodePoint(std::string_view text, std::size_t& pos) {
  const auto lead = static_cast<unsigned char>(text[pos++]);
  if (lead < 0x80) {
    return lead;
  }
  int extra = 0;
  char32_t cp = 0;
  char32_t minimum = 0;
  if ((lead & 0xE0) == 0xC0) {
    extra = 1, cp = lead & 0x1F, minimum = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    extra = 2, cp = lead & 0x0F, minimum = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    extra = 3, cp = lead & 0x07, minimum = 0x10000;
  } else {
    return kMalformed;
  }
  for (int i = 0; i < extra; ++i) {
    if (pos >= text.size() || (static_cast<unsigned char>(text[pos]) & 0xC0) != 0x80) {
      return kMalformed;
    }
    cp = (cp << 6) | (static_cast<unsigned char>(text[pos++]) & 0x3F);
  }
  if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
    return kMalformed;
  }
  return cp;
}

}  // namespace

std::string Cp1252ToUtf8(std::string_view cp1252) {
  std::string out;
  out.reserve(cp1252.size() + cp1252.size() / 4);
  for (char c : cp1252) {
    AppendUtf8(out, CodePointOf(static_cast<unsigned char>(c)));
  }
  return out;
}

std::string Utf8ToCp1252(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  std::size_t pos = 0;
  while (pos < utf8.size()) {
    out.push_back(ByteOf(NextCodePoint(utf8, pos)));
  }
  return out;
}

std::vector<std::string> CharactersOutsideCp1252(std::string_view utf8) {
  std::vector<std::string> missing;
  std::size_t pos = 0;
  while (pos < utf8.size()) {
    char32_t cp = NextCodePoint(utf8, pos);
    if (ByteOf(cp) != '?' || cp == U'?') {
      continue;
    }
    if (cp == kMalformed) {
      cp = 0xFFFD;  // shown as the replacement character
    }
    std::string character;
    AppendUtf8(character, cp);
    if (std::find(missing.begin(), missing.end(), character) == missing.end()) {
      missing.push_back(std::move(character));
    }
  }
  return missing;
}

bool FitsCp1252(std::string_view utf8) {
  std::size_t pos = 0;
  while (pos < utf8.size()) {
    const char32_t cp = NextCodePoint(utf8, pos);
    if (ByteOf(cp) == '?' && cp != U'?') {
      return false;
    }
  }
  return true;
}

bool IsValidUtf8(std::string_view text) {
  std::size_t pos = 0;
  while (pos < text.size()) {
    if (NextCodePoint(text, pos) == kMalformed) {
      return false;
    }
  }
  return true;
}

}  // namespace vellanor
