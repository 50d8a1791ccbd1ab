#include "app/gradebook_app.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QPointer>
#include <QTimer>

#include "app/database_backups.h"
#include "app/main_dlg.h"
#include "app/main_window_operations.h"
#include "model/database_messages.h"
#include "platform/database_lock.h"
#include "platform/file_store.h"
#include "platform/message_service.h"
#include "resources/ids.h"
#include "widgets/splash_wnd.h"

namespace vellanor {
namespace {

// One program per database: a second one would save its own gradebook over
// the first one's, so it is refused before it shows anything. Where no lock
// can be made (a read-only folder) no program can save either, and the
// program runs without it.
bool TakeDatabaseFolder(platform::DatabaseLock& lock, platform::MessageService& messages) {
  const platform::DatabaseLock::State state = lock.Acquire();
  if (state == platform::DatabaseLock::State::HeldByAnother) {
    messages.Inform(kDatabaseInUseMessage, kCaptionWarning, platform::MessageIcon::Exclamation);
    return false;
  }
  if (state == platform::DatabaseLock::State::Held) {
    // New files of saves that a crash stopped before their rename; only the
    // lock's holder may remove them, as another program's save looks the same.
    platform::RemoveLeftoverSaves(
        QFileInfo(QString::fromLatin1(kDatabaseFileName)).dir().path().toStdString());
    platform::RemoveLeftoverSaves(BackupFolderOf(kDatabaseFileName));
  }
  return true;
}

}  // namespace

CGradebookApp::CGradebookApp(platform::Services& services)
    : services_(services),
      pause_(&CGradebookApp::RunEventsFor),
      runModal_([](CMainDlg& main) { main.exec(); }) {}

CGradebookApp::~CGradebookApp() = default;

void CGradebookApp::RunEventsFor(int milliseconds) {
  QEventLoop loop;
  QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
  loop.exec();
}

int CGradebookApp::InitInstance() {
  ending_ = false;
  platform::DatabaseLock lock(kDatabaseFileName);  // held until the program ends
  if (!TakeDatabaseFolder(lock, services_.messages)) {
    return 1;
  }

  splash_ = std::make_unique<widgets::CSplashWnd>(res::kBmpSplash);
  splash_->ShowSplash();
  if (pause_) {
    pause_(kSplashMilliseconds);
  }

  main_ = std::make_unique<CMainDlg>(services_);
  main_->SetFatalHandler([this] { EndAfterFatalError(); });
  if (install_) {
    install_(*main_);
  }
  const bool loaded = main_->LoadDatabase(kDatabaseFileName);
  if (loaded && !ending_) {
    main_->RebuildTree();
    runModal_(*main_);
  }

  splash_->HideSplash();
  const bool failed = !loaded || ending_;
  main_.reset();
  splash_.reset();
  return failed ? 1 : 0;
}

void CGradebookApp::EndAfterFatalError() {
  ending_ = true;
  // Inner dialogs first; each rejection ends that dialog's modal run, and the
  // main window's run ends once the runs above it have unwound.
  QList<QPointer<QDialog>> dialogs;
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    auto* dialog = qobject_cast<QDialog*>(widget);
    if (dialog != nullptr && dialog != main_.get() && dialog->isVisible()) {
      dialogs.push_back(dialog);
    }
  }
  for (const QPointer<QDialog>& dialog : dialogs) {
    if (dialog != nullptr && dialog->isVisible()) {
      dialog->reject();
    }
  }
  if (main_ != nullptr) {
    main_->reject();
  }
}

}  // namespace vellanor
