// A save with each of its system calls failed in turn, or the program stopped
// there as a crash would: "Vellanor.db" must always be the old file or the new
// one, byte for byte, every failure must be told, and no new file may stay
// behind once the program has started again.

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "app/database_operations.h"
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
        // made, as the fatal message; once the new file is in place, as a
        // warning of a save that counts as done. Nothing left beside the
        // database.
        EXPECT_EQ(saved, renamed) << where;
        ASSERT_EQ(messages.shown.size(), 1u) << where;
        EXPECT_EQ(messages.shown[0].caption,
                  k <= 2 ? "Erreur fatale" : (renamed ? "Attention" : "Erreur"))
            << where;
        EXPECT_EQ(test::FileNames(), std::vector<std::string>{"Vellanor.db"}) << where;
      }

      // The next start removes what the crash left.
      calls.Reset();
      platform::RemoveLeftoverSaves(".");
      EXPECT_EQ(test::FileNames(), std::vector<std::string>{"Vellanor.db"}) << where;
    }
  }
}

TEST(SaveFaultsTest, FailedSaveSaysWhyAndAFolderFlushFailureSaysTheSaveIsDone) {
  test::FaultySystemCalls calls;
  platform::QtFileStore files(calls);
  Gradebook empty;
  const auto messageFor = [&](Call call, int error) {
    int at = 0;  // the first such call of a clean save of an empty gradebook
    const std::vector<Call> clean{Call::Stat,       Call::Open,  Call::Write,  Call::DataSync,
                                  Call::ChangeMode, Call::Close, Call::Rename, Call::OpenFolder,
                                  Call::SyncFolder, Call::Close};
    while (clean[at] != call) {
      ++at;
    }
    calls.Inject(Fault::Fail, at + 1, error);
    test::FakeMessageService messages;
    DatabaseOperations database(empty, messages, files);
    const bool saved = database.SaveDatabase("Vellanor.db");
    EXPECT_EQ(messages.shown.size(), 1u);
    return std::make_pair(
        saved, messages.shown.empty() ? test::FakeMessageService::Shown{} : messages.shown[0]);
  };
  test::WriteBytes("Vellanor.db", {0x00, 0x00, 0x00, 0x40, 0x00, 0x00, 0x00, 0x00});

  auto [saved, shown] = messageFor(Call::Write, ENOSPC);
  EXPECT_FALSE(saved);
  EXPECT_EQ(shown.text,
            "Erreur à l'écriture de la base de données (header)\nLe disque est plein : la "
            "dernière modification n'a pas été enregistrée.");
  EXPECT_EQ(shown.caption, "Erreur");
  std::tie(saved, shown) = messageFor(Call::DataSync, EDQUOT);
  EXPECT_EQ(shown.text,
            "Erreur à l'écriture de la base de données (header)\nLe disque est plein : la "
            "dernière modification n'a pas été enregistrée.");
  std::tie(saved, shown) = messageFor(Call::Rename, EACCES);
  EXPECT_FALSE(saved);
  EXPECT_EQ(shown.text,
            "Erreur à l'écriture de la base de données (header)\nAccès refusé : la dernière "
            "modification n'a pas été enregistrée.");
  std::tie(saved, shown) = messageFor(Call::Close, EIO);
  EXPECT_EQ(shown.text,
            "Erreur à l'écriture de la base de données (header)\nErreur du disque (Input/output "
            "error) : la dernière modification n'a pas été enregistrée.");

  std::tie(saved, shown) = messageFor(Call::SyncFolder, EIO);
  EXPECT_TRUE(saved);
  EXPECT_EQ(shown.text,
            "La base de données est enregistrée, mais le système n'a pas confirmé son écriture "
            "sur le disque (Input/output error).");
  EXPECT_EQ(shown.caption, "Attention");
  EXPECT_EQ(shown.icon, platform::MessageIcon::Exclamation);
}

}  // namespace
}  // namespace vellanor
