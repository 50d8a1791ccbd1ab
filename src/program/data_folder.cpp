#include "program/data_folder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "platform/message_service.h"

namespace vellanor {
namespace {

// Gives a new data folder the sample templates; a folder the teacher already
// has is left as it is, deletions included.
void CopySampleTemplates(const QDir& dataFolder, const QString& programDir) {
  const QDir samples(QDir::cleanPath(programDir + QStringLiteral("/../share/vellanor/Template")));
  if (!samples.exists() || dataFolder.exists(QStringLiteral("Template"))) {
    return;
  }
  if (!dataFolder.mkdir(QStringLiteral("Template"))) {
    return;
  }
  const QDir target(dataFolder.filePath(QStringLiteral("Template")));
  for (const QFileInfo& sample : samples.entryInfoList(QDir::Files)) {
    QFile::copy(sample.absoluteFilePath(), target.filePath(sample.fileName()));
  }
}

}  // namespace

bool EnterDataFolder(const QStringList& arguments, platform::MessageService& messages,
                     const QString& home, const QString& programDir) {
  if (!arguments.contains(QLatin1String(kDesktopOption))) {
    return true;
  }
  const QString path = QDir(home).filePath(QStringLiteral("Vellanor"));
  if (!QDir().mkpath(path) || !QDir::setCurrent(path)) {
    messages.Inform(("Impossible de créer ou d'ouvrir le dossier des données\n" +
                     QDir::toNativeSeparators(path))
                        .toStdString(),
                    "Erreur", platform::MessageIcon::Stop);
    return false;
  }
  CopySampleTemplates(QDir(path), programDir);
  return true;
}

}  // namespace vellanor
