// A save with each of its system calls failed in turn, or the program stopped
// there as a crash would: "Vellanor.db" must always be the old file or the new
// one, byte for byte, every failure must be told, and no new file may stay
// behind once the program has started again.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "document/database_operations.h"
#include "model/database_codec.h"
#include "platform/file_store.h"
#include "support/fake_message_service.h"
#include "support/faulty_system_calls.h"
#include "support/school_year.h"
#include "support/temp_dir.h"

namespace vellanor {
namespace {

using Call = platform::SystemCalls::Call;
using Fault = test::FaultySystemCalls::Fault;

TEST(SaveFaultsTest, EveryCallFailedOrCutShortLeavesTheOldOrTheNewFile) {
  const Gradebook older =
      MakeSchoolYear({.classes = 1, .studentsPerClass = 5, .marksPerStudent = 4});
  Gradebook newer = MakeSchoolYear({.classes = 4, .studentsPerClass = 30, .marksPerStudent = 20});
  const std::vector<std::uint8_t> newBytes = EncodeDatabase(newer);
  ASSERT_GT(newBytes.size(), 2u * 64 * 1024);  // three pieces or more
  const std::vector<std::uint8_t> oldBytes = EncodeDatabase(older);
  const std::vector<unsigned char> oldFile(oldBytes.begin(), oldBytes.end());
  const std::vector<unsigned char> newFile(newBytes.begin(), newBytes.end());

  test::FaultySystemCalls calls;
  platform::QtFileStore files(calls);

  // A save that goes through: the new content flushed before its rename, the
  // folder flushed after it.
  test::WriteBytes("Vellanor.db", oldFile);
  {
    test::FakeMessageService messages;
    DatabaseOperations database(newer, messages, files);
    ASSERT_TRUE(database.SaveDatabase("Vellanor.db"));
    EXPECT_TRUE(messages.shown.empty());
  }
  EXPECT_EQ(test::ReadBytes("Vellanor.db"), newFile);
  const std::vector<Call> clean = calls.log;
  const std::size_t writes = std::count(clean.begin(), clean.end(), Call::Write);
  ASSERT_GE(writes, 3u);
  std::vector<Call> expected{Call::Stat, Call::Open};
  expected.insert(expected.end(), writes, Call::Write);
  expected.insert(expected.end(), {Call::DataSync, Call::ChangeMode, Call::Close, Call::Rename,
                                   Call::OpenFolder, Call::SyncFolder, Call::Close});
  ASSERT_EQ(clean, expected);
  const int renameCall = static_cast<int>(clean.size()) - 3;

  for (const Fault fault : {Fault::Fail, Fault::Crash}) {
    for (int k = 1; k <= static_cast<int>(clean.size()); ++k) {
      const std::string where =
          (fault == Fault::Fail ? "failed call " : "crash at call ") + std::to_string(k);
      test::WriteBytes("Vellanor.db", oldFile);
      calls.Inject(fault, k);
      test::FakeMessageService messages;
      DatabaseOperations database(newer, messages, files);
      const bool saved = database.SaveDatabase("Vellanor.db");

      const bool renamed = k > renameCall;
      EXPECT_TRUE(test::ReadBytes("Vellanor.db") == (renamed ? newFile : oldFile)) << where;
      if (fault == Fault::Fail) {
        // Told once, as a write error or, when the new file could not be
        // made, as the fatal message; nothing left beside the database.
        EXPECT_FALSE(saved) << where;
        ASSERT_EQ(messages.shown.size(), 1u) << where;
        EXPECT_EQ(messages.shown[0].caption, k <= 2 ? "Erreur fatale" : "Erreur") << where;
        EXPECT_EQ(test::FileNames(), std::vector<std::string>{"Vellanor.db"}) << where;
      }

      // The next start removes what the crash left.
      calls.Reset();
      platform::RemoveLeftoverSaves(".");
      EXPECT_EQ(test::FileNames(), std::vector<std::string>{"Vellanor.db"}) << where;
    }
  }
}

}  // namespace
}  // namespace vellanor
