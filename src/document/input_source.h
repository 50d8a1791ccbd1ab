#pragma once

#include <cstddef>
#include <cstdint>

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

}  // namespace vellanor
