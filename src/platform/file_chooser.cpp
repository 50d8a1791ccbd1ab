#include "platform/file_chooser.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QStringList>

namespace vellanor::platform {
namespace {

QString NameFilters(const std::vector<FileFilter>& filters) {
  QStringList entries;
  for (const FileFilter& filter : filters) {
    entries << QStringLiteral("%1 (%2)").arg(QString::fromStdString(filter.description),
                                             QString::fromStdString(filter.pattern).trimmed());
  }
  return entries.join(QStringLiteral(";;"));
}

QString StartFolder(const std::string& folder) {
  return folder.empty() ? QDir::currentPath()
                        : QDir::current().absoluteFilePath(QString::fromStdString(folder));
}

}  // namespace

std::optional<std::string> QtFileChooser::ChooseFile(const FileRequest& request) {
  QFileDialog dialog(QApplication::activeWindow(), QString::fromStdString(request.title),
                     StartFolder(request.initialFolder), NameFilters(request.filters));
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(request.mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
  if (!request.defaultSuffix.empty()) {
    dialog.setDefaultSuffix(QString::fromStdString(request.defaultSuffix));
  }
  if (!request.initialName.empty()) {
    dialog.selectFile(QString::fromStdString(request.initialName));
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
    return std::nullopt;
  }
  return QDir::toNativeSeparators(dialog.selectedFiles().constFirst()).toStdString();
}

std::optional<std::string> QtFileChooser::ChooseFolder(const std::string& title,
                                                       const std::string& initialFolder) {
  const QString folder = QFileDialog::getExistingDirectory(
      QApplication::activeWindow(), QString::fromStdString(title), StartFolder(initialFolder));
  if (folder.isEmpty()) {
    return std::nullopt;
  }
  return QDir::toNativeSeparators(folder).toStdString();
}

}  // namespace vellanor::platform
