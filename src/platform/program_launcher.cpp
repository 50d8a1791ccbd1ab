#include "platform/program_launcher.h"

#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <QUrl>

namespace vellanor::platform {

std::string QtProgramLauncher::FindProgram(const std::string& program) {
  return QStandardPaths::findExecutable(QString::fromStdString(program)).toStdString();
}

bool QtProgramLauncher::Start(const std::string& program,
                              const std::vector<std::string>& arguments) {
  QStringList list;
  for (const std::string& argument : arguments) {
    list << QString::fromStdString(argument);
  }
  return QProcess::startDetached(QString::fromStdString(program), list);
}

bool QtProgramLauncher::OpenUrl(const std::string& url) {
  return QDesktopServices::openUrl(QUrl(QString::fromStdString(url)));
}

}  // namespace vellanor::platform
