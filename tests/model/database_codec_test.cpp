#include "model/database_codec.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <initializer_list>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "model/gradebook.h"
#include "model/invariants.h"
#include "support/record_builders.h"

namespace vellanor {
namespace {

using test::Class;
using test::Mark;
using test::Student;
using Bytes = std::vector<std::uint8_t>;

// Stored bytes written out field by field.
class Stored {
 public:
  Stored& Raw(std::initializer_list<int> bytes) {
    for (int b : bytes) {
      bytes_.push_back(static_cast<std::uint8_t>(b));
    }
    return *this;
  }
  // A text without line feeds, NUL-padded to its field's width.
  Stored& Text(std::string_view text, std::size_t width) {
    EXPECT_LE(text.size(), width);
    EXPECT_EQ(text.find('\n'), std::string_view::npos);
    bytes_.insert(bytes_.end(), text.begin(), text.end());
    return Fill(0, width - text.size());
  }
  Stored& Fill(int value, std::size_t count) {
    bytes_.insert(bytes_.end(), count, static_cast<std::uint8_t>(value));
    return *this;
  }
  std::size_t Size() const { return bytes_.size(); }
  const Bytes& Get() const { return bytes_; }

 private:
  Bytes bytes_;
};

// One class, two grade columns (written T1, oral T2), two students.
Gradebook SmallBook() {
  StudentRecord dupont = Student(
      "Dupont", "Zo\xE9", 0, {Mark(15.0f, 1, 0, 2.0f, "DS 1"), Mark(-1.0f, 2, 1, 1.0f, "Oral")});
  dupont.birthDate = "12/03/2012";
  dupont.birthPlace = "Lyon";
  dupont.average = {15.0f, 0, 0, 0, 0, 0};

  // A first name of 32 characters: stored without a NUL.
  StudentRecord martin = Student("Martin", "Jean-Baptiste-Emmanuel-Alexandre", 1,
                                 {Mark(10.0f, 1, 0, 2.0f, ""), Mark(8.625f, 2, 1, 1.0f, "")});
  martin.average = {10.0f, 0, 0, 8.625f, 0, 0};

  ClassRecord record = Class("3e A", "2026 - 2027", {dupont, martin});
  record.info = "Groupe\nB";
  record.gradeCount = {1, 0, 0, 1, 0, 0};
  record.average = {12.5f, 0, 0, 8.625f, 0, 0};
  record.columns = {Mark(12.5f, 1, 0, 2.0f, "DS 1"), Mark(8.625f, 2, 1, 1.0f, "Oral")};
  Gradebook book;
  book.classes.push_back(record);
  return book;
}

// SmallBook as stored, with `pad` in every padding byte and link slot.
// 8.625 is 0x410A0000: its 0A byte is stored 0D 0A, as is the one of "Groupe\nB".
Bytes SmallBookStored(int pad) {
  Stored s;
  s.Raw({0x00, 0x00, 0x00, 0x40, 0x01, 0x00}).Fill(pad, 2);
  EXPECT_EQ(s.Size(), 8u);

  s.Text("3e A", 32);
  s.Raw({'G', 'r', 'o', 'u', 'p', 'e', 0x0D, 0x0A, 'B'}).Fill(0, 92);
  s.Text("2026 - 2027", 32);
  s.Raw({0x02, 0x00});
  s.Raw({0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00});
  s.Fill(pad, 2);
  s.Raw({0x00, 0x00, 0x48, 0x41, 0, 0, 0, 0, 0, 0, 0, 0, 0x00, 0x00, 0x0D, 0x0A, 0x41});
  s.Fill(0, 8);
  s.Fill(pad, 8);
  EXPECT_EQ(s.Size(), 8u + 212 + 2);

  s.Raw({0x00, 0x00, 0x48, 0x41, 0x00}).Fill(pad, 3).Raw({0x00, 0x00, 0x00, 0x40, 0x01, 0x00});
  s.Text("DS 1", 34);
  s.Raw({0x00, 0x00, 0x0D, 0x0A, 0x41, 0x01})
      .Fill(pad, 3)
      .Raw({0x00, 0x00, 0x80, 0x3F, 0x02, 0x00});
  s.Text("Oral", 34);
  EXPECT_EQ(s.Size(), 8u + 214 + 48 + 49);

  s.Text("Dupont", 32);
  s.Raw({'Z', 'o', 0xE9}).Fill(0, 29);
  s.Raw({0x00});
  s.Text("12/03/2012", 32).Text("Lyon", 32).Text("", 100);
  s.Fill(pad, 3);
  s.Raw({0x00, 0x00, 0x70, 0x41}).Fill(0, 20);
  s.Fill(pad, 4);
  EXPECT_EQ(s.Size(), 319u + 260);
  s.Raw({0x00, 0x00, 0x70, 0x41, 0x00}).Fill(pad, 3).Raw({0x00, 0x00, 0x00, 0x40, 0x01, 0x00});
  s.Text("DS 1", 34);
  s.Raw({0x00, 0x00, 0x80, 0xBF, 0x01}).Fill(pad, 3).Raw({0x00, 0x00, 0x80, 0x3F, 0x02, 0x00});
  s.Text("Oral", 34);
  EXPECT_EQ(s.Size(), 579u + 96);

  s.Text("Martin", 32).Text("Jean-Baptiste-Emmanuel-Alexandre", 32);
  s.Raw({0x01});
  s.Text("", 32).Text("", 32).Text("", 100);
  s.Fill(pad, 3);
  s.Raw({0x00, 0x00, 0x20, 0x41, 0, 0, 0, 0, 0, 0, 0, 0, 0x00, 0x00, 0x0D, 0x0A, 0x41});
  s.Fill(0, 8);
  s.Fill(pad, 4);
  EXPECT_EQ(s.Size(), 675u + 261);
  s.Raw({0x00, 0x00, 0x20, 0x41, 0x00}).Fill(pad, 3).Raw({0x00, 0x00, 0x00, 0x40, 0x01, 0x00});
  s.Text("", 34);
  s.Raw({0x00, 0x00, 0x0D, 0x0A, 0x41, 0x01})
      .Fill(pad, 3)
      .Raw({0x00, 0x00, 0x80, 0x3F, 0x02, 0x00});
  s.Text("", 34);
  EXPECT_EQ(s.Size(), 1033u);
  return s.Get();
}

// Hands out at most `step` bytes per read.
class TrickleSource : public ByteSource {
 public:
  TrickleSource(const Bytes& bytes, std::size_t step) : bytes_(bytes), step_(step) {}
  std::size_t Read(std::uint8_t* buffer, std::size_t size) override {
    const std::size_t count = std::min({size, step_, bytes_.size() - position_});
    std::copy_n(bytes_.begin() + static_cast<std::ptrdiff_t>(position_), count, buffer);
    position_ += count;
    return count;
  }

 private:
  const Bytes& bytes_;
  std::size_t step_;
  std::size_t position_ = 0;
};

DbReadError Decode(const Bytes& bytes, Gradebook& book) {
  MemorySource source(bytes);
  return DecodeDatabase(source, book);
}

std::size_t CountOf(const Bytes& bytes, std::uint8_t value) {
  return static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), value));
}

// A class of `students` students without grade columns and without any 0A
// byte outside its student count.
ClassRecord PlainClass(std::string_view name, int students, int columns = 0) {
  const auto count = static_cast<std::size_t>(columns);
  const StudentRecord student =
      Student("Eleve", "", 0, std::vector<GradeRecord>(count, Mark(14.0f, 1, 0, 1.0f, "DS")));
  ClassRecord record =
      Class(name, "", std::vector<StudentRecord>(static_cast<std::size_t>(students), student));
  record.columns.assign(count, Mark(12.0f, 1, 0, 1.0f, "DS"));
  record.gradeCount = {static_cast<std::int16_t>(columns), 0, 0, 0, 0, 0};
  return record;
}

TEST(DatabaseCodecTest, EmptyGradebookIsTheEightHeaderBytes) {
  EXPECT_EQ(EncodeDatabase(Gradebook{}), (Bytes{0x00, 0x00, 0x00, 0x40, 0x00, 0x00, 0x00, 0x00}));
  Gradebook book = SmallBook();
  EXPECT_EQ(Decode(Bytes{0x00, 0x00, 0x00, 0x40, 0x00, 0x00, 0x00, 0x00}, book), DbReadError::None);
  EXPECT_TRUE(book.classes.empty());  // the previous content is replaced
}

TEST(DatabaseCodecTest, WritesEveryFieldAtItsOffsetWithTheLineEndsTranslated) {
  const Gradebook book = SmallBook();
  ASSERT_EQ(FindInvariantFault(book.classes[0]), std::nullopt);
  EXPECT_EQ(EncodeDatabase(book), SmallBookStored(0));

  Gradebook read;
  EXPECT_EQ(Decode(SmallBookStored(0), read), DbReadError::None);
  EXPECT_EQ(read, book);
  EXPECT_EQ(read.classes[0].students[1].firstName.Str(), "Jean-Baptiste-Emmanuel-Alexandre");
  EXPECT_EQ(read.classes[0].info.Str(), "Groupe\nB");
  EXPECT_TRUE(IsAbsent(read.classes[0].students[0].grades[1].value));

  // Other programs may leave anything in the padding and the link slots.
  Gradebook padded;
  EXPECT_EQ(Decode(SmallBookStored(0xFF), padded), DbReadError::None);
  EXPECT_EQ(padded, book);
}

TEST(DatabaseCodecTest, CountsOfTenAndTwentySixStudentsAreData) {
  for (int students : {10, 26}) {
    Gradebook book;
    book.classes.push_back(PlainClass("Classe", students));
    const Bytes stored = EncodeDatabase(book);
    if (students == 10) {
      // The count 0A 00 is stored 0D 0A 00, which moves everything after it.
      EXPECT_EQ(Bytes(stored.begin() + 172, stored.begin() + 175), (Bytes{0x0D, 0x0A, 0x00}));
      EXPECT_EQ(stored.size(), 8u + 212 + 1 + 10 * 260);
    } else {
      EXPECT_EQ(Bytes(stored.begin() + 172, stored.begin() + 174), (Bytes{0x1A, 0x00}));
      EXPECT_EQ(stored.size(), 8u + 212 + 26 * 260);
    }
    Gradebook read;
    EXPECT_EQ(Decode(stored, read), DbReadError::None) << students;
    EXPECT_EQ(read, book) << students;
  }
}

TEST(DatabaseCodecTest, ControlBytesInTextsAndFloatsSurvive) {
  Gradebook book;
  ClassRecord record = PlainClass(
      "a\nb\rc\x1A"
      "d",
      1, 1);
  record.info.Assign("\r\n\r\r\n\n\n\x1A\r");
  record.year.Assign(std::string(32, '\r'));
  record.average = {std::bit_cast<float>(0x0A0D1A0Au),
                    std::bit_cast<float>(0x0D0D0D0Du),
                    std::bit_cast<float>(0x0A0A0A0Au),
                    std::bit_cast<float>(0x7FC00A0Du),
                    -1.0f,
                    0};
  record.students[0].grades[0].value = std::bit_cast<float>(0x1A0A0D0Au);
  record.students[0].grades[0].info.Assign(
      "xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx\r");  // 34 bytes: the file ends on 0D
  book.classes.push_back(record);

  const Bytes stored = EncodeDatabase(book);
  EXPECT_EQ(stored.back(), 0x0D);
  Gradebook read;
  EXPECT_EQ(Decode(stored, read), DbReadError::None);
  EXPECT_EQ(read, book);
  // Each 0A of the stream, and only those, gained a 0D.
  const std::size_t streamSize = 8 + 212 + 48 + 260 + 48;
  EXPECT_EQ(stored.size(), streamSize + CountOf(stored, 0x0A));
}

TEST(DatabaseCodecTest, ReadsOnlyCarriageReturnLineFeedPairsAsLineFeeds) {
  // A class name stored with 0D 0D 0A, a lone 0A and a 0D before other bytes.
  Stored s;
  s.Raw({0x00, 0x00, 0x00, 0x40, 0x01, 0x00, 0x00, 0x00});
  s.Raw({'A', 0x0D, 0x0D, 0x0A, 'B', 0x0A, 'C', 0x0D, 'D', 0x1A}).Fill(0, 32 - 9);
  s.Fill(0, 212 - 32);
  Gradebook read;
  ASSERT_EQ(Decode(s.Get(), read), DbReadError::None);
  ASSERT_EQ(read.classes.size(), 1u);
  EXPECT_EQ(read.classes[0].name.Str(), "A\r\nB\nC\rD\x1A");

  // A 0D that is the last byte of the file is a byte of data: here the last
  // byte of the information text of the one grade column.
  Stored last;
  last.Raw({0x00, 0x00, 0x00, 0x40, 0x01, 0x00, 0x00, 0x00});
  last.Fill(0, 166).Raw({0x01, 0x00}).Fill(0, 44);
  last.Fill(0, 47).Raw({0x0D});
  ASSERT_EQ(Decode(last.Get(), read), DbReadError::None);
  ASSERT_EQ(read.classes.size(), 1u);
  ASSERT_EQ(read.classes[0].columns.size(), 1u);
  EXPECT_EQ(read.classes[0].columns[0].info.Bytes()[33], '\r');
}

TEST(DatabaseCodecTest, ChecksTheHeader) {
  Gradebook read = SmallBook();
  EXPECT_EQ(Decode(Bytes{}, read), DbReadError::Header);
  EXPECT_TRUE(read.classes.empty());
  EXPECT_EQ(Decode(Bytes{0x00, 0x00, 0x00, 0x40, 0x00, 0x00, 0x00}, read), DbReadError::Header);
  // 0D 0A counts as one byte: nine stored bytes but only eight of stream.
  EXPECT_EQ(Decode(Bytes{0x00, 0x00, 0x00, 0x40, 0x00, 0x00, 0x0D, 0x0A}, read),
            DbReadError::Header);

  EXPECT_EQ(Decode(Bytes{0x00, 0x00, 0x20, 0x40, 0x00, 0x00, 0x00, 0x00}, read),  // 2.5
            DbReadError::Version);
  EXPECT_EQ(Decode(Bytes{0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}, read),
            DbReadError::Version);
  EXPECT_EQ(Decode(Bytes{0x00, 0x00, 0x80, 0x3F, 0x00, 0x00, 0x00, 0x00}, read),  // 1.0
            DbReadError::Version);
  EXPECT_EQ(Decode(Bytes{0x00, 0x00, 0xC0, 0x7F, 0x00, 0x00, 0x00, 0x00}, read),  // NaN
            DbReadError::Version);

  // Zero or negative class counts read as an empty gradebook, whatever follows.
  for (Bytes count : {Bytes{0x00, 0x00}, Bytes{0xFF, 0xFF}, Bytes{0x00, 0x80}}) {
    read = SmallBook();
    Bytes bytes{0x00, 0x00, 0x00, 0x40, count[0], count[1], 0x00, 0x00};
    bytes.insert(bytes.end(), 300, 0x41);
    EXPECT_EQ(Decode(bytes, read), DbReadError::None) << int{count[1]};
    EXPECT_TRUE(read.classes.empty());
  }

  // Bytes after the last class are never read.
  Bytes trailing = SmallBookStored(0);
  trailing.insert(trailing.end(), {0x0D, 0xFF, 0x00, 0x0A, 0x12});
  EXPECT_EQ(Decode(trailing, read), DbReadError::None);
  EXPECT_EQ(read, SmallBook());
}

TEST(DatabaseCodecTest, ShortFileReportsTheRecordCutAndKeepsTheClassesBefore) {
  // Three classes of two grade columns and two students, with no 0A byte, so
  // that stored offsets are stream offsets: 212 + 2*48 + 2*(260 + 2*48) each.
  Gradebook book;
  for (const char* name : {"6e A", "5e B", "4e C"}) {
    book.classes.push_back(PlainClass(name, 2, 2));
  }
  const Bytes stored = EncodeDatabase(book);
  const std::size_t perClass = 212 + 2 * 48 + 2 * (260 + 2 * 48);
  ASSERT_EQ(stored.size(), 8 + 3 * perClass);
  ASSERT_EQ(CountOf(stored, 0x0A), 0u);

  struct Cut {
    std::size_t at;
    DbReadError error;
    std::size_t classesKept;
  };
  const std::size_t third = 8 + 2 * perClass;
  const Cut cuts[] = {
      {0, DbReadError::Header, 0},
      {5, DbReadError::Header, 0},
      {8, DbReadError::Class, 0},
      {8 + 211, DbReadError::Class, 0},
      {8 + 212, DbReadError::Grade, 0},       // in the grade columns
      {8 + 212 + 60, DbReadError::Grade, 0},  // in the second grade column
      {8 + 212 + 96 + 259, DbReadError::Student, 0},
      {8 + 212 + 96 + 260 + 95, DbReadError::Grade, 0},  // in a mark
      {8 + perClass - 1, DbReadError::Grade, 0},
      {8 + perClass, DbReadError::Class, 1},
      {third + 100, DbReadError::Class, 2},
      {third + 212 + 10, DbReadError::Grade, 2},
      {third + 212 + 96 + 356 + 1, DbReadError::Student, 2},
      {third + 212 + 96 + 356 + 260 + 47, DbReadError::Grade, 2},
      {stored.size() - 1, DbReadError::Grade, 2},
  };
  for (const Cut& cut : cuts) {
    Gradebook read;
    EXPECT_EQ(
        Decode(Bytes(stored.begin(), stored.begin() + static_cast<std::ptrdiff_t>(cut.at)), read),
        cut.error)
        << "cut at " << cut.at;
    ASSERT_EQ(read.classes.size(), cut.classesKept) << "cut at " << cut.at;
    for (std::size_t i = 0; i < cut.classesKept; ++i) {
      EXPECT_EQ(read.classes[i], book.classes[i]);
    }
  }
}

TEST(DatabaseCodecTest, HugeCountsInATinyFileFailFast) {
  // 32767 classes claimed, then one class claiming 32767 students and 32767
  // grade columns: the reader fails on the bytes that are not there instead
  // of making room for what the counts promise.
  Stored s;
  s.Raw({0x00, 0x00, 0x00, 0x40, 0xFF, 0x7F, 0x00, 0x00});
  s.Fill(0x41, 164).Raw({0xFF, 0x7F, 0xFF, 0x7F}).Fill(0, 10).Fill(0, 34);
  s.Fill(0x42, 48);
  Gradebook read;
  EXPECT_EQ(Decode(s.Get(), read), DbReadError::Grade);
  EXPECT_TRUE(read.classes.empty());

  // A grade count sum that wraps to a negative n reads no grade at all.
  Stored wrapped;
  wrapped.Raw({0x00, 0x00, 0x00, 0x40, 0x01, 0x00, 0x00, 0x00});
  wrapped.Fill(0, 164).Raw({0x01, 0x00});                        // one student
  wrapped.Raw({0x01, 0x00, 0xFF, 0x7F}).Fill(0, 8).Fill(0, 34);  // 1 + 32767 columns
  wrapped.Fill(0x33, 229).Fill(0, 31);
  ASSERT_EQ(Decode(wrapped.Get(), read), DbReadError::None);
  ASSERT_EQ(read.classes.size(), 1u);
  EXPECT_EQ(GradeColumnCount(read.classes[0]), -32768);
  EXPECT_EQ(read.classes[0].students.size(), 1u);
  EXPECT_TRUE(read.classes[0].columns.empty());
  EXPECT_EQ(EncodeDatabase(read), wrapped.Get());
}

// Random gradebooks whose counts match their lists, with texts of any bytes
// and floats of any bits.
class RandomBooks {
 public:
  explicit RandomBooks(std::uint32_t seed) : rng_(seed) {}

  Gradebook Next() {
    Gradebook book;
    const int classes = Uniform(0, 4);
    for (int i = 0; i < classes; ++i) {
      book.classes.push_back(NextClass());
    }
    return book;
  }

 private:
  int Uniform(int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng_); }

  template <std::size_t N>
  void Fill(TextField<N>& text) {
    // Mostly short texts; sometimes a full field; bytes of every value, 0A and 0D often.
    const int length = Uniform(0, 3) == 0 ? static_cast<int>(N) : Uniform(0, static_cast<int>(N));
    for (int k = 0; k < length; ++k) {
      const int pick = Uniform(0, 9);
      text.Bytes()[static_cast<std::size_t>(k)] = static_cast<char>(pick == 0   ? 0x0A
                                                                    : pick == 1 ? 0x0D
                                                                                : Uniform(0, 255));
    }
  }

  float NextFloat() {
    switch (Uniform(0, 5)) {
      case 0:
        return -1.0f;
      case 1:
        return std::bit_cast<float>(0x7FC00000u | static_cast<std::uint32_t>(Uniform(0, 0xFFFF)));
      case 2:
        return static_cast<float>(Uniform(0, 80)) / 4;
      default:
        return std::bit_cast<float>(static_cast<std::uint32_t>(rng_()));
    }
  }

  void FillAverages(PerCategory<float>& average) {
    for (float& value : average) {
      value = NextFloat();
    }
  }

  GradeRecord NextGrade(const GradeRecord& column) {
    GradeRecord grade = column;
    grade.value = NextFloat();
    grade.info = TextField<34>{};
    Fill(grade.info);
    return grade;
  }

  ClassRecord NextClass() {
    ClassRecord record;
    Fill(record.name);
    Fill(record.info);
    Fill(record.year);
    FillAverages(record.average);
    const int columns = Uniform(0, 12);
    for (int i = 0; i < columns; ++i) {
      GradeRecord column;
      column.trimester = static_cast<Trimester>(Uniform(1, 3));
      column.kind = static_cast<std::uint8_t>(Uniform(0, 1));
      column.coefficient = NextFloat();
      column.value = NextFloat();
      Fill(column.info);
      ++record.gradeCount[static_cast<std::size_t>(column.Category())];
      record.columns.push_back(column);
    }
    const int students = Uniform(0, 12);
    for (int j = 0; j < students; ++j) {
      StudentRecord student;
      Fill(student.name);
      Fill(student.firstName);
      student.sex = static_cast<std::uint8_t>(Uniform(0, 255));
      Fill(student.birthDate);
      Fill(student.birthPlace);
      Fill(student.info);
      FillAverages(student.average);
      for (const GradeRecord& column : record.columns) {
        student.grades.push_back(NextGrade(column));
      }
      EXPECT_EQ(AppendStudent(record, student), AppendResult::Done);
    }
    return record;
  }

  std::mt19937 rng_;
};

TEST(DatabaseCodecTest, RandomGradebooksRoundTripWhateverTheReadSizes) {
  RandomBooks books(20260907);
  for (int round = 0; round < 60; ++round) {
    const Gradebook book = books.Next();
    ASSERT_EQ(FirstUnreadableClass(book), -1);
    const Bytes stored = EncodeDatabase(book);
    Gradebook read;
    ASSERT_EQ(Decode(stored, read), DbReadError::None) << "round " << round;
    ASSERT_EQ(read, book) << "round " << round;

    // Class by class into one record, its lists filled again each time: a
    // class that lets go of the record sees its own content only.
    std::vector<ClassRecord> seen;
    MemorySource again(stored);
    ASSERT_EQ(
        DecodeDatabaseClasses(again, [&seen](ClassRecord&& record) { seen.push_back(record); }),
        DbReadError::None);
    ASSERT_EQ(seen, book.classes) << "round " << round;

    // Reads of one byte put every 0D 0A pair across two reads.
    for (std::size_t step : {1u, 2u, 3u, 7u, 4096u}) {
      TrickleSource source(stored, step);
      Gradebook trickled;
      ASSERT_EQ(DecodeDatabase(source, trickled), DbReadError::None) << round << "/" << step;
      ASSERT_EQ(trickled, book) << round << "/" << step;
    }
  }
}

TEST(DatabaseCodecTest, LargeFilesGoOutInWholePiecesWithEveryLineFeedTranslated) {
  // Texts and floats full of 0A and 0D, over several pieces of 64 KiB.
  RandomBooks books(7);
  Gradebook book;
  while (EncodeDatabase(book).size() < 5 * 65536) {
    for (ClassRecord& record : books.Next().classes) {
      book.classes.push_back(std::move(record));
    }
  }
  class PieceSink : public ByteSink {
   public:
    std::size_t Write(const std::uint8_t* data, std::size_t size) override {
      pieces.push_back(size);
      bytes.insert(bytes.end(), data, data + size);
      return size;
    }
    std::vector<std::size_t> pieces;
    Bytes bytes;
  } sink;
  ASSERT_TRUE(EncodeDatabase(book, sink).complete);
  // Whole pages for the file system: every piece but the last.
  ASSERT_GT(sink.pieces.size(), 4u);
  for (std::size_t i = 0; i + 1 < sink.pieces.size(); ++i) {
    EXPECT_EQ(sink.pieces[i], 65536u) << i;
  }
  // Undoing the translation and doing it again byte by byte gives the same
  // bytes: no 0A went out without its 0D.
  Bytes stream;
  for (std::size_t i = 0; i < sink.bytes.size(); ++i) {
    const bool pair =
        sink.bytes[i] == 0x0D && i + 1 < sink.bytes.size() && sink.bytes[i + 1] == 0x0A;
    stream.push_back(pair ? 0x0A : sink.bytes[i]);
    i += pair ? 1 : 0;
  }
  Bytes again;
  for (std::uint8_t byte : stream) {
    if (byte == 0x0A) {
      again.push_back(0x0D);
    }
    again.push_back(byte);
  }
  EXPECT_EQ(again, sink.bytes);
  Gradebook read;
  ASSERT_EQ(Decode(sink.bytes, read), DbReadError::None);
  EXPECT_EQ(read, book);
}

TEST(DatabaseCodecTest, StopsWhereTheSinkStopsTakingBytes) {
  class LimitedSink : public ByteSink {
   public:
    explicit LimitedSink(std::size_t limit) : limit_(limit) {}
    std::size_t Write(const std::uint8_t* data, std::size_t size) override {
      const std::size_t taken = std::min(size, limit_ - bytes.size());
      bytes.insert(bytes.end(), data, data + taken);
      return taken;
    }
    Bytes bytes;

   private:
    std::size_t limit_;
  };

  // Big enough to take several chunks: 40 classes of 30 students with 20 marks.
  Gradebook book;
  for (int i = 0; i < 40; ++i) {
    book.classes.push_back(PlainClass("Classe", 30, 20));
  }
  const Bytes whole = EncodeDatabase(book);
  ASSERT_GT(whole.size(), 3u * 65536);

  for (std::size_t limit : {std::size_t{0}, std::size_t{5}, std::size_t{65536}, std::size_t{200000},
                            whole.size() - 1}) {
    LimitedSink sink(limit);
    const EncodeResult result = EncodeDatabase(book, sink);
    EXPECT_FALSE(result.complete) << limit;
    EXPECT_EQ(result.storedBytes, limit);
    EXPECT_TRUE(std::equal(sink.bytes.begin(), sink.bytes.end(), whole.begin()));
  }
  LimitedSink roomy(whole.size());
  EXPECT_TRUE(EncodeDatabase(book, roomy).complete);
  EXPECT_EQ(roomy.bytes, whole);

  // Which record a failed write was in, counting stored bytes.
  EXPECT_EQ(RecordAtStoredOffset(book, 0), DbRecord::Header);
  EXPECT_EQ(RecordAtStoredOffset(book, 7), DbRecord::Header);
  EXPECT_EQ(RecordAtStoredOffset(book, 8), DbRecord::Class);
  EXPECT_EQ(RecordAtStoredOffset(book, 8 + 212), DbRecord::Grade);
  EXPECT_EQ(RecordAtStoredOffset(book, 8 + 212 + 20 * 48), DbRecord::Student);
  EXPECT_EQ(RecordAtStoredOffset(book, 8 + 212 + 20 * 48 + 260), DbRecord::Grade);
  EXPECT_EQ(RecordAtStoredOffset(book, whole.size()), DbRecord::Grade);
}

}  // namespace
}  // namespace vellanor
