// Vellanor 2.0: a grade book for a secondary-school teacher.

#include <QApplication>
#include <QStyleFactory>

#include "app/gradebook_app.h"
#include "platform/clock.h"
#include "platform/file_chooser.h"
#include "platform/file_store.h"
#include "platform/program_launcher.h"
#include "platform/qt_message_service.h"
#include "platform/services.h"
#include "program/command_wiring.h"
#include "resources/ids.h"
#include "resources/images.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
  QApplication::setWindowIcon(vellanor::res::IconById(vellanor::res::kIconApp));

  vellanor::platform::QtMessageService messages;
  vellanor::platform::QtFileStore files;
  vellanor::platform::SystemClock clock;
  vellanor::platform::QtFileChooser chooser;
  vellanor::platform::QtProgramLauncher launcher;
  vellanor::platform::Services services{messages, files, clock, chooser, launcher};

  vellanor::CGradebookApp program(services);
  program.SetInstallCommands(&vellanor::InstallCommands);
  return program.InitInstance();
}
