// Loading and saving a school year (200 classes of 40 students with 90 marks)
// through the program's own path: DatabaseOperations over QtFileStore, on real
// files in the working directory. Each beside a baseline measured in the same
// iterations:
//   load: reading the same file in 64 KiB pieces and counting its line feeds;
//   save: writing the same bytes to a file in 64 KiB pieces and fsync-ing it.
// The counter "ratio" is the operation's time over its baseline's; the peak
// memory of a load is counted by the allocator below, over the file's size.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <malloc.h>
#include <sys/stat.h>
#include <unistd.h>

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

#include "app/database_operations.h"
#include "model/database_codec.h"
#include "platform/file_store.h"
#include "platform/message_service.h"
#include "support/school_year.h"

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

constexpr char kFileName[] = "Vellanor.db";
constexpr char kBaselineFileName[] = "Baseline.db";
constexpr std::size_t kPiece = 64 * 1024;

// A benchmark must not go on past a failed load or save.
class FailingMessages : public platform::MessageService {
 public:
  platform::MessageAnswer Show(const std::string& text, const std::string&, platform::MessageIcon,
                               platform::MessageButtons) override {
    std::fprintf(stderr, "unexpected message: %s\n", text.c_str());
    std::abort();
  }
};

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
    FailingMessages messages;
    platform::QtFileStore files;
    return DatabaseOperations(book, messages, files).SaveDatabase(kFileName);
  }();
  if (!written) {
    std::abort();
  }
}

std::size_t ReadAndCountLineFeeds(const char* path) {
  const int fd = open(path, O_RDONLY | O_CLOEXEC);
  std::vector<char> piece(kPiece);
  std::size_t lineFeeds = 0;
  for (ssize_t got; (got = read(fd, piece.data(), piece.size())) > 0;) {
    // memchr, as the codec scans: line feeds are rare in a database file.
    const char* end = piece.data() + got;
    for (const char* p = piece.data();
         (p = static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(end - p))));
         ++p) {
      ++lineFeeds;
    }
  }
  close(fd);
  return lineFeeds;
}

// The plainest whole-file load: the bytes read into memory of their own (new
// to the process, like the gradebook a start-up load builds) and scanned.
std::size_t ReadWholeAndCountLineFeeds(const char* path) {
  const int fd = open(path, O_RDONLY | O_CLOEXEC);
  struct stat info {};
  fstat(fd, &info);
  std::unique_ptr<char[]> bytes(new char[static_cast<std::size_t>(info.st_size)]);
  std::size_t size = 0;
  for (ssize_t got;
       (got = read(fd, bytes.get() + size, static_cast<std::size_t>(info.st_size) - size)) > 0;) {
    size += static_cast<std::size_t>(got);
  }
  close(fd);
  return static_cast<std::size_t>(std::count(bytes.get(), bytes.get() + size, '\n'));
}

void WriteAndSync(const char* path, const std::vector<std::uint8_t>& bytes) {
  const int fd = open(path, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  for (std::size_t at = 0; at < bytes.size(); at += kPiece) {
    const std::size_t size = std::min(kPiece, bytes.size() - at);
    if (write(fd, bytes.data() + at, size) != static_cast<ssize_t>(size)) {
      std::abort();
    }
  }
  fsync(fd);
  close(fd);
}

void ReportRatio(benchmark::State& state, double operation, double baseline) {
  state.counters["ratio"] = operation / baseline;
  state.counters["baseline_ms"] =
      benchmark::Counter(1000 * baseline / static_cast<double>(state.iterations()));
  state.counters["file_MiB"] = static_cast<double>(SchoolYearBytes().size()) / (1 << 20);
}

// A load at start-up: the gradebook's memory is new to the process, and the
// kernel's first touch of each of its pages is part of the cost. `warmHeap`
// keeps freed memory in malloc instead (as when a reload follows a load).
void LoadSchoolYear(benchmark::State& state, bool warmHeap) {
  EnsureDatabaseFile();
  if (warmHeap) {
    mallopt(M_TRIM_THRESHOLD, 1 << 30);
  }
  FailingMessages messages;
  platform::QtFileStore files;
  Gradebook book;
  DatabaseOperations database(book, messages, files);
  double loading = 0;
  double baseline = 0;
  double wholeRead = 0;
  for (auto _ : state) {
    book.classes.clear();  // nothing to release inside the load

    const auto whole = Clock::now();
    benchmark::DoNotOptimize(ReadWholeAndCountLineFeeds(kFileName));
    const auto start = Clock::now();
    benchmark::DoNotOptimize(ReadAndCountLineFeeds(kFileName));
    const auto read = Clock::now();
    wholeRead += Seconds(start - whole);
    if (!database.LoadDatabase(kFileName)) {
      std::abort();
    }
    const auto loaded = Clock::now();

    baseline += Seconds(read - start);
    loading += Seconds(loaded - read);
    state.SetIterationTime(Seconds(loaded - read));
  }
  if (!(book == SchoolYear())) {
    std::abort();
  }
  if (warmHeap) {
    book.classes.clear();
    mallopt(M_TRIM_THRESHOLD, 128 * 1024);  // malloc's default
  }
  ReportRatio(state, loading, baseline);
  // Against the whole file read into fresh memory: both pay the kernel's
  // first touch of every new page, which the streamed baseline above does not.
  state.counters["ratio_whole_read"] = loading / wholeRead;
}

void BM_LoadSchoolYear(benchmark::State& state) {
  LoadSchoolYear(state, false);
}
BENCHMARK(BM_LoadSchoolYear)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(3);

void BM_LoadSchoolYearWarmHeap(benchmark::State& state) {
  LoadSchoolYear(state, true);
}
BENCHMARK(BM_LoadSchoolYearWarmHeap)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(3);

void BM_SaveSchoolYear(benchmark::State& state) {
  FailingMessages messages;
  platform::QtFileStore files;
  Gradebook book = SchoolYear();
  DatabaseOperations database(book, messages, files);
  const std::vector<std::uint8_t>& bytes = SchoolYearBytes();
  double saving = 0;
  double baseline = 0;
  for (auto _ : state) {
    const auto start = Clock::now();
    WriteAndSync(kBaselineFileName, bytes);
    const auto written = Clock::now();
    if (!database.SaveDatabase(kFileName)) {
      std::abort();
    }
    const auto saved = Clock::now();

    baseline += Seconds(written - start);
    saving += Seconds(saved - written);
    state.SetIterationTime(Seconds(saved - written));
  }
  std::remove(kBaselineFileName);
  ReportRatio(state, saving, baseline);
}
BENCHMARK(BM_SaveSchoolYear)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(3);

// Heap in use at the peak of a load, beyond what was in use before it
// (nothing of the gradebook then), over the file's size.
void BM_LoadPeakMemory(benchmark::State& state) {
  EnsureDatabaseFile();
  FailingMessages messages;
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
  state.counters["file_MiB"] = fileSize / (1 << 20);
}
BENCHMARK(BM_LoadPeakMemory)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace vellanor

BENCHMARK_MAIN();
