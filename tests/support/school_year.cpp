#include "support/school_year.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <random>
#include <string>

#include "model/averages.h"

namespace vellanor {
namespace {

// Texts in Windows-1252: \xE9 is é, \xE8 è, \xE7 ç, \xEF ï, \xB0 °.
constexpr std::array kLastNames = {"Martin",
                                   "Bernard",
                                   "Dubois",
                                   "Thomas",
                                   "Robert",
                                   "Richard",
                                   "Petit",
                                   "Durand",
                                   "Leroy",
                                   "Moreau",
                                   "Simon",
                                   "Laurent",
                                   "Lef\xE8vre",
                                   "Michel",
                                   "Garc\xEF"
                                   "a",
                                   "Fran\xE7ois",
                                   "Roux",
                                   "Fournier",
                                   "Girard",
                                   "Andr\xE9"};
constexpr std::array kGirls = {"Zo\xE9",
                               "L\xE9"
                               "a",
                               "Chlo\xE9",
                               "Camille",
                               "In\xE8s",
                               "Manon",
                               "Jade",
                               "Louise",
                               "Ana\xEF"
                               "s",
                               "Clara"};
constexpr std::array kBoys = {"Lucas",
                              "Hugo",
                              "Th\xE9o",
                              "Nathan",
                              "Rapha\xEB"
                              "l",
                              "Louis",
                              "Jules",
                              "Ma\xEB"
                              "l",
                              "L\xE9o",
                              "Arthur"};
constexpr std::array kPlaces = {"Lyon",
                                "Besan\xE7on",
                                "N\xEEmes",
                                "Saint-\xC9tienne",
                                "Orl\xE9"
                                "ans",
                                "Paris"};
constexpr std::array kLevels = {"6e", "5e", "4e", "3e"};
constexpr std::array kCoefficients = {1.0f, 2.0f, 0.5f, 1.0f, 3.0f, 1.0f};

class Generator {
 public:
  explicit Generator(std::uint32_t seed) : rng_(seed) {}

  int Uniform(int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng_); }

  template <std::size_t N>
  const char* Pick(const std::array<const char*, N>& list) {
    return list[static_cast<std::size_t>(Uniform(0, static_cast<int>(N) - 1))];
  }

  // Around the student's level, in quarter points, within 0 to 20; 1 in 25 absent.
  float Mark(float level) {
    if (Uniform(0, 24) == 0) {
      return kAbsenceValue;
    }
    const float raw = std::normal_distribution<float>(level, 3.0f)(rng_);
    return std::round(std::clamp(raw, 0.0f, 20.0f) * 4) / 4;
  }

  float Level() { return std::normal_distribution<float>(12.0f, 2.5f)(rng_); }

 private:
  std::mt19937 rng_;
};

std::vector<GradeRecord> MakeColumns(int count) {
  std::vector<GradeRecord> columns;
  for (int i = 0; i < count; ++i) {
    GradeRecord column;
    column.trimester = static_cast<Trimester>(1 + i * 3 / count);
    column.kind = i % 3 == 2 ? kOral : kWritten;
    column.coefficient = kCoefficients[static_cast<std::size_t>(i) % kCoefficients.size()];
    column.info.Assign((column.kind == kOral ? "Oral n\xB0" : "Devoir n\xB0") +
                       std::to_string(i + 1));
    columns.push_back(column);
  }
  return columns;
}

ClassRecord MakeClass(int index, const SchoolYearShape& shape, Generator& gen) {
  ClassRecord record;
  record.name.Assign(std::string(kLevels[static_cast<std::size_t>(index) % kLevels.size()]) + " " +
                     static_cast<char>('A' + index / 4 % 26) + std::to_string(index / 104));
  record.year.Assign("2026 - 2027");
  record.info.Assign("Professeur principal : M. Lef\xE8vre, salle B" + std::to_string(index));
  const std::vector<GradeRecord> columns = MakeColumns(shape.marksPerStudent);
  for (const GradeRecord& column : columns) {
    ++record.gradeCount[static_cast<std::size_t>(column.Category())];
  }

  for (int j = 0; j < shape.studentsPerClass; ++j) {
    StudentRecord student;
    student.sex = static_cast<std::uint8_t>(gen.Uniform(0, 1));
    student.name.Assign(gen.Pick(kLastNames));
    student.firstName.Assign(student.sex == 1 ? gen.Pick(kBoys) : gen.Pick(kGirls));
    student.birthDate.Assign(std::to_string(gen.Uniform(10, 28)) + "/0" +
                             std::to_string(gen.Uniform(1, 9)) + "/2013");
    student.birthPlace.Assign(gen.Pick(kPlaces));
    if (gen.Uniform(0, 4) == 0) {
      student.info.Assign("PAP : tiers-temps aux \xE9valuations");
    }
    const float level = gen.Level();
    for (GradeRecord mark : columns) {
      mark.value = gen.Mark(level);
      student.grades.push_back(mark);
    }
    record.students.push_back(std::move(student));
  }
  record.studentCount = static_cast<std::int16_t>(record.students.size());

  record.columns = columns;
  RecomputeClass(record);
  return record;
}

}  // namespace

Gradebook MakeSchoolYear(const SchoolYearShape& shape) {
  Generator gen(shape.seed);
  Gradebook book;
  for (int i = 0; i < shape.classes; ++i) {
    book.classes.push_back(MakeClass(i, shape, gen));
  }
  return book;
}

}  // namespace vellanor
