// The CSV exchange on the generated school year (200 classes of 40 students
// with 90 marks).
//   export: every class exported to a file through the program's own run
//     (QtFileStore: written beside, flushed, renamed), beside a baseline
//     measured in the same iterations that writes the same bytes the same way
//     (a new file, fsync, rename); "ratio" is the first over the second
//     (target: 2). "format_ms" is the share spent making the bytes.
//   import: one class's export read back into that class, up to the save
//     (reading, matching, placing the marks, recomputing): target 5 ms.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "exchange/csv/csv_export.h"
#include "exchange/csv/csv_import.h"
#include "model/averages.h"
#include "model/gradebook.h"
#include "platform/file_store.h"
#include "platform/message_service.h"
#include "support/school_year.h"

namespace vellanor {
namespace {

using Clock = std::chrono::steady_clock;

// Lets the run's closing message through and stops on any other.
class ExpectedMessages : public platform::MessageService {
 public:
  explicit ExpectedMessages(std::string expected) : expected_(std::move(expected)) {}
  platform::MessageAnswer Show(const std::string& text, const std::string&, platform::MessageIcon,
                               platform::MessageButtons) override {
    if (text != expected_) {
      std::fprintf(stderr, "unexpected message: %s\n", text.c_str());
      std::abort();
    }
    return platform::MessageAnswer::Ok;
  }

 private:
  std::string expected_;
};

const Gradebook& SchoolYear() {
  static const Gradebook book = MakeSchoolYear();
  return book;
}

double Seconds(Clock::duration d) {
  return std::chrono::duration<double>(d).count();
}

void WriteBesideAndRename(const std::string& bytes) {
  const int fd = open("baseline.csv.new", O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size())) {
    std::abort();
  }
  fsync(fd);
  close(fd);
  std::rename("baseline.csv.new", "baseline.csv");
}

void BM_ExportSchoolYear(benchmark::State& state) {
  const Gradebook& book = SchoolYear();
  std::vector<std::string> bytes;
  for (const ClassRecord& record : book.classes) {
    bytes.push_back(exchange::ExportBytes({&record, nullptr}));
  }
  ExpectedMessages messages("Document créé");
  platform::QtFileStore files;
  double exporting = 0;
  double baseline = 0;
  double formatting = 0;
  for (auto _ : state) {
    const auto start = Clock::now();
    for (const std::string& classBytes : bytes) {
      WriteBesideAndRename(classBytes);
    }
    const auto written = Clock::now();
    for (int i = 0; i < static_cast<int>(book.classes.size()); ++i) {
      if (!exchange::RunExport(book, {"export.csv", i, exchange::ExportScope::WholeClass, 0}, files,
                               messages)) {
        std::abort();
      }
    }
    const auto exported = Clock::now();
    for (const ClassRecord& record : book.classes) {
      benchmark::DoNotOptimize(exchange::ExportBytes({&record, nullptr}));
    }
    const auto formatted = Clock::now();
    baseline += Seconds(written - start);
    exporting += Seconds(exported - written);
    formatting += Seconds(formatted - exported);
    state.SetIterationTime(Seconds(exported - written));
  }
  const double iterations = static_cast<double>(state.iterations());
  state.counters["ratio"] = exporting / baseline;
  state.counters["baseline_ms"] = 1000 * baseline / iterations;
  state.counters["format_ms"] = 1000 * formatting / iterations;
  std::size_t total = 0;
  for (const std::string& classBytes : bytes) {
    total += classBytes.size();
  }
  state.counters["MiB"] = static_cast<double>(total) / (1 << 20);
}
BENCHMARK(BM_ExportSchoolYear)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(3);

// The import up to the save, with the class recomputed as the document's
// commit does: the gradebook stays in memory.
class UnsavedHost : public EditedGradebook {
 public:
  UnsavedHost(Gradebook& book, platform::MessageService& messages, platform::FileStore& files)
      : book_(book), messages_(messages), files_(files) {}
  Gradebook& Book() override { return book_; }
  platform::MessageService& Messages() override { return messages_; }
  platform::FileStore& Files() override { return files_; }
  bool Commit(const Change& change) override {
    if (ClassRecord* record = ClassAt(book_, change.classPosition)) {
      RecomputeClass(*record);
    }
    return true;
  }

 private:
  Gradebook& book_;
  platform::MessageService& messages_;
  platform::FileStore& files_;
};

void BM_ImportClass(benchmark::State& state) {
  const ClassRecord& source = SchoolYear().classes[0];
  {
    const std::string bytes = exchange::ExportBytes({&source, nullptr});
    std::FILE* file = std::fopen("class.csv", "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
  }
  ExpectedMessages messages("Données importées");
  platform::QtFileStore files;
  Gradebook book;
  UnsavedHost host(book, messages, files);
  for (auto _ : state) {
    state.PauseTiming();
    book.classes.assign(1, source);
    state.ResumeTiming();
    if (exchange::RunImport(host, "class.csv", 0) != exchange::ImportOutcome::Imported) {
      std::abort();
    }
  }
  if (!(book.classes[0].students == source.students)) {
    std::fprintf(stderr, "reading its own export back changed the class\n");
    std::abort();
  }
  state.counters["students"] = static_cast<double>(source.students.size());
}
BENCHMARK(BM_ImportClass)->Unit(benchmark::kMillisecond)->MinTime(2);

}  // namespace
}  // namespace vellanor

BENCHMARK_MAIN();
