#pragma once

#include <array>
#include <bit>
#include <cstdint>
#include <vector>

#include "model/text_field.h"

namespace vellanor {

// Kinds of grade: written ("Ecrit") or oral ("Oral"). Stored as one byte; a
// file may hold any other value, which then belongs to no category.
inline constexpr std::uint8_t kWritten = 0;
inline constexpr std::uint8_t kOral = 1;

// A school term, 1 to 3, stored in 16 bits.
using Trimester = std::int16_t;

// The six categories (trimester, kind), indexed (trimester - 1) * 2 + kind:
// written T1, oral T1, written T2, oral T2, written T3, oral T3.
inline constexpr int kCategoryCount = 6;
template <typename T>
using PerCategory = std::array<T, kCategoryCount>;

// Index of the category of (trimester, kind), or -1 for values outside them.
constexpr int CategoryIndex(int trimester, int kind) {
  if (trimester < 1 || trimester > 3 || kind < 0 || kind > 1) {
    return -1;
  }
  return (trimester - 1) * 2 + kind;
}
constexpr int CategoryTrimester(int category) {
  return category / 2 + 1;
}
constexpr int CategoryKind(int category) {
  return category % 2;
}

// The absence value: a mark whose 32 bits are those of -1.0f is absent.
inline constexpr float kAbsenceValue = -1.0f;
inline constexpr std::uint32_t kAbsenceBits = 0xBF800000u;
constexpr bool IsAbsent(float value) {
  return std::bit_cast<std::uint32_t>(value) == kAbsenceBits;
}

// Compares floats by their bits, so that stored NaN averages compare equal to
// themselves and -0 differs from 0, as in the file.
constexpr bool SameBits(float a, float b) {
  return std::bit_cast<std::uint32_t>(a) == std::bit_cast<std::uint32_t>(b);
}
bool SameBits(const PerCategory<float>& a, const PerCategory<float>& b);

// Counts and positions are stored in 16 bits and never go past this.
inline constexpr int kMaxCount = 32767;

// One mark of a student, or one grade column of a class (its value is then
// the class mean of the assessment).
struct GradeRecord {
  float value = 0.0f;
  std::uint8_t kind = 0;
  float coefficient = 0.0f;
  Trimester trimester = 0;
  TextField<34> info;

  int Category() const { return CategoryIndex(trimester, kind); }
  bool operator==(const GradeRecord& other) const;
};

struct StudentRecord {
  TextField<32> name;
  TextField<32> firstName;
  std::uint8_t sex = 0;  // 1 = boy; any other value = girl
  TextField<32> birthDate;
  TextField<32> birthPlace;
  TextField<100> info;
  PerCategory<float> average{};
  std::vector<GradeRecord> grades;

  bool IsBoy() const { return sex == 1; }
  bool operator==(const StudentRecord& other) const;
};

struct ClassRecord {
  TextField<32> name;
  TextField<100> info;
  TextField<32> year;
  std::int16_t studentCount = 0;
  PerCategory<std::int16_t> gradeCount{};
  PerCategory<float> average{};
  std::vector<StudentRecord> students;
  std::vector<GradeRecord> columns;

  bool operator==(const ClassRecord& other) const;
};

struct Gradebook {
  std::vector<ClassRecord> classes;

  bool operator==(const Gradebook&) const = default;
};

}  // namespace vellanor
