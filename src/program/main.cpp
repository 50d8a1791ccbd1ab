// Vellanor 2.0: a grade book for a secondary-school teacher.

#include <QApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QStyleFactory>
#include <QTranslator>

#include "app/gradebook_app.h"
#include "platform/clock.h"
#include "platform/file_chooser.h"
#include "platform/file_store.h"
#include "platform/process_runner.h"
#include "platform/program_launcher.h"
#include "platform/qt_message_service.h"
#include "platform/services.h"
#include "program/command_wiring.h"
#include "program/data_folder.h"
#include "resources/ids.h"
#include "resources/images.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  // Where the settings (the windows' sizes and places) are kept.
  QCoreApplication::setOrganizationName(QStringLiteral("vellanor"));
  QCoreApplication::setApplicationName(QStringLiteral("vellanor"));
  QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
  QApplication::setWindowIcon(vellanor::res::IconById(vellanor::res::kIconApp));
  // The desktop entry's name, so that the desktop shows its icon for our windows.
  QGuiApplication::setDesktopFileName(QStringLiteral("vellanor"));
  // Qt's own windows (the file and folder choosers, their buttons) speak
  // French like the rest of the program, when Qt's translations are there.
  QTranslator qtTexts;
  if (qtTexts.load(QLocale(QLocale::French, QLocale::France), QStringLiteral("qtbase"),
                   QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QApplication::installTranslator(&qtTexts);
  }

  vellanor::platform::QtMessageService messages;
  vellanor::platform::QtFileStore files;
  vellanor::platform::SystemClock clock;
  vellanor::platform::QtFileChooser chooser;
  vellanor::platform::QtProgramLauncher launcher;
  vellanor::platform::QtProcessRunner processes;
  vellanor::platform::Services services{messages, files, clock, chooser, launcher, processes};

  if (!vellanor::EnterDataFolder(QApplication::arguments(), messages, QDir::homePath(),
                                 QApplication::applicationDirPath())) {
    return 1;
  }

  vellanor::CGradebookApp program(services);
  program.SetInstallCommands(&vellanor::InstallCommands);
  return program.InitInstance();
}
