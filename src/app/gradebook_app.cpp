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
#include "document/gradebook_document.h"
#include "model/database_messages.h"
#include "platform/file_store.h"
#include "platform/message_service.h"
#include "platform/system_calls.h"
#include "resources/ids.h"
#include "widgets/splash_wnd.h"

namespace vellanor {
namespace {

// New files of saves that a crash stopped before their rename; only the
// lock's holder may remove them, as another program's save looks the same.
void RemoveLeftovers() {
  platform::RemoveLeftoverSaves(
      QFileInfo(QString::fromLatin1(kDatabaseFileName)).dir().path().toStdString());
  platform::RemoveLeftoverSaves(BackupFolderOf(kDatabaseFileName));
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
  // The document holds the database's lock until the program ends.
  document_ = std::make_unique<GradebookDocument>(kDatabaseFileName, services_.messages,
                                                  services_.files);
  if (!document_->TakeLock(calls_ != nullptr ? *calls_ : platform::SystemCalls::Real())) {
    document_.reset();
    return 1;
  }
  if (document_->HoldsLock()) {
    RemoveLeftovers();
  }

  splash_ = std::make_unique<widgets::CSplashWnd>(res::kBmpSplash);
  splash_->ShowSplash();
  if (pause_) {
    pause_(kSplashMilliseconds);
  }

  main_ = std::make_unique<CMainDlg>(services_, *document_);
  main_->SetFatalHandler([this] { EndAfterFatalError(); });
  if (install_) {
    install_(*main_);
  }
  const bool loaded = main_->LoadDatabase();
  if (loaded && !ending_) {
    main_->RebuildTree();
    runModal_(*main_);
  }

  splash_->HideSplash();
  const bool failed = !loaded || ending_;
  main_.reset();
  splash_.reset();
  document_.reset();
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
