#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <QWidget>

#include "app/database_operations.h"
#include "app/main_window_operations.h"
#include "model/invariants.h"
#include "support/fake_services.h"

namespace vellanor::test {

// A stand-in for the main window: the gradebook, fake services, the real
// database operations on the test's working directory, and a record of the
// tree rebuilds and information requests the code under test makes.
class FakeMainWindow : public MainWindowOperations {
 public:
  struct InfoRequest {
    int classPosition;
    int studentPosition;
    bool isClass;
  };

  Gradebook& GetGradebook() override { return book; }
  platform::Services& GetServices() override { return services.Get(); }
  bool LoadDatabase(const std::string& fileName) override {
    ++loads;
    return database.LoadDatabase(fileName);
  }
  // Every file a test writes through the program must pass the checks of
  // `vellanor-inspect --check`: no broken rule of the data model.
  bool SaveDatabase(const std::string& fileName) override {
    ++saves;
    const bool saved = database.SaveDatabase(fileName);
    if (saved) {
      for (std::size_t i = 0; i < book.classes.size(); ++i) {
        if (const auto fault = FindInvariantFault(book.classes[i])) {
          ADD_FAILURE() << "saved class " << i << " breaks a rule: " << *fault;
        }
      }
    }
    return saved;
  }
  void RebuildTree() override { ++rebuilds; }
  void ShowInfo(int classPosition, int studentPosition, bool isClass) override {
    infoRequests.push_back({classPosition, studentPosition, isClass});
  }
  QWidget* DialogParent() override { return &window; }

  Gradebook book;
  FakeServices services;
  DatabaseOperations database{book, services.messages, services.files};
  QWidget window;
  int loads = 0;
  int saves = 0;
  int rebuilds = 0;
  std::vector<InfoRequest> infoRequests;
};

}  // namespace vellanor::test
