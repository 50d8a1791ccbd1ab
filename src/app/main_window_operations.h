#pragma once

#include <string>

#include "app/tree_selection.h"
#include "document/change.h"
#include "document/edited_gradebook.h"
#include "model/records.h"
#include "platform/services.h"

class QWidget;

namespace vellanor {

// The database file, in the current working directory.
inline constexpr char kDatabaseFileName[] = "Vellanor.db";

// What the main window offers every dialog and command: the gradebook it
// owns, the platform services, and its operations. Dialogs look classes and
// students up again by position for every action, since a load replaces
// every record. CMainDlg implements it; tests use a light stand-in.
class MainWindowOperations : public EditedGradebook {
 public:
  virtual ~MainWindowOperations() = default;

  virtual Gradebook& GetGradebook() = 0;
  virtual platform::Services& GetServices() = 0;

  // Code that only changes the gradebook sees the window as its owner: a
  // commit is the window's, which the document saves.
  Gradebook& Book() final { return GetGradebook(); }
  platform::MessageService& Messages() final { return GetServices().messages; }
  platform::FileStore& Files() final { return GetServices().files; }
  bool Commit(const Change& change) final { return CommitChange(change); }

  // Replaces the gradebook with the file's content (start-up); reports its
  // failures in message boxes and returns false.
  virtual bool LoadDatabase(const std::string& fileName) = 0;

  // Saves a change made to the gradebook: the class is recomputed where the
  // change needs it, the whole file written, the change kept for undo and the
  // tree refilled. False when it was not saved (the message was shown); the
  // gradebook is then back at what the file holds.
  virtual bool CommitChange(const Change& change) = 0;
  // The gradebook back to what the file holds, as after reading it again.
  virtual void RevertChanges() = 0;

  // Refill the tree from the gradebook.
  virtual void RebuildTree() = 0;
  // Fill the information panel and draw the chart for a class or a student;
  // any other selection, or one that finds nothing, leaves the panel empty.
  virtual void ShowInfo(const TreeSelection& selection) = 0;

  // The parent of the modal dialogs.
  virtual QWidget* DialogParent() = 0;
};

}  // namespace vellanor
