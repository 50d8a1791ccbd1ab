// The grade-entry window on a class of 40 students with 100 grade columns:
// opening it, and switching between its three views. Each figure is the
// time of the calls themselves (CPU and wall), the first paint included,
// without any idle time of an event loop.
//
// Then what the teacher waits for on a whole school year (200 classes of 40
// students with 90 marks, 35.8 MiB): "Valider" after typing a new column,
// which recomputes the class and saves the whole file through the real main
// window, beside the file's bytes written as a save writes them
// (WriteLikeASave) in the same iterations, in turns; and the main window's
// tree rebuilt for the school year's 8,000 students.

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <vector>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>

#include "app/main_dlg.h"
#include "app/main_window_operations.h"
#include "desktop_services.h"
#include "file_patterns.h"
#include "grading/grade_entry_dlg.h"
#include "offscreen_main.h"
#include "support/school_year.h"
#include "turns.h"
#include "widgets/report_list.h"

namespace vellanor {
namespace {

constexpr int kStudents = 40;
constexpr int kColumns = 100;

// The main window's side, in memory: the window reads nothing in these runs.
class BenchMainWindow : public MainWindowOperations {
 public:
  BenchMainWindow()
      : book(MakeSchoolYear(
            {.classes = 1, .studentsPerClass = kStudents, .marksPerStudent = kColumns})) {}

  Gradebook& GetGradebook() override { return book; }
  platform::Services& GetServices() override { return desktop.services; }
  bool LoadDatabase(const std::string&) override { return true; }
  bool CommitChange(const Change&) override { return true; }
  void RevertChanges() override {}
  void RebuildTree() override {}
  void ShowInfo(const TreeSelection&) override {}
  QWidget* DialogParent() override { return nullptr; }

 private:
  Gradebook book;
  bench::DesktopServices desktop;
};

void OpenWindow(benchmark::State& state) {
  BenchMainWindow main;
  for (auto _ : state) {
    auto dialog = std::make_unique<CGradeEntryDlg>(main, 1.0);
    dialog->show();
    QApplication::processEvents();  // the first paint
    state.PauseTiming();
    dialog.reset();
    QApplication::processEvents();
    state.ResumeTiming();
  }
}
BENCHMARK(OpenWindow)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();

// Clicks a view radio and paints the new grid.
void SwitchView(benchmark::State& state, int radioId) {
  BenchMainWindow main;
  CGradeEntryDlg dialog(main, 1.0);
  dialog.show();
  QApplication::processEvents();
  auto* radio = qobject_cast<QAbstractButton*>(dialog.Control(radioId));
  // Each round starts from another view, so that the grid really changes.
  auto* other = qobject_cast<QAbstractButton*>(dialog.Control(radioId == 1099 ? 1101 : 1099));
  for (auto _ : state) {
    state.PauseTiming();
    other->click();
    QApplication::processEvents();
    state.ResumeTiming();
    radio->click();
    QApplication::processEvents();
  }
}
BENCHMARK_CAPTURE(SwitchView, ClassView, 1099)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();
BENCHMARK_CAPTURE(SwitchView, StudentView, 1102)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();
BENCHMARK_CAPTURE(SwitchView, AllStudentsView, 1101)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

// --- the school year ----------------------------------------------------------------------------

using Clock = std::chrono::steady_clock;

constexpr char kDatabase[] = "Vellanor.db";
constexpr int kNewGradeCommand = 32791;  // "Nouvelle note"
constexpr int kValidateButton = 3;
constexpr int kGradeGrid = 1084;

double Seconds(Clock::duration d) {
  return std::chrono::duration<double>(d).count();
}

// The real main window holding the school year, saved once to its file.
std::unique_ptr<CMainDlg> SchoolYearWindow(bench::DesktopServices& desktop) {
  auto main = std::make_unique<CMainDlg>(desktop.services, nullptr, 1.0);
  main->GetGradebook() = MakeSchoolYear();
  if (!main->CommitChange({ChangeKind::ClassCreated, 0, "année scolaire"})) {
    std::abort();
  }
  main->RebuildTree();
  return main;
}

// The file as it stands, into `bytes` (whose memory is reused).
void ReadFile(const char* path, std::vector<std::uint8_t>& bytes) {
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  bytes.resize(static_cast<std::size_t>(in.tellg()));
  in.seekg(0);
  in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

void ValidateNewColumn(benchmark::State& state) {
  bench::DesktopServices desktop;
  const std::unique_ptr<CMainDlg> main = SchoolYearWindow(desktop);
  CGradeEntryDlg dialog(*main, 1.0);
  dialog.show();
  QApplication::processEvents();
  auto* grid = qobject_cast<widgets::ReportList*>(dialog.Control(kGradeGrid));
  auto* validate = qobject_cast<QAbstractButton*>(dialog.Control(kValidateButton));
  std::vector<std::uint8_t> bytes;
  bench::Turns turns;
  for (auto _ : state) {
    // A new column typed in, one mark per student.
    dialog.MenuAction(kNewGradeCommand)->trigger();
    QApplication::processEvents();
    for (int row = 0; row < grid->rowCount(); ++row) {
      grid->SetItemText(row, 1, QString::number(8 + row % 12) + QStringLiteral(",5"));
    }
    // The baseline writes the file as it stands (one column short of what
    // the save writes: 40 marks in 36 MiB), in turns before and after.
    ReadFile(kDatabase, bytes);
    turns.Run(
        state,
        [&] {
          const auto start = Clock::now();
          validate->click();
          QApplication::processEvents();
          return Seconds(Clock::now() - start);
        },
        [&] {
          const auto start = Clock::now();
          bench::WriteLikeASave("Baseline.db", bytes);
          return Seconds(Clock::now() - start);
        });
  }
  turns.Report(state, "valider", "baseline");
}
BENCHMARK(ValidateNewColumn)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(15);

void RebuildTree(benchmark::State& state) {
  bench::DesktopServices desktop;
  const std::unique_ptr<CMainDlg> main = SchoolYearWindow(desktop);
  main->show();
  QApplication::processEvents();
  std::size_t students = 0;
  for (const ClassRecord& record : main->GetGradebook().classes) {
    students += record.students.size();
  }
  for (auto _ : state) {
    main->RebuildTree();  // over the tree built before, as after every change
  }
  state.counters["students"] = static_cast<double>(students);
}
BENCHMARK(RebuildTree)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();

}  // namespace
}  // namespace vellanor

int main(int argc, char** argv) {
  return RunBenchmarksOffscreen(argc, argv);
}
