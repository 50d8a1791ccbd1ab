// vellanor-inspect on the generated school year (200 classes of 40 students
// with 90 marks, 35.8 MiB), run as a user runs it: a process of its own,
// timed from its start to its end, its output thrown away.
//   --check: beside `wc -l` of the same file, in alternating order; "ratio"
//     is the median of the check's time over wc's (target: 3).
//   printing the JSON: its time, and its peak resident memory over the
//     file's size (it reads and prints a class at a time).

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "file_patterns.h"
#include "model/database_codec.h"
#include "processes.h"
#include "support/school_year.h"
#include "turns.h"

namespace vellanor {
namespace {

constexpr char kFileName[] = "Vellanor.db";

double FileMiB() {
  static const double size = [] {
    const std::vector<std::uint8_t> bytes = EncodeDatabase(MakeSchoolYear());
    bench::WriteLikeASave(kFileName, bytes);
    return static_cast<double>(bytes.size()) / (1 << 20);
  }();
  return size;
}

void BM_InspectCheck(benchmark::State& state) {
  const double fileMiB = FileMiB();
  bench::Turns turns;
  for (auto _ : state) {
    turns.Run(
        state,
        [] {
          return bench::RunProcess({VELLANOR_INSPECT, "--check", kFileName}, false).seconds;
        },
        [] {
          return bench::RunProcess({"wc", "-l", kFileName}, false).seconds;
        });
  }
  turns.Report(state, "check", "wc");
  state.counters["file_MiB"] = fileMiB;
}
BENCHMARK(BM_InspectCheck)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(31);

void BM_InspectJson(benchmark::State& state) {
  const double fileMiB = FileMiB();
  std::vector<double> printing;
  for (auto _ : state) {
    const double seconds = bench::RunProcess({VELLANOR_INSPECT, kFileName}, false).seconds;
    state.SetIterationTime(seconds);
    printing.push_back(seconds);
  }
  // Its memory watched in a run apart, so that watching costs the timed runs nothing.
  const double peakMiB = bench::RunProcess({VELLANOR_INSPECT, kFileName}, false, true).peakMiB;
  state.counters["print_ms"] = 1000 * bench::Median(printing);
  state.counters["peak_MiB"] = peakMiB;
  state.counters["peak_over_file"] = peakMiB / fileMiB;
  state.counters["file_MiB"] = fileMiB;
}
BENCHMARK(BM_InspectJson)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
}  // namespace vellanor

BENCHMARK_MAIN();
