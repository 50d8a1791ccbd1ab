// Any bytes given as the database file end in a gradebook or a read error,
// without fault, in memory that grows only with the bytes read. What was read
// (the whole file or the classes before a cut) is readable back: it encodes
// to bytes that decode to the same gradebook, and read one byte at a time it
// gives the same result.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "model/database_codec.h"
#include "model/invariants.h"

namespace {

using vellanor::ByteSource;
using vellanor::DbReadError;
using vellanor::Gradebook;

class TrickleSource : public ByteSource {
 public:
  TrickleSource(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  std::size_t Read(std::uint8_t* buffer, std::size_t size) override {
    if (size == 0 || position_ == size_) {
      return 0;
    }
    *buffer = data_[position_++];
    return 1;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t position_ = 0;
};

// Bytes of record stream the gradebook stands for, before line-end translation.
std::size_t StreamSize(const Gradebook& book) {
  std::size_t size = 8;
  for (const auto& record : book.classes) {
    size += 212 + 48 * record.columns.size();
    for (const auto& student : record.students) {
      size += 260 + 48 * student.grades.size();
    }
  }
  return size;
}

void Check(bool condition) {
  if (!condition) {
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  vellanor::MemorySource source(data, size);
  Gradebook book;
  const DbReadError error = vellanor::DecodeDatabase(source, book);

  // Every class kept was read whole from its own bytes: nothing is made up.
  Check(book.classes.empty() || StreamSize(book) <= size);
  Check(vellanor::FirstUnreadableClass(book) == -1);

  const std::vector<std::uint8_t> stored = vellanor::EncodeDatabase(book);
  vellanor::MemorySource again(stored);
  Gradebook reread;
  Check(vellanor::DecodeDatabase(again, reread) == DbReadError::None);
  Check(reread == book);
  Check(vellanor::EncodeDatabase(reread) == stored);

  // Reads of one byte split every 0D 0A pair; small inputs keep this quick.
  if (size <= 4096) {
    TrickleSource trickle(data, size);
    Gradebook trickled;
    Check(vellanor::DecodeDatabase(trickle, trickled) == error);
    Check(trickled == book);
  }
  return 0;
}
