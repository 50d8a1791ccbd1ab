// Report documents from the shipped report card template, on a generated
// class of 40 students with 90 marks each:
//   - one student's document with its four charts (about 2 MB);
//   - the hexadecimal digits of a chart's pixels, beside a plain conversion of
//     240,000 bytes to hexadecimal measured in the same iterations;
//   - the report cards of the whole class saved to a folder as "Produire"
//     does (merge, charts, the file put in place and flushed), without the
//     message boxes, beside writing and flushing the same bytes to the same
//     number of files.
// The counter "ratio" is the operation's time over its baseline's.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "offscreen_main.h"
#include "platform/clock.h"
#include "platform/file_chooser.h"
#include "platform/file_store.h"
#include "platform/message_service.h"
#include "platform/process_runner.h"
#include "platform/program_launcher.h"
#include "platform/services.h"
#include "reports/chart_picture.h"
#include "reports/document_writer.h"
#include "reports/merge/template_merge.h"
#include "support/school_year.h"

namespace vellanor {
namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::duration d) {
  return std::chrono::duration<double>(d).count();
}

const ClassRecord& ClassOfForty() {
  static const ClassRecord record = MakeSchoolYear({1, 40, 90, 2026}).classes.front();
  return record;
}

const std::string& ReportCard() {
  static const std::string text = [] {
    std::ifstream in(std::string(VELLANOR_TEMPLATES) + "/Bulletin.rtf", std::ios::binary);
    std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (bytes.empty()) {
      std::abort();
    }
    return bytes;
  }();
  return text;
}

std::string StudentDocument(int position) {
  const ClassRecord& record = ClassOfForty();
  return MergeTemplate(ReportCard(), record, &record.students[static_cast<std::size_t>(position)],
                       false, ChartMaker(AppendChartPicture));
}

void BM_StudentDocumentWithCharts(benchmark::State& state) {
  int position = 0;
  std::size_t bytes = 0;
  for (auto _ : state) {
    const std::string document = StudentDocument(position);
    bytes = document.size();
    benchmark::DoNotOptimize(document.data());
    position = (position + 1) % 40;
  }
  state.counters["document_MB"] = static_cast<double>(bytes) / 1e6;
}
BENCHMARK(BM_StudentDocumentWithCharts)->Unit(benchmark::kMillisecond);

// The plainest conversion: each byte of a buffer as two digits from a table.
void BytesToHex(const std::vector<unsigned char>& bytes, std::string& out) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  out.resize(bytes.size() * 2);
  char* digit = out.data();
  for (const unsigned char byte : bytes) {
    *digit++ = kHex[byte >> 4];
    *digit++ = kHex[byte & 15];
  }
}

void BM_ChartPixelsAsHex(benchmark::State& state) {
  ChartCanvas canvas;
  canvas.DrawLine(QPen(QColor(100, 100, 100), 2), 15, 15, 390, 15);
  std::vector<unsigned char> plain(240000);
  for (std::size_t i = 0; i < plain.size(); ++i) {
    plain[i] = static_cast<unsigned char>(i * 37);
  }
  std::string digits;
  std::string baselineDigits;
  double encoding = 0;
  double baseline = 0;
  for (auto _ : state) {
    const auto start = Clock::now();
    BytesToHex(plain, baselineDigits);
    benchmark::DoNotOptimize(baselineDigits.data());
    const auto copied = Clock::now();
    digits.clear();
    canvas.AppendPixelsAsHex(digits);
    benchmark::DoNotOptimize(digits.data());
    const auto encoded = Clock::now();
    baseline += Seconds(copied - start);
    encoding += Seconds(encoded - copied);
    state.SetIterationTime(Seconds(encoded - copied));
  }
  state.counters["ratio"] = encoding / baseline;
  state.counters["baseline_us"] =
      benchmark::Counter(1e6 * baseline / static_cast<double>(state.iterations()));
}
BENCHMARK(BM_ChartPixelsAsHex)->UseManualTime()->Unit(benchmark::kMicrosecond);

// Counts the documents reported created; anything else ends the run.
class CountingMessages : public platform::MessageService {
 public:
  platform::MessageAnswer Show(const std::string& text, const std::string&, platform::MessageIcon,
                               platform::MessageButtons) override {
    if (text != "Document créé") {
      std::fprintf(stderr, "unexpected message: %s\n", text.c_str());
      std::abort();
    }
    ++created;
    return platform::MessageAnswer::Ok;
  }
  int created = 0;
};

void WriteAndSync(const std::string& path, const std::string& bytes) {
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0 || write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size())) {
    std::abort();
  }
  fsync(fd);
  close(fd);
}

void BM_ClassReportCardsToDisk(benchmark::State& state) {
  std::filesystem::create_directories("out");
  std::filesystem::create_directories("baseline");
  std::vector<std::string> documents;
  for (int position = 0; position < 40; ++position) {
    documents.push_back(StudentDocument(position));
  }
  CountingMessages messages;
  platform::QtFileStore files;
  platform::SystemClock clock;
  platform::QtFileChooser chooser;
  platform::QtProgramLauncher launcher;
  platform::QtProcessRunner processes;
  platform::Services services{messages, files, clock, chooser, launcher, processes};
  const ClassRecord& record = ClassOfForty();
  double producing = 0;
  double baseline = 0;
  for (auto _ : state) {
    const auto start = Clock::now();
    for (std::size_t i = 0; i < documents.size(); ++i) {
      WriteAndSync("baseline/" + std::to_string(i) + ".rtf", documents[i]);
    }
    const auto written = Clock::now();
    for (int position = 0; position < 40; ++position) {
      const StudentRecord& student = record.students[static_cast<std::size_t>(position)];
      const std::string merged =
          MergeTemplate(ReportCard(), record, &student, false, ChartMaker(AppendChartPicture));
      WriteDocument(services, merged, std::to_string(position) + "_" + student.name.Str(),
                    {false, "out"});
    }
    const auto produced = Clock::now();
    baseline += Seconds(written - start);
    producing += Seconds(produced - written);
    state.SetIterationTime(Seconds(produced - written));
  }
  if (messages.created != 40 * static_cast<int>(state.iterations())) {
    std::abort();
  }
  std::filesystem::remove_all("out");
  std::filesystem::remove_all("baseline");
  state.counters["ratio"] = producing / baseline;
  state.counters["baseline_ms"] =
      benchmark::Counter(1000 * baseline / static_cast<double>(state.iterations()));
}
BENCHMARK(BM_ClassReportCardsToDisk)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(3);

}  // namespace
}  // namespace vellanor

int main(int argc, char** argv) {
  return RunBenchmarksOffscreen(argc, argv);
}
