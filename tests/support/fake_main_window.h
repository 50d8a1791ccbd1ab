#pragma once

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include <QWidget>

#include "app/main_window_operations.h"
#include "document/gradebook_document.h"
#include "model/database_codec.h"
#include "model/averages.h"
#include "model/gradebook.h"
#include "model/invariants.h"
#include "support/failing_file_store.h"
#include "support/fake_services.h"

namespace vellanor::test {

// A stand-in for the main window over a real document: fake services, the
// test's working directory through a file store that fails on demand, and a
// record of what the document told its observer (the real window refills
// its tree then) and of the information requests the code under test makes.
class FakeMainWindow : public MainWindowOperations {
 public:
  FakeMainWindow() {
    document.AddObserver([this](const Change& change) { Observe(change); });
  }
  FakeMainWindow(const FakeMainWindow&) = delete;
  FakeMainWindow& operator=(const FakeMainWindow&) = delete;

  GradebookDocument& Document() override { return document; }
  platform::Services& GetServices() override { return services.Get(); }
  // Reads the file, as the program does at start-up.
  bool LoadDatabase() {
    ++loads;
    return document.Load();
  }
  // Saves what memory holds now, as a commit that names no class.
  bool SaveDatabase() { return document.Commit({ChangeKind::Import, -1, "essai"}); }
  // What the file holds as last saved or loaded.
  Gradebook LastSaved() const {
    Gradebook saved;
    MemorySource source(document.SavedBytes());
    EXPECT_EQ(DecodeDatabase(source, saved), DbReadError::None);
    return saved;
  }
  void RebuildTree() override { ++rebuilds; }
  void ShowInfo(const TreeSelection& selection) override { infoRequests.push_back(selection); }
  QWidget* DialogParent() override { return &window; }

  FakeServices services;
  FailingFileStore store;  // real files unless a test makes them fail
  GradebookDocument document{kDatabaseFileName, services.messages, store};
  Gradebook& book = document.Book();
  int& saves = store.openingsForWriting;  // the saves tried
  QWidget window;
  int loads = 0;
  int reverts = 0;  // memory taken back to the file without reading it
  int rebuilds = 0;
  std::vector<Change> changes;  // committed, in order
  std::vector<TreeSelection> infoRequests;

 private:
  // Every file a test writes through the program must pass the checks of
  // `vellanor-inspect --check`: no broken rule of the data model.
  void Observe(const Change& change) {
    RebuildTree();
    if (change.kind == ChangeKind::Reverted) {
      ++reverts;
      return;
    }
    if (change.kind == ChangeKind::Reloaded) {
      return;
    }
    changes.push_back(change);
    for (std::size_t i = 0; i < book.classes.size(); ++i) {
      if (const auto fault = FindInvariantFault(book.classes[i])) {
        ADD_FAILURE() << "saved class " << i << " breaks a rule: " << *fault;
      }
    }
  }
};

// Puts the classes into the main window's gradebook and on disk; the save
// made here is not counted.
inline void Prepare(FakeMainWindow& main, std::vector<ClassRecord> classes) {
  for (ClassRecord& record : classes) {
    ASSERT_EQ(AppendClass(main.book, std::move(record)), AppendResult::Done);
  }
  ASSERT_TRUE(main.SaveDatabase());
  ASSERT_TRUE(main.LoadDatabase());  // as at start-up: nothing to undo yet
  main.saves = main.loads = main.rebuilds = 0;
  main.changes.clear();
}

// The gradebook as a fresh main window loads it from disk.
inline Gradebook OnDisk() {
  FakeMainWindow reader;
  EXPECT_TRUE(reader.LoadDatabase());
  return reader.book;
}

}  // namespace vellanor::test
