#pragma once

#include <string>

#include "app/tree_selection.h"
#include "document/change.h"
#include "document/edited_gradebook.h"
#include "document/gradebook_document.h"
#include "model/records.h"
#include "platform/services.h"

class QWidget;

namespace vellanor {

// The database file, in the current working directory.
inline constexpr char kDatabaseFileName[] = "Vellanor.db";

// What the main window offers every dialog and command: the document that
// owns the gradebook and saves its changes, the platform services, and the
// window's own operations. Dialogs look classes and students up again by
// position for every action, since an undo or a reload replaces every
// record. CMainDlg implements it; tests use a light stand-in over a real
// document.
class MainWindowOperations : public EditedGradebook {
 public:
  virtual ~MainWindowOperations() = default;

  // The one owner of the gradebook: a change is saved by its Commit (which
  // tells the main window, its observer, to refill the tree), and its Revert
  // takes memory back to what the file holds.
  virtual GradebookDocument& Document() = 0;
  virtual platform::Services& GetServices() = 0;

  Gradebook& GetGradebook() { return Document().Book(); }
  Gradebook& Book() final { return Document().Book(); }
  platform::MessageService& Messages() final { return GetServices().messages; }
  platform::FileStore& Files() final { return GetServices().files; }
  bool Commit(const Change& change) final { return Document().Commit(change); }

  // Refill the tree from the gradebook.
  virtual void RebuildTree() = 0;
  // Fill the information panel and draw the chart for a class or a student;
  // any other selection, or one that finds nothing, leaves the panel empty.
  virtual void ShowInfo(const TreeSelection& selection) = 0;

  // The parent of the modal dialogs.
  virtual QWidget* DialogParent() = 0;
};

}  // namespace vellanor
