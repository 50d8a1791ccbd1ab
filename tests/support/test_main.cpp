// Entry point of every test program: a headless QApplication, and a fresh
// temporary working directory for each test, since the program keeps its
// database in the current directory.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

#include <QApplication>

#include "support/temp_dir.h"

namespace {

class FreshWorkingDirectory : public testing::EmptyTestEventListener {
 public:
  void OnTestStart(const testing::TestInfo&) override {
    previous_ = std::filesystem::current_path();
    dir_ = std::make_unique<vellanor::test::TempDir>();
    std::filesystem::current_path(dir_->Path());
  }
  void OnTestEnd(const testing::TestInfo&) override {
    std::filesystem::current_path(previous_);
    dir_.reset();
  }

 private:
  std::filesystem::path previous_;
  std::unique_ptr<vellanor::test::TempDir> dir_;
};

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  testing::InitGoogleTest(&argc, argv);
  testing::UnitTest::GetInstance()->listeners().Append(new FreshWorkingDirectory);
  return RUN_ALL_TESTS();
}
