#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/file_store.h"

namespace vellanor::exchange {

enum class CsvEncoding { Utf8, Windows1252 };

// The encoding of a whole CSV file: UTF-8 when it begins with a byte-order
// mark, or when all of it is well-formed UTF-8 and every character it decodes
// to exists in Windows-1252; Windows-1252 otherwise. Deciding line by line
// would read a Windows-1252 line such as "JOS\xC9\xA0LUIS" as UTF-8 by chance.
CsvEncoding DecideEncoding(std::string_view bytes);

// Reads a text file line by line, in pieces, so that memory stays bounded by
// the longest line whatever the file's size. Lines end with CR LF, LF or a
// lone CR; the last line counts even without a line break after it, and a
// line of any length is read whole.
//
// Lines come out in Windows-1252, as the records store text, converted from
// the file's encoding, which the caller decided; a UTF-8 file's byte-order
// mark is dropped.
class CsvLineReader {
 public:
  CsvLineReader(platform::InputFile& input, CsvEncoding encoding);

  // The next line, without its line break; false at the end of the file.
  bool Next(std::string& line);

  // Gives a line back, so that the next call of Next returns it again.
  void PushBack(std::string line);

 private:
  bool ReadRawLine(std::string& line);
  bool Refill();

  platform::InputFile& input_;
  std::vector<char> buffer_;
  std::size_t position_ = 0;
  std::size_t end_ = 0;
  bool endOfFile_ = false;
  bool firstLine_ = true;
  bool utf8File_;
  bool skipLineFeed_ = false;  // the previous line ended with a CR
  std::optional<std::string> pushedBack_;
};

// A file's bytes held in memory, handed out at most `piece` bytes at a time
// (the reader must not care where the pieces end).
class StringInput : public platform::InputFile {
 public:
  explicit StringInput(std::string bytes, std::size_t piece = SIZE_MAX)
      : bytes_(std::move(bytes)), piece_(piece) {}
  std::size_t Read(void* buffer, std::size_t size) override;

 private:
  std::string bytes_;
  std::size_t piece_;
  std::size_t position_ = 0;
};

}  // namespace vellanor::exchange
