#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "model/database_codec.h"
#include "platform/file_store.h"

namespace vellanor {

// An opened file as the database decoder's source of bytes.
class InputSource : public ByteSource {
 public:
  explicit InputSource(platform::InputFile& file) : file_(file) {}
  std::size_t Read(std::uint8_t* buffer, std::size_t size) override {
    return file_.Read(buffer, size);
  }

 private:
  platform::InputFile& file_;
};

// Decodes the database file at `path`, handing each class to `onClass` as it
// is read whole. A file that cannot be opened (or is no regular file) or
// read to its end is refused as one without a header.
inline DbReadError DecodeDatabaseFile(platform::FileStore& files, const std::string& path,
                                      const std::function<void(ClassRecord&&)>& onClass) {
  const platform::OpenedInput input = files.OpenForReading(path);
  if (input.status != platform::OpenStatus::Opened) {
    return DbReadError::Header;
  }
  InputSource source(*input.file);
  const DbReadError error = DecodeDatabaseClasses(source, onClass);
  return error == DbReadError::None && input.file->Failed() ? DbReadError::Header : error;
}

}  // namespace vellanor
