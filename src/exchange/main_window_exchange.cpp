#include "exchange/main_window_exchange.h"

#include <utility>

#include "app/database_backups.h"
#include "model/gradebook.h"
#include "platform/services.h"

namespace vellanor::exchange {

bool ExportFromMainWindow(MainWindowOperations& main, const ExportRequest& request) {
  platform::Services& services = main.GetServices();
  return RunExport(main.GetGradebook(), request, services.files, services.messages);
}

ImportOutcome ImportIntoMainWindow(MainWindowOperations& main, const std::string& path,
                                   int classPosition, std::function<bool()> beforeChange) {
  if (!beforeChange) {
    // The import replaces marks: the file as it stands is copied first,
    // which outlives the undo history (that ends with the program).
    beforeChange = [&main, classPosition] {
      const ClassRecord* record = ClassAt(main.GetGradebook(), classPosition);
      return BackUpBeforeChange(main, kBackupImport,
                                record != nullptr ? record->name.View() : std::string_view());
    };
  }
  return RunImport(main, path, classPosition, beforeChange);
}

}  // namespace vellanor::exchange
