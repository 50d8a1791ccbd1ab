#include "exchange/main_window_exchange.h"

#include <utility>

#include "app/database_backups.h"
#include "model/gradebook.h"
#include "platform/services.h"

namespace vellanor::exchange {

MainWindowImportHost::MainWindowImportHost(MainWindowOperations& main, int classPosition,
                                           std::function<bool()> beforeChange)
    : main_(main), classPosition_(classPosition), beforeChange_(std::move(beforeChange)) {}

Gradebook& MainWindowImportHost::GetGradebook() {
  return main_.GetGradebook();
}
platform::MessageService& MainWindowImportHost::Messages() {
  return main_.GetServices().messages;
}
platform::FileStore& MainWindowImportHost::Files() {
  return main_.GetServices().files;
}
bool MainWindowImportHost::BeforeChange() {
  return !beforeChange_ || beforeChange_();
}
bool MainWindowImportHost::SaveDatabase() {
  const ClassRecord* record = ClassAt(main_.GetGradebook(), classPosition_);
  return main_.CommitChange(
      {ChangeKind::Import, classPosition_,
       record != nullptr ? DescribeClassChange(ChangeKind::Import, *record) : "import de notes"});
}
bool MainWindowImportHost::LoadDatabase() {
  // Nothing to read: after a commit the gradebook is what the file holds,
  // whether the save worked or not.
  return true;
}
void MainWindowImportHost::RebuildTree() {
  // The main window refills its tree whenever the gradebook changes.
}

bool ExportFromMainWindow(MainWindowOperations& main, const ExportRequest& request) {
  platform::Services& services = main.GetServices();
  return RunExport(main.GetGradebook(), request, services.files, services.messages);
}

ImportOutcome ImportIntoMainWindow(MainWindowOperations& main, const std::string& path,
                                   int classPosition, std::function<bool()> beforeChange) {
  if (!beforeChange) {
    // The import replaces marks with no undo: the file as it stands is
    // copied first.
    beforeChange = [&main, classPosition] {
      const ClassRecord* record = ClassAt(main.GetGradebook(), classPosition);
      return BackUpBeforeChange(main, kBackupImport,
                                record != nullptr ? record->name.View() : std::string_view());
    };
  }
  MainWindowImportHost host(main, classPosition, std::move(beforeChange));
  return RunImport(host, path, classPosition);
}

}  // namespace vellanor::exchange
