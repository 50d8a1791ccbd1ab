#pragma once

#include <functional>
#include <string>

#include "app/main_window_operations.h"
#include "exchange/csv/csv_export.h"
#include "exchange/csv/csv_import.h"

namespace vellanor::exchange {

// What the import/export window runs: the export of a class or a student,
// and the import into a class, with the main window's services. Without a
// `beforeChange` of its own, the import first copies the database into
// Sauvegardes/ (BackUpBeforeChange) and goes on as that says.
bool ExportFromMainWindow(MainWindowOperations& main, const ExportRequest& request);
ImportOutcome ImportIntoMainWindow(MainWindowOperations& main, const std::string& path,
                                   int classPosition, std::function<bool()> beforeChange = {});

}  // namespace vellanor::exchange
