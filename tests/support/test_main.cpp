// Entry point of every test program: a headless QApplication, and a fresh
// temporary working directory for each test, since the program keeps its
// database in the current directory.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

#include <QApplication>
#include <QSettings>

#include "support/temp_dir.h"

namespace {

class FreshWorkingDirectory : public testing::EmptyTestEventListener {
 public:
  void OnTestStart(const testing::TestInfo&) override {
    previous_ = std::filesystem::current_path();
    dir_ = std::make_unique<vellanor::test::TempDir>();
    std::filesystem::current_path(dir_->Path());
    // The windows keep their sizes in the settings: each test starts from
    // none, and never touches the user's.
    const QString settings = QString::fromStdString((dir_->Path() / "settings").string());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings);
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
  QCoreApplication::setOrganizationName(QStringLiteral("vellanor"));
  QCoreApplication::setApplicationName(QStringLiteral("vellanor"));
  testing::InitGoogleTest(&argc, argv);
  testing::UnitTest::GetInstance()->listeners().Append(new FreshWorkingDirectory);
  return RUN_ALL_TESTS();
}
