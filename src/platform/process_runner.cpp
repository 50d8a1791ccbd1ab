#include "platform/process_runner.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>

#ifndef _WIN32
#include <unistd.h>

#include <csignal>
#endif

namespace vellanor::platform {

std::string QtProcessRunner::FindProgram(const std::string& program) {
  return QStandardPaths::findExecutable(QString::fromStdString(program)).toStdString();
}

ProcessResult QtProcessRunner::Run(const std::string& program,
                                   const std::vector<std::string>& arguments, const Watch& watch) {
  ProcessResult result;
  QStringList list;
  for (const std::string& argument : arguments) {
    list << QString::fromStdString(argument);
  }
  QProcess process;
  process.setProcessChannelMode(QProcess::MergedChannels);
  // Nothing to read from us: a program that asks a question gets the end of
  // its input instead of waiting for ever.
  process.setStandardInputFile(QProcess::nullDevice());
#ifndef _WIN32
  // A process group of its own, so that stopping it also stops what it
  // started (LibreOffice's launcher starts the office as a child).
  process.setChildProcessModifier([] { ::setpgid(0, 0); });
#endif
  process.start(QString::fromStdString(program), list);
  if (!process.waitForStarted(10000)) {
    result.output = process.errorString().toStdString();
    return result;
  }
  QElapsedTimer clock;
  clock.start();
  QByteArray output;
  bool stopped = false;
  while (!process.waitForFinished(100)) {
    output += process.readAll();
    QCoreApplication::processEvents();
    if (process.state() == QProcess::NotRunning) {
      break;
    }
    if (watch && !watch(clock.elapsed())) {
      stopped = true;
#ifndef _WIN32
      ::kill(-static_cast<pid_t>(process.processId()), SIGKILL);
#endif
      process.kill();
      process.waitForFinished(5000);
      break;
    }
  }
  output += process.readAll();
  result.output = output.toStdString();
  if (stopped) {
    result.outcome = ProcessResult::Outcome::kStopped;
  } else if (process.exitStatus() == QProcess::CrashExit) {
    result.outcome = ProcessResult::Outcome::kCrashed;
  } else {
    result.outcome = ProcessResult::Outcome::kFinished;
    result.exitCode = process.exitCode();
  }
  return result;
}

}  // namespace vellanor::platform
