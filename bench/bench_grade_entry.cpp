// The grade-entry window on a class of 40 students with 100 grade columns:
// opening it, and switching between its three views. Each figure is the
// time of the calls themselves (CPU and wall), the first paint included,
// without any idle time of an event loop.

#include <benchmark/benchmark.h>

#include <memory>

#include <QAbstractButton>
#include <QApplication>

#include "app/main_window_operations.h"
#include "grading/grade_entry_dlg.h"
#include "offscreen_main.h"
#include "platform/clock.h"
#include "platform/file_chooser.h"
#include "platform/file_store.h"
#include "platform/message_service.h"
#include "platform/program_launcher.h"
#include "platform/services.h"
#include "support/school_year.h"

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
  BenchMainWindow()
      : book(MakeSchoolYear(
            {.classes = 1, .studentsPerClass = kStudents, .marksPerStudent = kColumns})) {}

  Gradebook& GetGradebook() override { return book; }
  platform::Services& GetServices() override { return services; }
  bool LoadDatabase(const std::string&) override { return true; }
  bool SaveDatabase(const std::string&) override { return true; }
  void RebuildTree() override {}
  void ShowInfo(const TreeSelection&) override {}
  QWidget* DialogParent() override { return nullptr; }

 private:
  Gradebook book;
  SilentMessages messages;
  platform::QtFileStore files;
  platform::SystemClock clock;
  platform::QtFileChooser chooser;
  platform::QtProgramLauncher launcher;
  platform::Services services{messages, files, clock, chooser, launcher};
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
  return RunBenchmarksOffscreen(argc, argv);
}
