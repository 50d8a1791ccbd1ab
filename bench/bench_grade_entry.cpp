// The grade-entry window on a class of 40 students with 100 grade columns:
// opening it, and switching between its three views. Each figure is the
// time of the calls themselves (CPU and wall), the first paint included,
// without any idle time of an event loop.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <random>

#include <QAbstractButton>
#include <QApplication>

#include "app/main_window_operations.h"
#include "grading/grade_entry_dlg.h"
#include "model/averages.h"
#include "model/gradebook.h"
#include "platform/clock.h"
#include "platform/file_store.h"
#include "platform/message_service.h"
#include "platform/services.h"

namespace vellanor {
namespace {

constexpr int kStudents = 40;
constexpr int kColumns = 100;

class SilentMessages : public platform::MessageService {
 public:
  platform::MessageAnswer Show(const std::string&, const std::string&, platform::MessageIcon,
                               platform::MessageButtons) override {
    return platform::MessageAnswer::No;
  }
};

// The main window's side, in memory: the window reads nothing in these runs.
class BenchMainWindow : public MainWindowOperations {
 public:
  BenchMainWindow() { book.classes.push_back(MakeClass()); }

  Gradebook& GetGradebook() override { return book; }
  platform::Services& GetServices() override { return services; }
  bool LoadDatabase(const std::string&) override { return true; }
  bool SaveDatabase(const std::string&) override { return true; }
  void RebuildTree() override {}
  void ShowInfo(int, int, bool) override {}
  QWidget* DialogParent() override { return nullptr; }

 private:
  static ClassRecord MakeClass() {
    std::mt19937 random(2026);
    std::uniform_int_distribution<int> mark(0, 40);  // half points, 40 = absent
    ClassRecord record;
    record.name = "3e A";
    record.year = "2026 - 2027";
    for (int j = 0; j < kStudents; ++j) {
      StudentRecord student;
      char name[16];
      std::snprintf(name, sizeof name, "Eleve%d", j);
      student.name = name;
      student.firstName = "Prenom";
      (void)AppendStudent(record, student);
    }
    for (int i = 0; i < kColumns; ++i) {
      std::vector<GradeRecord> marks(kStudents);
      for (GradeRecord& m : marks) {
        const int drawn = mark(random);
        m.value = drawn == 40 ? kAbsenceValue : static_cast<float>(drawn) / 2.0f;
        m.kind = static_cast<std::uint8_t>(i % 2);
        m.trimester = static_cast<Trimester>(i % 6 / 2 + 1);
        m.coefficient = static_cast<float>(i % 3 + 1);
        m.info = "Devoir";
      }
      (void)AppendGradeColumn(record, marks);
    }
    RecomputeClass(record);
    return record;
  }

  Gradebook book;
  SilentMessages messages;
  platform::QtFileStore files;
  platform::SystemClock clock;
  platform::Services services{messages, files, clock};
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

}  // namespace
}  // namespace vellanor

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM",
          qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
    return 1;
  }
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
