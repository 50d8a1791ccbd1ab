#pragma once

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include <QWidget>

#include "app/main_window_operations.h"
#include "document/database_operations.h"
#include "model/averages.h"
#include "model/gradebook.h"
#include "model/invariants.h"
#include "support/fake_services.h"

namespace vellanor::test {

// A stand-in for the main window: the gradebook, fake services, the real
// database operations on the test's working directory, and a record of the
// tree rebuilds and information requests the code under test makes.
class FakeMainWindow : public MainWindowOperations {
 public:
  Gradebook& GetGradebook() override { return book; }
  platform::Services& GetServices() override { return services.Get(); }
  bool LoadDatabase(const std::string& fileName) override {
    ++loads;
    const bool loaded = database.LoadDatabase(fileName);
    lastSaved = book;
    return loaded;
  }
  // Every file a test writes through the program must pass the checks of
  // `vellanor-inspect --check`: no broken rule of the data model.
  virtual bool SaveDatabase(const std::string& fileName) {
    ++saves;
    const bool saved = database.SaveDatabase(fileName);
    if (saved) {
      lastSaved = book;
      for (std::size_t i = 0; i < book.classes.size(); ++i) {
        if (const auto fault = FindInvariantFault(book.classes[i])) {
          ADD_FAILURE() << "saved class " << i << " breaks a rule: " << *fault;
        }
      }
    }
    return saved;
  }
  // As the document does, through this window's own counted save.
  bool CommitChange(const Change& change) override {
    changes.push_back(change);
    if (RecomputesClass(change.kind)) {
      if (ClassRecord* record = ClassAt(book, change.classPosition)) {
        RecomputeClass(*record);
      }
    }
    const bool saved = SaveDatabase(kDatabaseFileName);
    if (!saved) {
      book = lastSaved;  // back to what the file holds, without reading it
    }
    RebuildTree();
    return saved;
  }
  // As the document and the main window, its observer, do.
  void RevertChanges() override {
    LoadDatabase(kDatabaseFileName);
    RebuildTree();
  }
  void RebuildTree() override { ++rebuilds; }
  void ShowInfo(const TreeSelection& selection) override { infoRequests.push_back(selection); }
  QWidget* DialogParent() override { return &window; }

  Gradebook book;
  FakeServices services;
  DatabaseOperations database{book, services.messages, services.files};
  QWidget window;
  int loads = 0;
  int saves = 0;
  int rebuilds = 0;
  std::vector<Change> changes;  // committed, in order
  Gradebook lastSaved;          // what the file holds, as last saved or loaded
  std::vector<TreeSelection> infoRequests;
};

// Puts the classes into the main window's gradebook and on disk; the save
// made here is not counted.
inline void Prepare(FakeMainWindow& main, std::vector<ClassRecord> classes) {
  for (ClassRecord& record : classes) {
    ASSERT_EQ(AppendClass(main.book, std::move(record)), AppendResult::Done);
  }
  ASSERT_TRUE(main.SaveDatabase("Vellanor.db"));
  main.saves = 0;
}

// The gradebook as a fresh main window loads it from disk.
inline Gradebook OnDisk() {
  FakeMainWindow reader;
  EXPECT_TRUE(reader.LoadDatabase("Vellanor.db"));
  return reader.book;
}

}  // namespace vellanor::test
