#include "platform/program_launcher.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>
#include <vector>

#include <QCoreApplication>

namespace vellanor::platform {
namespace {

bool AppearsWithin(const std::filesystem::path& path, std::chrono::seconds limit) {
  const auto end = std::chrono::steady_clock::now() + limit;
  while (std::chrono::steady_clock::now() < end) {
    if (std::filesystem::exists(path)) {
      return true;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return false;
}

TEST(ProgramLauncherTest, StartsWithAnArgumentListAndReportsMissingPrograms) {
  QtProgramLauncher launcher;
  EXPECT_FALSE(launcher.FindProgram("touch").empty());
  EXPECT_TRUE(launcher.FindProgram("vellanor-no-such-program").empty());
  EXPECT_FALSE(launcher.Start("vellanor-no-such-program", {}));

  // Quotes, semicolons and spaces reach the program as they are: no shell
  // reads them, so nothing else runs and the file gets exactly this name.
  const std::string name = "a b;touch pwned \"q\" 'r'";
  ASSERT_TRUE(launcher.Start("touch", {name}));
  EXPECT_TRUE(AppearsWithin(name, std::chrono::seconds(10)));
  EXPECT_FALSE(std::filesystem::exists("pwned"));
}

TEST(ProgramLauncherTest, StartThenTellsASuccessfulEndFromAFailedOne) {
  QtProgramLauncher launcher;
  std::vector<int> ends;  // 1 for success, 0 for failure, in the order called
  ASSERT_TRUE(launcher.StartThen("sh", {"-c", "exit 3"}, [&](bool ok) { ends.push_back(ok); }));
  ASSERT_TRUE(launcher.StartThen("sh", {"-c", "kill -9 $$"}, [&](bool ok) { ends.push_back(ok); }));
  ASSERT_TRUE(launcher.StartThen("sh", {"-c", "exit 0"}, [&](bool ok) { ends.push_back(ok); }));
  EXPECT_FALSE(
      launcher.StartThen("vellanor-no-such-program", {}, [&](bool) { ends.push_back(2); }));
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (ends.size() < 3 && std::chrono::steady_clock::now() < end) {
    QCoreApplication::processEvents();
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  std::sort(ends.begin(), ends.end());
  EXPECT_EQ(ends, (std::vector<int>{0, 0, 1}));
}

TEST(ProgramLauncherTest, FailuresSayWhy) {
  QtProgramLauncher launcher;
  EXPECT_FALSE(launcher.Start("vellanor-no-such-program", {}));
  EXPECT_EQ(launcher.LastError(), LaunchError::kNotFound);

  // A file that may not be run.
  { std::ofstream("script.sh") << "#!/bin/sh\n"; }
  const std::string script = (std::filesystem::current_path() / "script.sh").string();
  EXPECT_FALSE(launcher.Start(script, {}));
  EXPECT_EQ(launcher.LastError(), LaunchError::kAccessDenied);

  EXPECT_FALSE(
      launcher.OpenUrl("file://" + std::filesystem::current_path().string() + "/none.html"));
  EXPECT_EQ(launcher.LastError(), LaunchError::kNotFound);
  EXPECT_FALSE(launcher.OpenUrl("not an address"));
  EXPECT_EQ(launcher.LastError(), LaunchError::kNotFound);
}

}  // namespace
}  // namespace vellanor::platform
