#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "model/records.h"

namespace vellanor {

// Sizes of the records of the database file, as stored before the line-end
// translation.
inline constexpr std::size_t kHeaderSize = 8;
inline constexpr std::size_t kClassRecordSize = 212;
inline constexpr std::size_t kStudentRecordSize = 260;
inline constexpr std::size_t kGradeRecordSize = 48;

// The kinds of record of the file, in the words of the program's messages.
enum class DbRecord { Header, Class, Student, Grade };

// Why a file could not be read whole.
enum class DbReadError {
  None,
  Header,   // fewer than 8 bytes
  Version,  // the version is not exactly 2.0
  Class,    // a class record is cut short
  Student,  // a student record is cut short
  Grade,    // a grade record is cut short
};

// The bytes of a file as stored, handed out in pieces.
class ByteSource {
 public:
  virtual ~ByteSource() = default;
  // Returns how many bytes were put into `buffer`; 0 at the end (or on error).
  virtual std::size_t Read(std::uint8_t* buffer, std::size_t size) = 0;
};

// Receives the stored bytes of a file as they are produced.
class ByteSink {
 public:
  virtual ~ByteSink() = default;
  // Returns how many bytes were taken; fewer than `size` stops the encoding.
  virtual std::size_t Write(const std::uint8_t* data, std::size_t size) = 0;
};

class MemorySource : public ByteSource {
 public:
  MemorySource(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  explicit MemorySource(const std::vector<std::uint8_t>& bytes)
      : MemorySource(bytes.data(), bytes.size()) {}
  std::size_t Read(std::uint8_t* buffer, std::size_t size) override;

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t position_ = 0;
};

class VectorSink : public ByteSink {
 public:
  std::size_t Write(const std::uint8_t* data, std::size_t size) override;
  std::vector<std::uint8_t> bytes;
};

// Replaces the gradebook's content with the file's. The stored line ends
// (0D 0A for each 0A of the record stream) are undone on the way. On an error
// the gradebook keeps the classes read completely before the failing one.
// Memory grows only with the bytes actually read, whatever the counts claim.
DbReadError DecodeDatabase(ByteSource& source, Gradebook& book);

// Reads the same stream one class at a time: each class, once read whole, is
// handed to `onClass` in file order, which may keep it or let it go. So a
// reader that lets each class go needs memory for one class only. On an
// error the classes handed over are those read completely before the
// failing one.
DbReadError DecodeDatabaseClasses(ByteSource& source,
                                  const std::function<void(ClassRecord&&)>& onClass);

struct EncodeResult {
  bool complete = true;
  std::size_t storedBytes = 0;  // bytes the sink took
};

// Writes the whole gradebook as stored: every field little-endian at its
// offset, padding and link slots zero, each 0A byte stored as 0D 0A. The
// counts are written as they are: check the class invariants first.
EncodeResult EncodeDatabase(const Gradebook& book, ByteSink& sink);

// The whole stored file in memory.
std::vector<std::uint8_t> EncodeDatabase(const Gradebook& book);

// The record that holds the stored byte at `offset` of the file the gradebook
// encodes to (the last record when the offset lies past the end).
DbRecord RecordAtStoredOffset(const Gradebook& book, std::size_t offset);

}  // namespace vellanor
