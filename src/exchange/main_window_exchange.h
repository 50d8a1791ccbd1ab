#pragma once

#include <functional>
#include <string>

#include "app/main_window_operations.h"
#include "exchange/csv/csv_export.h"
#include "exchange/csv/csv_import.h"

namespace vellanor::exchange {

// The import's view of the main window: its gradebook and services; a save
// commits the import into the class at `classPosition` (undoable, the tree
// refilled), and reading back goes to what the file holds without reading it.
// `beforeChange` runs once before the import changes anything (a copy of the
// database, say); returning false stops it. Without one the import goes on.
class MainWindowImportHost : public ImportHost {
 public:
  MainWindowImportHost(MainWindowOperations& main, int classPosition,
                       std::function<bool()> beforeChange = {});

  Gradebook& GetGradebook() override;
  platform::MessageService& Messages() override;
  platform::FileStore& Files() override;
  bool BeforeChange() override;
  bool SaveDatabase() override;
  bool LoadDatabase() override;
  void RebuildTree() override;

 private:
  MainWindowOperations& main_;
  int classPosition_;
  std::function<bool()> beforeChange_;
};

// What the import/export window runs: the export of a class or a student,
// and the import into a class, with the main window's services. Without a
// `beforeChange` of its own, the import first copies the database into
// Sauvegardes/ (BackUpBeforeChange) and goes on as that says.
bool ExportFromMainWindow(MainWindowOperations& main, const ExportRequest& request);
ImportOutcome ImportIntoMainWindow(MainWindowOperations& main, const std::string& path,
                                   int classPosition, std::function<bool()> beforeChange = {});

}  // namespace vellanor::exchange
