// The class recomputation over a whole school year, reported in nanoseconds
// per mark (target: under 5 ns).

#include <benchmark/benchmark.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "model/averages.h"
#include "model/database_codec.h"
#include "support/school_year.h"

namespace vellanor {
namespace {

// The school year as the program holds it: loaded from its file, so that each
// list lies in memory as a load lays it out (the generator's own gradebook is
// scattered by the way it is built).
Gradebook LoadedSchoolYear() {
  const std::vector<std::uint8_t> bytes = EncodeDatabase(MakeSchoolYear());
  MemorySource source(bytes);
  Gradebook book;
  if (DecodeDatabase(source, book) != DbReadError::None) {
    std::abort();
  }
  return book;
}

void BM_RecomputeSchoolYear(benchmark::State& state) {
  Gradebook book = LoadedSchoolYear();
  std::size_t marks = 0;
  for (const ClassRecord& record : book.classes) {
    for (const StudentRecord& student : record.students) {
      marks += student.grades.size();
    }
  }
  for (auto _ : state) {
    for (ClassRecord& record : book.classes) {
      RecomputeClass(record);
    }
    benchmark::ClobberMemory();
  }
  state.counters["marks"] = static_cast<double>(marks);
  // Seconds per mark, shown in nanoseconds.
  state.counters["ns_per_mark"] = benchmark::Counter(
      static_cast<double>(marks) * 1e-9,
      benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_RecomputeSchoolYear)->Unit(benchmark::kMillisecond)->MinTime(2);

}  // namespace
}  // namespace vellanor

BENCHMARK_MAIN();
