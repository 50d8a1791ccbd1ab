#include "platform/program_launcher.h"

#include <utility>

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QPrinterInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <QUrl>

namespace vellanor::platform {
namespace {

// Why a program that did not start could not: missing, not runnable, or the
// system refused a new process.
LaunchError DiagnoseStart(const QString& program) {
  QString path = program;
  if (!program.contains(QLatin1Char('/'))) {
    path = QStandardPaths::findExecutable(program);
    if (path.isEmpty()) {
      return LaunchError::kNotFound;
    }
  }
  const QFileInfo file(path);
  if (!file.exists()) {
    return LaunchError::kNotFound;
  }
  if (file.isDir() || !file.isExecutable()) {
    return LaunchError::kAccessDenied;
  }
  return LaunchError::kOutOfResources;
}

// Whether the free desktop knows a program for addresses of `scheme`
// (mailto, https...). Qt hands every address to xdg-open, which starts at
// once and fails later, out of sight, when nothing takes the address; asking
// the same database first lets the caller say so. Where xdg-mime is missing
// the desktop is given its chance.
bool HasSchemeHandler(const QString& scheme) {
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
  const QString xdgMime = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
  if (xdgMime.isEmpty()) {
    return true;
  }
  QProcess query;
  query.start(xdgMime, {QStringLiteral("query"), QStringLiteral("default"),
                        QStringLiteral("x-scheme-handler/") + scheme});
  if (!query.waitForFinished(5000) || query.exitStatus() != QProcess::NormalExit ||
      query.exitCode() != 0) {
    query.kill();
    return true;
  }
  return !query.readAllStandardOutput().trimmed().isEmpty();
#else
  (void)scheme;
  return true;
#endif
}

}  // namespace

std::string QtProgramLauncher::FindProgram(const std::string& program) {
  return QStandardPaths::findExecutable(QString::fromStdString(program)).toStdString();
}

bool QtProgramLauncher::Start(const std::string& program,
                              const std::vector<std::string>& arguments) {
  QStringList list;
  for (const std::string& argument : arguments) {
    list << QString::fromStdString(argument);
  }
  const QString name = QString::fromStdString(program);
  if (!QProcess::startDetached(name, list)) {
    return Fail(DiagnoseStart(name));
  }
  lastError_ = LaunchError::kNone;
  return true;
}

bool QtProgramLauncher::StartThen(const std::string& program,
                                  const std::vector<std::string>& arguments,
                                  std::function<void(bool succeeded)> finished) {
  QStringList list;
  for (const std::string& argument : arguments) {
    list << QString::fromStdString(argument);
  }
  const QString name = QString::fromStdString(program);
  // Without a parent, and never deleted while the program runs: destroying a
  // QProcess kills its program, and a print job must outlive this program.
  auto* process = new QProcess;
  process->setProcessChannelMode(QProcess::ForwardedChannels);
  QObject::connect(
      process, &QProcess::finished, process,
      [process, finished = std::move(finished)](int exitCode, QProcess::ExitStatus status) {
        finished(status == QProcess::NormalExit && exitCode == 0);
        process->deleteLater();
      });
  process->start(name, list);
  if (!process->waitForStarted()) {
    delete process;
    return Fail(DiagnoseStart(name));
  }
  lastError_ = LaunchError::kNone;
  return true;
}

bool QtProgramLauncher::HasPrinter() {
  return !QPrinterInfo::availablePrinterNames().isEmpty();
}

bool QtProgramLauncher::OpenUrl(const std::string& url) {
  const QUrl address(QString::fromStdString(url), QUrl::StrictMode);
  if (!address.isValid() || address.scheme().isEmpty()) {
    return Fail(LaunchError::kNotFound);
  }
  if (address.isLocalFile()) {
    const QFileInfo file(address.toLocalFile());
    if (!file.exists()) {
      return Fail(LaunchError::kNotFound);
    }
    if (!file.isReadable()) {
      return Fail(LaunchError::kAccessDenied);
    }
  } else if (!HasSchemeHandler(address.scheme())) {
    return Fail(LaunchError::kNoHandler);
  }
  if (!QDesktopServices::openUrl(address)) {
    return Fail(LaunchError::kNoHandler);
  }
  lastError_ = LaunchError::kNone;
  return true;
}

bool QtProgramLauncher::Fail(LaunchError error) {
  lastError_ = error;
  return false;
}

}  // namespace vellanor::platform
