#include "app/gradebook_app.h"

#include <QApplication>
#include <QDateTime>
#include <QDialog>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QPointer>
#include <QTimer>

#include "app/database_backups.h"
#include "app/database_operations.h"
#include "app/main_dlg.h"
#include "app/main_window_operations.h"
#include "model/database_messages.h"
#include "platform/database_lock.h"
#include "platform/file_store.h"
#include "platform/message_service.h"
#include "platform/system_calls.h"
#include "resources/ids.h"
#include "widgets/splash_wnd.h"

namespace vellanor {
namespace {

// "le 08/12/2026 à 14h05" in local time; empty when unknown.
std::string SinceText(std::int64_t seconds) {
  if (seconds <= 0) {
    return {};
  }
  const QDateTime when = QDateTime::fromSecsSinceEpoch(seconds);
  return when.toString(QStringLiteral("' depuis le 'dd/MM/yyyy' à 'HH'h'mm")).toStdString();
}

// One program per database: a second one would save its own gradebook over
// the first one's, so it is refused before it shows anything. Another
// computer's program cannot be checked from here: the teacher decides. Where
// no lock can be made in a read-only folder no program can save either, and
// the program runs without it after saying so; any other failure to make the
// lock ends the program, as it could not keep a second one away.
bool TakeDatabaseFolder(platform::DatabaseLock& lock, platform::MessageService& messages) {
  platform::DatabaseLock::State state = lock.Acquire();
  if (state == platform::DatabaseLock::State::OtherComputer) {
    const std::string question =
        "Base de données déjà ouverte par un autre Vellanor,\nsur l'ordinateur « " +
        lock.HeldBy().computer + " »" + SinceText(lock.HeldBy().since) +
        ".\nSi ce Vellanor n'est plus ouvert, vous pouvez l'ouvrir ici.\n"
        "Ouvrir quand même ?";
    if (!messages.AskYesNo(question, kCaptionWarning)) {
      return false;
    }
    state = lock.TakeOver();
  }
  switch (state) {
    case platform::DatabaseLock::State::HeldByAnother:
    case platform::DatabaseLock::State::OtherComputer:
      messages.Inform(kDatabaseInUseMessage, kCaptionWarning, platform::MessageIcon::Exclamation);
      return false;
    case platform::DatabaseLock::State::Unavailable:
      messages.Inform("Le verrou de la base de données n'a pas pu être créé\n(" +
                          DiskErrorCause(lock.Error()) + ") :\n" + lock.Path() +
                          "\nLe programme va s'arrêter sans modifier la base de données.",
                      kCaptionError, platform::MessageIcon::Stop);
      return false;
    case platform::DatabaseLock::State::ReadOnlyFolder:
      messages.Inform("Le dossier " + lock.Folder() +
                          " est en lecture seule : aucune modification ne pourra être "
                          "enregistrée.",
                      kCaptionWarning, platform::MessageIcon::Exclamation);
      return true;
    case platform::DatabaseLock::State::Held:
      break;
  }
  // New files of saves that a crash stopped before their rename; only the
  // lock's holder may remove them, as another program's save looks the same.
  platform::RemoveLeftoverSaves(
      QFileInfo(QString::fromLatin1(kDatabaseFileName)).dir().path().toStdString());
  platform::RemoveLeftoverSaves(BackupFolderOf(kDatabaseFileName));
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
  // Held until the program ends.
  platform::DatabaseLock lock(kDatabaseFileName,
                              calls_ != nullptr ? *calls_ : platform::SystemCalls::Real());
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
