#include "exchange/csv/csv_line_reader.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "model/cp1252.h"
#include "platform/file_store.h"

namespace vellanor::exchange {
namespace {

constexpr std::size_t kPieceSize = 64 * 1024;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool IsAscii(std::string_view text) {
  return std::none_of(text.begin(), text.end(),
                      [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

}  // namespace

CsvEncoding DecideEncoding(std::string_view bytes) {
  if (bytes.starts_with(kByteOrderMark) ||
      (!IsAscii(bytes) && IsValidUtf8(bytes) && FitsCp1252(bytes))) {
    return CsvEncoding::Utf8;
  }
  return CsvEncoding::Windows1252;
}

CsvLineReader::CsvLineReader(platform::InputFile& input, CsvEncoding encoding)
    : input_(input), buffer_(kPieceSize), utf8File_(encoding == CsvEncoding::Utf8) {}

bool CsvLineReader::Refill() {
  if (endOfFile_) {
    return false;
  }
  position_ = 0;
  end_ = input_.Read(buffer_.data(), buffer_.size());
  endOfFile_ = end_ == 0;
  return !endOfFile_;
}

bool CsvLineReader::ReadRawLine(std::string& line) {
  line.clear();
  bool sawAnything = false;
  while (true) {
    if (position_ == end_ && !Refill()) {
      return sawAnything;
    }
    if (skipLineFeed_) {
      skipLineFeed_ = false;
      if (buffer_[position_] == '\n') {
        ++position_;
        continue;
      }
    }
    sawAnything = true;
    const char* begin = buffer_.data() + position_;
    const char* stop = buffer_.data() + end_;
    const char* found = std::find_if(begin, stop, [](char c) { return c == '\n' || c == '\r'; });
    line.append(begin, found);
    position_ = static_cast<std::size_t>(found - buffer_.data());
    if (found != stop) {
      skipLineFeed_ = *found == '\r';
      ++position_;
      return true;
    }
  }
}

bool CsvLineReader::Next(std::string& line) {
  if (pushedBack_) {
    line = std::move(*pushedBack_);
    pushedBack_.reset();
    return true;
  }
  if (!ReadRawLine(line)) {
    return false;
  }
  if (firstLine_) {
    firstLine_ = false;
    if (utf8File_ && line.starts_with(kByteOrderMark)) {
      line.erase(0, kByteOrderMark.size());
    }
  }
  if (utf8File_ && !IsAscii(line)) {
    line = Utf8ToCp1252(line);
  }
  return true;
}

void CsvLineReader::PushBack(std::string line) {
  pushedBack_ = std::move(line);
}

std::size_t StringInput::Read(void* buffer, std::size_t size) {
  const std::size_t count = std::min({size, piece_, bytes_.size() - position_});
  std::memcpy(buffer, bytes_.data() + position_, count);
  position_ += count;
  return count;
}

}  // namespace vellanor::exchange
