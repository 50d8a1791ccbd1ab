#include "model/database_codec.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <utility>

#include "model/gradebook.h"

namespace vellanor {
namespace {

constexpr std::uint8_t kLineFeed = 0x0A;
constexpr std::uint8_t kCarriageReturn = 0x0D;
constexpr std::uint32_t kVersionBits = 0x40000000u;  // 2.0f
// The file is written in pieces of this size, and read in larger ones: a read
// costs a system call, and a quarter of a megabyte still stays in the cache
// while it is decoded.
constexpr std::size_t kChunkSize = 64 * 1024;
constexpr std::size_t kReadChunkSize = 4 * kChunkSize;

// Growing a list by what the file claims would let a short hostile file ask
// for gigabytes; lists are reserved up to this and then grow as they are read.
constexpr std::size_t kTrustedReserve = 1024;

// --- little-endian fields -------------------------------------------------

void PutU16(std::uint8_t* p, std::uint16_t v) {
  p[0] = static_cast<std::uint8_t>(v);
  p[1] = static_cast<std::uint8_t>(v >> 8);
}
void PutU32(std::uint8_t* p, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) {
    p[i] = static_cast<std::uint8_t>(v >> (8 * i));
  }
}
void PutI16(std::uint8_t* p, std::int16_t v) {
  PutU16(p, static_cast<std::uint16_t>(v));
}
void PutF32(std::uint8_t* p, float v) {
  PutU32(p, std::bit_cast<std::uint32_t>(v));
}
template <std::size_t N>
void PutText(std::uint8_t* p, const TextField<N>& text) {
  std::memcpy(p, text.Bytes().data(), N);
}
void PutAverages(std::uint8_t* p, const PerCategory<float>& average) {
  for (int c = 0; c < kCategoryCount; ++c) {
    PutF32(p + 4 * c, average[c]);
  }
}

std::uint16_t GetU16(const std::uint8_t* p) {
  return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
std::uint32_t GetU32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
         (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
std::int16_t GetI16(const std::uint8_t* p) {
  return static_cast<std::int16_t>(GetU16(p));
}
float GetF32(const std::uint8_t* p) {
  return std::bit_cast<float>(GetU32(p));
}
template <std::size_t N>
void GetText(const std::uint8_t* p, TextField<N>& text) {
  std::memcpy(text.Bytes().data(), p, N);
}
void GetAverages(const std::uint8_t* p, PerCategory<float>& average) {
  for (int c = 0; c < kCategoryCount; ++c) {
    average[c] = GetF32(p + 4 * c);
  }
}

// --- records ------------------------------------------------------------------

// Each encoder fills `out` (the record's size) whole: the padding and the
// link slots are zeroed first.

void EncodeHeader(std::uint8_t* out, std::size_t classCount) {
  std::memset(out, 0, kHeaderSize);
  PutU32(out, kVersionBits);
  PutU16(out + 4, static_cast<std::uint16_t>(classCount));
}

void EncodeClass(std::uint8_t* out, const ClassRecord& record) {
  std::memset(out, 0, kClassRecordSize);  // padding at 178, link slots at 204 and 208
  PutText(out + 0, record.name);
  PutText(out + 32, record.info);
  PutText(out + 132, record.year);
  PutI16(out + 164, record.studentCount);
  for (int c = 0; c < kCategoryCount; ++c) {
    PutI16(out + 166 + 2 * c, record.gradeCount[c]);
  }
  PutAverages(out + 180, record.average);
}

void DecodeClass(const std::uint8_t* in, ClassRecord& record) {
  GetText(in + 0, record.name);
  GetText(in + 32, record.info);
  GetText(in + 132, record.year);
  record.studentCount = GetI16(in + 164);
  for (int c = 0; c < kCategoryCount; ++c) {
    record.gradeCount[c] = GetI16(in + 166 + 2 * c);
  }
  GetAverages(in + 180, record.average);
}

void EncodeStudent(std::uint8_t* out, const StudentRecord& student) {
  std::memset(out, 0, kStudentRecordSize);  // padding at 229, link slot at 256
  PutText(out + 0, student.name);
  PutText(out + 32, student.firstName);
  out[64] = student.sex;
  PutText(out + 65, student.birthDate);
  PutText(out + 97, student.birthPlace);
  PutText(out + 129, student.info);
  PutAverages(out + 232, student.average);
}

void DecodeStudent(const std::uint8_t* in, StudentRecord& student) {
  GetText(in + 0, student.name);
  GetText(in + 32, student.firstName);
  student.sex = in[64];
  GetText(in + 65, student.birthDate);
  GetText(in + 97, student.birthPlace);
  GetText(in + 129, student.info);
  GetAverages(in + 232, student.average);
}

void EncodeGrade(std::uint8_t* out, const GradeRecord& grade) {
  std::memset(out, 0, kGradeRecordSize);  // padding at 5
  PutF32(out + 0, grade.value);
  out[4] = grade.kind;
  PutF32(out + 8, grade.coefficient);
  PutI16(out + 12, grade.trimester);
  PutText(out + 14, grade.info);
}

void DecodeGrade(const std::uint8_t* in, GradeRecord& grade) {
  grade.value = GetF32(in + 0);
  grade.kind = in[4];
  grade.coefficient = GetF32(in + 8);
  grade.trimester = GetI16(in + 12);
  GetText(in + 14, grade.info);
}

std::size_t StoredSize(const std::uint8_t* data, std::size_t size) {
  return size + static_cast<std::size_t>(std::count(data, data + size, kLineFeed));
}

// Visits every record of the stream in file order: visit(kind, size, encode)
// where encode(out) writes the record's `size` bytes to `out`. Stops when the
// visitor returns false.
template <typename Visitor>
void ForEachRecord(const Gradebook& book, Visitor&& visit) {
  if (!visit(DbRecord::Header, kHeaderSize,
             [&](std::uint8_t* out) { EncodeHeader(out, book.classes.size()); })) {
    return;
  }
  for (const ClassRecord& record : book.classes) {
    if (!visit(DbRecord::Class, kClassRecordSize,
               [&](std::uint8_t* out) { EncodeClass(out, record); })) {
      return;
    }
    for (const GradeRecord& column : record.columns) {
      if (!visit(DbRecord::Grade, kGradeRecordSize,
                 [&](std::uint8_t* out) { EncodeGrade(out, column); })) {
        return;
      }
    }
    for (const StudentRecord& student : record.students) {
      if (!visit(DbRecord::Student, kStudentRecordSize,
                 [&](std::uint8_t* out) { EncodeStudent(out, student); })) {
        return;
      }
      for (const GradeRecord& mark : student.grades) {
        if (!visit(DbRecord::Grade, kGradeRecordSize,
                   [&](std::uint8_t* out) { EncodeGrade(out, mark); })) {
          return;
        }
      }
    }
  }
}

// Gathers the record stream and hands it to the sink with the line-end
// translation applied, in pieces of exactly kChunkSize bytes (the last one
// shorter): a file system takes whole pages much faster than pieces that
// start and end inside them. Line feeds are rare, so one scan of what was
// encoded since the last piece finds them (and usually none).
class TranslatingWriter {
 public:
  // The largest record, and room for what was encoded to double in size.
  static constexpr std::size_t kMaxRecord = 512;
  explicit TranslatingWriter(ByteSink& sink)
      : sink_(sink), buffer_(2 * (kChunkSize + kMaxRecord) + kMaxRecord) {}

  // Room for one record, encoded there in place.
  std::uint8_t* Room() { return buffer_.data() + used_; }

  // Takes the `size` bytes just encoded at Room().
  bool Put(std::size_t size) {
    used_ += size;
    return used_ < kChunkSize || HandOut(false);
  }

  // Hands out everything taken.
  bool Flush() { return HandOut(true); }

  std::size_t Stored() const { return stored_; }

 private:
  // Translates what was taken since the last call, then hands out every
  // whole piece (or all) and keeps the rest at the start of the buffer.
  bool HandOut(bool all) {
    Translate();
    const std::size_t size = all ? used_ : used_ / kChunkSize * kChunkSize;
    const std::size_t taken = size == 0 ? 0 : sink_.Write(buffer_.data(), size);
    stored_ += taken;
    std::memmove(buffer_.data(), buffer_.data() + size, used_ - size);
    used_ -= size;
    translated_ = used_;
    return taken == size;
  }

  // Stores each 0A of the bytes from translated_ to used_ as 0D 0A, in place:
  // from the back, so that each byte moves once.
  void Translate() {
    std::uint8_t* const begin = buffer_.data() + translated_;
    std::uint8_t* end = buffer_.data() + used_;
    std::size_t lineFeeds = 0;
    for (const void* p = begin;
         (p = std::memchr(p, kLineFeed,
                          static_cast<std::size_t>(end - static_cast<const std::uint8_t*>(p))));
         p = static_cast<const std::uint8_t*>(p) + 1) {
      ++lineFeeds;
    }
    std::uint8_t* out = end + lineFeeds;
    used_ += lineFeeds;
    while (out != end) {
      const std::uint8_t byte = *--end;
      *--out = byte;
      if (byte == kLineFeed) {
        *--out = kCarriageReturn;
      }
    }
  }

  ByteSink& sink_;
  std::vector<std::uint8_t> buffer_;
  std::size_t used_ = 0;        // bytes in the buffer
  std::size_t translated_ = 0;  // of which already translated
  std::size_t stored_ = 0;
};

// Reads the record stream back from the stored bytes: 0D 0A becomes 0A, every
// other byte (0D and 1A included) is taken as it is.
class UntranslatingReader {
 public:
  // The longest piece Next hands out.
  static constexpr std::size_t kMaxPiece = 4096;

  explicit UntranslatingReader(ByteSource& source)
      : source_(source), buffer_(kReadChunkSize), piece_(kMaxPiece) {}

  // The next `size` (at most kMaxPiece) bytes of the stream, or nullptr if it
  // ends first. Valid until the next call. Straight from the buffer when the
  // bytes are there and hold no 0D, which is nearly always.
  const std::uint8_t* Next(std::size_t size) {
    if (end_ - pos_ < size) {
      Fill(size);
    }
    if (end_ - pos_ >= size) {
      const std::uint8_t* start = buffer_.data() + pos_;
      if (std::memchr(start, kCarriageReturn, size) == nullptr) {
        pos_ += size;
        return start;
      }
    }
    return ReadExact(piece_.data(), size) ? piece_.data() : nullptr;
  }

 private:
  // Fills `out` with the next `size` bytes of the stream; false if it ends first.
  bool ReadExact(std::uint8_t* out, std::size_t size) {
    std::size_t got = 0;
    while (got < size) {
      if (!Fill(1)) {
        return false;
      }
      const std::size_t span = std::min(size - got, end_ - pos_);
      const auto* start = buffer_.data() + pos_;
      const auto* cr = static_cast<const std::uint8_t*>(std::memchr(start, kCarriageReturn, span));
      const std::size_t plain = cr ? static_cast<std::size_t>(cr - start) : span;
      std::memcpy(out + got, start, plain);
      got += plain;
      pos_ += plain;
      if (cr != nullptr) {
        Fill(2);
        const bool pair = end_ - pos_ >= 2 && buffer_[pos_ + 1] == kLineFeed;
        out[got++] = pair ? kLineFeed : kCarriageReturn;
        pos_ += pair ? 2 : 1;
      }
    }
    return true;
  }

  // Makes at least `want` unread bytes available unless the source runs out.
  bool Fill(std::size_t want) {
    while (end_ - pos_ < want && !exhausted_) {
      if (pos_ > 0) {
        std::memmove(buffer_.data(), buffer_.data() + pos_, end_ - pos_);
        end_ -= pos_;
        pos_ = 0;
      }
      const std::size_t got = source_.Read(buffer_.data() + end_, buffer_.size() - end_);
      if (got == 0) {
        exhausted_ = true;
      }
      end_ += got;
    }
    return end_ - pos_ >= want;
  }

  ByteSource& source_;
  std::vector<std::uint8_t> buffer_;
  std::vector<std::uint8_t> piece_;
  std::size_t pos_ = 0;
  std::size_t end_ = 0;
  bool exhausted_ = false;
};

// Grade records are read this many at a time.
constexpr int kGradeBatch = static_cast<int>(UntranslatingReader::kMaxPiece / kGradeRecordSize);

// Replaces `grades` with the next `count` grade records. The list keeps the
// memory it had, as does every list that ReadClass fills.
bool ReadGrades(UntranslatingReader& reader, int count, std::vector<GradeRecord>& grades) {
  grades.clear();
  if (count <= 0) {
    return true;
  }
  grades.reserve(std::min<std::size_t>(static_cast<std::size_t>(count), kTrustedReserve));
  for (int done = 0; done < count;) {
    const int batch = std::min(count - done, kGradeBatch);
    const std::uint8_t* bytes = reader.Next(static_cast<std::size_t>(batch) * kGradeRecordSize);
    if (bytes == nullptr) {
      return false;
    }
    for (int i = 0; i < batch; ++i) {
      DecodeGrade(bytes + static_cast<std::size_t>(i) * kGradeRecordSize, grades.emplace_back());
    }
    done += batch;
  }
  return true;
}

// Reads the next class into `record`, whatever it held: every field is
// overwritten, and the lists it already has are filled again rather than
// made anew, so that reading class after class into one record needs no new
// memory once the largest has been read.
DbReadError ReadClass(UntranslatingReader& reader, ClassRecord& record) {
  const std::uint8_t* classBytes = reader.Next(kClassRecordSize);
  if (classBytes == nullptr) {
    return DbReadError::Class;
  }
  DecodeClass(classBytes, record);
  const int n = GradeColumnCount(record);
  if (!ReadGrades(reader, n, record.columns)) {
    return DbReadError::Grade;
  }
  const std::size_t students = static_cast<std::size_t>(std::max<int>(record.studentCount, 0));
  if (record.students.size() > students) {
    record.students.resize(students);
  }
  record.students.reserve(std::min(students, kTrustedReserve));
  for (std::size_t j = 0; j < students; ++j) {
    const std::uint8_t* studentBytes = reader.Next(kStudentRecordSize);
    if (studentBytes == nullptr) {
      return DbReadError::Student;
    }
    StudentRecord& student =
        j < record.students.size() ? record.students[j] : record.students.emplace_back();
    DecodeStudent(studentBytes, student);
    if (!ReadGrades(reader, n, student.grades)) {
      return DbReadError::Grade;
    }
  }
  return DbReadError::None;
}

}  // namespace

std::size_t MemorySource::Read(std::uint8_t* buffer, std::size_t size) {
  const std::size_t count = std::min(size, size_ - position_);
  if (count > 0) {
    std::memcpy(buffer, data_ + position_, count);
  }
  position_ += count;
  return count;
}

std::size_t VectorSink::Write(const std::uint8_t* data, std::size_t size) {
  bytes.insert(bytes.end(), data, data + size);
  return size;
}

DbReadError DecodeDatabase(ByteSource& source, Gradebook& book) {
  ClearGradebook(book);
  return DecodeDatabaseClasses(
      source, [&book](ClassRecord&& record) { book.classes.push_back(std::move(record)); });
}

DbReadError DecodeDatabaseClasses(ByteSource& source,
                                  const std::function<void(ClassRecord&&)>& onClass) {
  UntranslatingReader reader(source);
  const std::uint8_t* header = reader.Next(kHeaderSize);
  if (header == nullptr) {
    return DbReadError::Header;
  }
  if (GetF32(header) != 2.0f) {
    return DbReadError::Version;
  }
  const int classCount = GetI16(header + 4);
  // One record for every class: what onClass lets go is filled again.
  ClassRecord record;
  for (int i = 0; i < classCount; ++i) {
    const DbReadError error = ReadClass(reader, record);
    if (error != DbReadError::None) {
      return error;  // what was read of this class is dropped
    }
    onClass(std::move(record));
  }
  return DbReadError::None;
}

EncodeResult EncodeDatabase(const Gradebook& book, ByteSink& sink) {
  TranslatingWriter writer(sink);
  bool complete = true;
  ForEachRecord(book, [&](DbRecord, std::size_t size, const auto& encode) {
    encode(writer.Room());
    complete = writer.Put(size);
    return complete;
  });
  if (complete) {
    complete = writer.Flush();
  }
  return {complete, writer.Stored()};
}

std::vector<std::uint8_t> EncodeDatabase(const Gradebook& book) {
  VectorSink sink;
  EncodeDatabase(book, sink);
  return std::move(sink.bytes);
}

DbRecord RecordAtStoredOffset(const Gradebook& book, std::size_t offset) {
  DbRecord found = DbRecord::Header;
  std::size_t start = 0;
  std::array<std::uint8_t, kStudentRecordSize> bytes;  // the largest record
  ForEachRecord(book, [&](DbRecord kind, std::size_t size, const auto& encode) {
    encode(bytes.data());
    found = kind;
    start += StoredSize(bytes.data(), size);
    return start <= offset;
  });
  return found;
}

}  // namespace vellanor
