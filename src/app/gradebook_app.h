#pragma once

#include <functional>
#include <memory>

#include "platform/services.h"

namespace vellanor {

namespace platform {
class SystemCalls;
}
namespace widgets {
class CSplashWnd;
}
class CMainDlg;
class GradebookDocument;

// The program from start to end: the splash picture, a pause while it shows,
// the main window with the database loaded into it, the modal run of the
// main window, then the splash closed. Nothing is saved at the end: every
// change was saved when it was made.
class CGradebookApp {
 public:
  // How long the splash shows before the main window is built.
  static constexpr int kSplashMilliseconds = 3000;

  // Waits while the splash stays responsive; tests pass one that returns at once.
  using Pause = std::function<void(int milliseconds)>;
  // Runs the main window until it closes; tests look at the window instead.
  using RunModal = std::function<void(CMainDlg& main)>;
  // Registers the dialogs' openers on the new main window.
  using InstallCommands = std::function<void(CMainDlg& main)>;

  explicit CGradebookApp(platform::Services& services);
  ~CGradebookApp();
  CGradebookApp(const CGradebookApp&) = delete;
  CGradebookApp& operator=(const CGradebookApp&) = delete;

  void SetPause(Pause pause) { pause_ = std::move(pause); }
  void SetRunModal(RunModal runModal) { runModal_ = std::move(runModal); }
  void SetInstallCommands(InstallCommands install) { install_ = std::move(install); }
  // The system calls the database's lock goes through (the real ones unless
  // a test sets others).
  void SetSystemCalls(platform::SystemCalls& calls) { calls_ = &calls; }

  // The whole run; returns the process's exit code: 0, or 1 when the
  // database could not be read or written, another program has it open (and
  // the teacher did not open it anyway), or no lock could be made for it.
  // While it runs the program holds the database's lock, and before anything
  // else it removes the new files that crashed saves left beside the database.
  int InitInstance();

  // While the program runs: the document, the main window and the splash
  // (nullptr otherwise).
  GradebookDocument* Document() const { return document_.get(); }
  CMainDlg* MainWindow() const { return main_.get(); }
  widgets::CSplashWnd* Splash() const { return splash_.get(); }

  // A pause that runs the event loop, so that the splash keeps painting and
  // can be dragged.
  static void RunEventsFor(int milliseconds);

 private:
  // After the fatal save message: every open dialog and the main window are
  // rejected, which ends their modal runs; nothing more is saved.
  void EndAfterFatalError();

  platform::Services& services_;
  Pause pause_;
  RunModal runModal_;
  InstallCommands install_;
  platform::SystemCalls* calls_ = nullptr;
  // The gradebook and its lock outlive the windows that show them.
  std::unique_ptr<GradebookDocument> document_;
  std::unique_ptr<widgets::CSplashWnd> splash_;
  std::unique_ptr<CMainDlg> main_;
  bool ending_ = false;
};

}  // namespace vellanor
