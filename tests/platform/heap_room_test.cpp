#include "platform/heap_room.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace vellanor::platform {
namespace {

// Whether this system can hand out huge pages on request, as a room needs.
bool HugePagesOnRequest() {
#if defined(__GLIBC__) && !defined(__SANITIZE_ADDRESS__)
  std::ifstream enabled("/sys/kernel/mm/transparent_hugepage/enabled");
  std::string modes;
  std::getline(enabled, modes);
  return modes.find("[madvise]") != std::string::npos ||
         modes.find("[always]") != std::string::npos;
#else
  return false;  // another malloc: the room does nothing
#endif
}

long MinorFaults() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_minflt;
}

// 32 MiB of 4 KiB records as a load makes them, each filled with its own
// bytes; returns the minor page faults they cost and checks every byte after.
long MakeAndCheckRecords(std::vector<std::unique_ptr<std::uint8_t[]>>& records) {
  constexpr std::size_t kCount = 8192;
  constexpr std::size_t kSize = 4096 - 16;
  const long before = MinorFaults();
  for (std::size_t i = 0; i < kCount; ++i) {
    records.emplace_back(new std::uint8_t[kSize]);
    std::fill_n(records.back().get(), kSize, static_cast<std::uint8_t>(i));
  }
  const long faults = MinorFaults() - before;
  for (std::size_t i = 0; i < kCount; ++i) {
    for (std::size_t b = 0; b < kSize; b += 512) {
      EXPECT_EQ(records[i][b], static_cast<std::uint8_t>(i)) << i;
    }
  }
  return faults;
}

TEST(HeapRoomTest, RecordsMadeInARoomCostFewPageFaultsAndStayIntact) {
  std::vector<std::unique_ptr<std::uint8_t[]>> records;
  long faults = 0;
  bool made = false;
  {
    // More than this process may keep free already (where no room is made).
    const HeapRoom room(256u << 20);
    made = room.Made();
    faults = MakeAndCheckRecords(records);
  }
  // The blocks outlive the room, and malloc goes on as usual.
  records.resize(records.size() / 2);
  std::vector<std::unique_ptr<std::uint8_t[]>> more;
  MakeAndCheckRecords(more);

  if (!HugePagesOnRequest()) {
    EXPECT_FALSE(made);
    GTEST_SKIP() << "no transparent huge pages on request here";
  }
  EXPECT_TRUE(made);
  // 8192 pages of 4 KiB without a room; a few dozen huge pages with one.
  EXPECT_LT(faults, 1000);
}

TEST(HeapRoomTest, SmallOrImpossibleRoomsAreNotMade) {
  EXPECT_FALSE(HeapRoom(64 * 1024).Made());             // a small file: nothing to gain
  EXPECT_FALSE(HeapRoom(std::size_t{1} << 40).Made());  // a file's size claims a terabyte
  // Rooms one after the other, as reload after reload.
  for (int i = 0; i < 3; ++i) {
    const HeapRoom room(8u << 20);
    std::vector<std::unique_ptr<char[]>> blocks;
    for (int j = 0; j < 1000; ++j) {
      blocks.emplace_back(new char[4000]());
    }
  }
}

}  // namespace
}  // namespace vellanor::platform
