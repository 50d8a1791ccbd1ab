#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/file_store.h"

namespace vellanor::exchange {

// Reads a text file line by line, in pieces, so that memory stays bounded by
// the longest line whatever the file's size. Lines end with CR LF, LF or a
// lone CR; the last line counts even without a line break after it, and a
// line of any length is read whole.
//
// Lines come out in Windows-1252, as the records store text. A file that
// begins with a UTF-8 byte-order mark is UTF-8 throughout; otherwise each line
// that is well-formed UTF-8 and holds non-ASCII characters is taken as UTF-8
// (what spreadsheets save today), and any other line as Windows-1252.
class CsvLineReader {
 public:
  explicit CsvLineReader(platform::InputFile& input);

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
  bool utf8File_ = false;
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
