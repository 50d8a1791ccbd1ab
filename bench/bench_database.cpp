// Loading and saving a school year (200 classes of 40 students with 90 marks)
// through the program's own path: DatabaseOperations over QtFileStore, on real
// files in the working directory. Each beside baselines measured in the same
// iterations (file_patterns.h), the counter "ratio" being the median of the
// operation's time over its baseline's:
//   load at start-up (the headline): each iteration runs the program's load,
//     the streamed read of the file and the touching of as much new memory,
//     each in a fresh process (the fresh_load helper), in turns;
//   reload: the load again in this process, whose heap already holds the
//     memory, beside the streamed read;
//   save: the same bytes written as the save writes them (a new file beside
//     the old, fdatasync, rename, the folder flushed), in alternating order.
// The peak memory of a load is counted by the allocator below, over the
// file's size.

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "aborting_messages.h"
#include "document/database_operations.h"
#include "file_patterns.h"
#include "model/database_codec.h"
#include "platform/file_store.h"
#include "processes.h"
#include "support/school_year.h"
#include "turns.h"

// --- a counting allocator ------------------------------------------------------

namespace {

std::atomic<std::size_t> g_inUse{0};
std::atomic<std::size_t> g_peak{0};

void* Counted(void* block) {
  if (block == nullptr) {
    throw std::bad_alloc();
  }
  const std::size_t now = g_inUse += malloc_usable_size(block);
  std::size_t peak = g_peak.load();
  while (now > peak && !g_peak.compare_exchange_weak(peak, now)) {
  }
  return block;
}

void Release(void* block) {
  if (block != nullptr) {
    g_inUse -= malloc_usable_size(block);
    std::free(block);
  }
}

}  // namespace

void* operator new(std::size_t size) {
  return Counted(std::malloc(size == 0 ? 1 : size));
}
void* operator new[](std::size_t size) {
  return Counted(std::malloc(size == 0 ? 1 : size));
}
void* operator new(std::size_t size, std::align_val_t align) {
  return Counted(std::aligned_alloc(
      static_cast<std::size_t>(align),
      (size + static_cast<std::size_t>(align) - 1) & ~(static_cast<std::size_t>(align) - 1)));
}
void* operator new[](std::size_t size, std::align_val_t align) {
  return operator new(size, align);
}
void operator delete(void* block) noexcept {
  Release(block);
}
void operator delete[](void* block) noexcept {
  Release(block);
}
void operator delete(void* block, std::size_t) noexcept {
  Release(block);
}
void operator delete[](void* block, std::size_t) noexcept {
  Release(block);
}
void operator delete(void* block, std::align_val_t) noexcept {
  Release(block);
}
void operator delete[](void* block, std::align_val_t) noexcept {
  Release(block);
}
void operator delete(void* block, std::size_t, std::align_val_t) noexcept {
  Release(block);
}
void operator delete[](void* block, std::size_t, std::align_val_t) noexcept {
  Release(block);
}

namespace vellanor {
namespace {

using Clock = std::chrono::steady_clock;
using bench::AbortingMessages;
using bench::Median;

constexpr char kFileName[] = "Vellanor.db";
constexpr char kBaselineFileName[] = "Baseline.db";

const Gradebook& SchoolYear() {
  static const Gradebook book = MakeSchoolYear();
  return book;
}

const std::vector<std::uint8_t>& SchoolYearBytes() {
  static const std::vector<std::uint8_t> bytes = EncodeDatabase(SchoolYear());
  return bytes;
}

double Seconds(Clock::duration d) {
  return std::chrono::duration<double>(d).count();
}

// Writes the school year's file once, through the program's own save.
void EnsureDatabaseFile() {
  static const bool written = [] {
    Gradebook book = SchoolYear();
    AbortingMessages messages;
    platform::QtFileStore files;
    return DatabaseOperations(book, messages, files).SaveDatabase(kFileName);
  }();
  if (!written) {
    std::abort();
  }
}

double FileMiB() {
  return static_cast<double>(SchoolYearBytes().size()) / (1 << 20);
}

// --- the load at start-up, in fresh processes ------------------------------------

struct FreshRun {
  double seconds = 0;
  double minorFaults = 0;
};

// Runs the fresh_load helper in `mode` on the database file and reads back
// what it measured.
FreshRun RunFresh(const char* mode) {
  const bench::ProcessRun process = bench::RunProcess({FRESH_LOAD_PROGRAM, mode, kFileName}, true);
  FreshRun run;
  if (std::sscanf(process.output.c_str(), "%lf %lf", &run.seconds, &run.minorFaults) != 2) {
    std::abort();
  }
  return run;
}

void BM_LoadAtStartUp(benchmark::State& state) {
  EnsureDatabaseFile();
  std::vector<double> load, read, memory, overRead, overMemory, faults;
  int turn = 0;
  for (auto _ : state) {
    // Each of the three goes first in turn, so that none always follows
    // the same one.
    FreshRun runs[3];
    const char* modes[3] = {"load", "read", "memory"};
    for (int i = 0; i < 3; ++i) {
      const int which = (turn + i) % 3;
      runs[which] = RunFresh(modes[which]);
    }
    ++turn;
    state.SetIterationTime(runs[0].seconds);
    load.push_back(runs[0].seconds);
    read.push_back(runs[1].seconds);
    memory.push_back(runs[2].seconds);
    overRead.push_back(runs[0].seconds / runs[1].seconds);
    overMemory.push_back(runs[0].seconds / runs[2].seconds);
    faults.push_back(runs[0].minorFaults);
  }
  state.counters["load_ms"] = 1000 * Median(load);
  state.counters["read_ms"] = 1000 * Median(read);
  state.counters["new_memory_ms"] = 1000 * Median(memory);
  state.counters["ratio"] = Median(overRead);
  state.counters["ratio_new_memory"] = Median(overMemory);
  state.counters["load_faults"] = Median(faults);
  state.counters["file_MiB"] = FileMiB();
}
BENCHMARK(BM_LoadAtStartUp)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(45);

// --- a reload, in this process ------------------------------------------------------

// The load again into a heap that already holds the memory (malloc keeps what
// the previous gradebook freed), as when the grade-entry window reads the
// file back.
void BM_ReloadWarmHeap(benchmark::State& state) {
  EnsureDatabaseFile();
  mallopt(M_TRIM_THRESHOLD, 1 << 30);
  AbortingMessages messages;
  platform::QtFileStore files;
  Gradebook book;
  DatabaseOperations database(book, messages, files);
  std::vector<double> loading, overRead;
  for (auto _ : state) {
    book.classes.clear();  // nothing to release inside the load

    const auto start = Clock::now();
    benchmark::DoNotOptimize(bench::StreamFile(kFileName));
    const auto read = Clock::now();
    if (!database.LoadDatabase(kFileName)) {
      std::abort();
    }
    const auto loaded = Clock::now();

    state.SetIterationTime(Seconds(loaded - read));
    loading.push_back(Seconds(loaded - read));
    overRead.push_back(Seconds(loaded - read) / Seconds(read - start));
  }
  if (!(book == SchoolYear())) {
    std::abort();
  }
  book.classes.clear();
  mallopt(M_TRIM_THRESHOLD, 128 * 1024);  // malloc's default
  state.counters["load_ms"] = 1000 * Median(loading);
  state.counters["ratio"] = Median(overRead);
  state.counters["file_MiB"] = FileMiB();
}
BENCHMARK(BM_ReloadWarmHeap)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(3);

// --- the save ------------------------------------------------------------------------------

void BM_SaveSchoolYear(benchmark::State& state) {
  AbortingMessages messages;
  platform::QtFileStore files;
  Gradebook book = SchoolYear();
  DatabaseOperations database(book, messages, files);
  const std::vector<std::uint8_t>& bytes = SchoolYearBytes();
  // Both replace a file of the same size, with the same mode.
  EnsureDatabaseFile();
  bench::WriteLikeASave(kBaselineFileName, bytes);
  bench::Turns turns(false);
  for (auto _ : state) {
    turns.Run(
        state,
        [&] {
          const auto start = Clock::now();
          if (!database.SaveDatabase(kFileName)) {
            std::abort();
          }
          return Seconds(Clock::now() - start);
        },
        [&] {
          const auto start = Clock::now();
          bench::WriteLikeASave(kBaselineFileName, bytes);
          return Seconds(Clock::now() - start);
        });
  }
  std::remove(kBaselineFileName);
  turns.Report(state, "save", "baseline");
  state.counters["file_MiB"] = FileMiB();
}
BENCHMARK(BM_SaveSchoolYear)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(3);

// Heap in use at the peak of a load, beyond what was in use before it
// (nothing of the gradebook then), over the file's size.
void BM_LoadPeakMemory(benchmark::State& state) {
  EnsureDatabaseFile();
  AbortingMessages messages;
  platform::QtFileStore files;
  std::size_t peakGrowth = 0;
  for (auto _ : state) {
    Gradebook book;
    DatabaseOperations database(book, messages, files);
    const std::size_t before = g_inUse.load();
    g_peak = before;
    if (!database.LoadDatabase(kFileName)) {
      std::abort();
    }
    peakGrowth = std::max(peakGrowth, g_peak.load() - before);
    state.PauseTiming();
    book.classes.clear();
    state.ResumeTiming();
  }
  const double fileSize = static_cast<double>(SchoolYearBytes().size());
  state.counters["peak_MiB"] = static_cast<double>(peakGrowth) / (1 << 20);
  state.counters["peak_over_file"] = static_cast<double>(peakGrowth) / fileSize;
  state.counters["file_MiB"] = FileMiB();
}
BENCHMARK(BM_LoadPeakMemory)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace vellanor

BENCHMARK_MAIN();
