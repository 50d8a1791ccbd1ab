#include "platform/heap_room.h"

#if defined(__GLIBC__) && __has_include(<sys/mman.h>)
#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>
#endif

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>

namespace vellanor::platform {

#if defined(__GLIBC__) && defined(MADV_HUGEPAGE) && __GLIBC_PREREQ(2, 33)

namespace {

// Below this the faults cost little, and past it the room is not worth the
// address space it holds.
constexpr std::size_t kWorthARoom = 4u << 20;
constexpr std::size_t kLargestRoom = 1u << 30;
// malloc's own top padding, given back when a room ends (mallopt(3)).
constexpr std::size_t kDefaultTopPad = 128 * 1024;
// Where malloc's own tuning takes its mmap threshold at most (mallopt(3)),
// and its trim threshold then: twice that.
constexpr std::size_t kTunedMmapThreshold = 4 * 1024 * 1024 * sizeof(long);
constexpr std::size_t kTunedTrimThreshold = 2 * kTunedMmapThreshold;
// What malloc puts before each block: the sizes of it and of the one before.
constexpr std::size_t kBlockHeader = 2 * sizeof(std::size_t);
// The free top of the heap is made this small before the heap grows, and
// the request that makes it grow asks this much past it: well below malloc's
// mmap threshold (128 KiB at least), and above the free blocks malloc would
// rather cut it from.
constexpr std::size_t kSmallTop = 32 * 1024;
constexpr std::size_t kGrowthRequest = 64 * 1024;

// The size of a huge page when the kernel hands them out on request, else 0.
std::size_t HugePageSize() {
  static const std::size_t size = [] {
    std::ifstream enabled("/sys/kernel/mm/transparent_hugepage/enabled");
    std::string modes;
    std::getline(enabled, modes);
    if (modes.find("[always]") == std::string::npos &&
        modes.find("[madvise]") == std::string::npos) {
      return std::size_t{0};
    }
    std::ifstream sizeFile("/sys/kernel/mm/transparent_hugepage/hpage_pmd_size");
    std::size_t bytes = 0;
    sizeFile >> bytes;
    // A power of two of at least a page, or nothing.
    return bytes >= 4096 && (bytes & (bytes - 1)) == 0 ? bytes : std::size_t{0};
  }();
  return size;
}

char* HeapEnd() {
  return static_cast<char*>(sbrk(0));
}

// Where malloc's free top of the heap begins: it runs to the heap's end.
char* TopStart() {
  return HeapEnd() - mallinfo2().keepcost;
}

char* AlignUp(char* address, std::size_t alignment) {
  const auto value = reinterpret_cast<std::uintptr_t>(address);
  return reinterpret_cast<char*>((value + alignment - 1) & ~(alignment - 1));
}

char* AlignDown(char* address, std::size_t alignment) {
  return reinterpret_cast<char*>(reinterpret_cast<std::uintptr_t>(address) & ~(alignment - 1));
}

}  // namespace

// A block of `size` bytes cut from the start of malloc's free top. A free
// block elsewhere that malloc prefers is held until the room ends, and the
// request made again.
void* HeapRoom::TakeFromTop(std::size_t size) {
  while (heldCount_ < held_.size()) {
    char* const expected = TopStart() + kBlockHeader;
    void* block = std::malloc(size);
    if (block == expected || block == nullptr) {
      return block;
    }
    held_[heldCount_++] = block;
  }
  return nullptr;
}

HeapRoom::HeapRoom(std::size_t bytes) {
  const std::size_t hugePage = HugePageSize();
  if (hugePage == 0 || bytes < kWorthARoom || bytes > kLargestRoom) {
    return;
  }
  // Memory malloc already keeps free (a gradebook let go before a reload)
  // has been touched: the blocks are better made there.
  if (mallinfo2().fordblks >= bytes) {
    return;
  }
  // 1. Shrink the free top, so that step 2 needs only a small request.
  const std::size_t topSize = static_cast<std::size_t>(HeapEnd() - TopStart());
  if (topSize > 2 * kSmallTop) {
    fill_ = TakeFromTop(topSize - kSmallTop);
    if (fill_ == nullptr) {
      return;
    }
  }
  // 2. Grow the heap in one step, by the room and a huge page to align it.
  // Only the sizes at the two ends of the new block are written, near the
  // old end: the room's pages stay untouched until huge pages are asked for.
  paddingRaised_ = mallopt(M_TOP_PAD, static_cast<int>(bytes + 2 * hugePage)) == 1;
  char* const oldEnd = HeapEnd();
  if (paddingRaised_) {
    grow_ = TakeFromTop(static_cast<std::size_t>(oldEnd - TopStart()) + kGrowthRequest);
  }
  if (grow_ == nullptr || HeapEnd() < oldEnd + bytes + hugePage) {
    Release();
    return;
  }
  // 3. Hold everything up to the first huge-page boundary past the page just
  // written, so that the next block starts there.
  char* const room = AlignUp(TopStart() + 4096, hugePage);
  gap_ = TakeFromTop(static_cast<std::size_t>(room - TopStart()) - 2 * kBlockHeader);
  if (gap_ == nullptr || TopStart() != room - kBlockHeader) {
    Release();
    return;
  }
  char* const roomEnd = AlignDown(HeapEnd(), hugePage);
  made_ = madvise(room, static_cast<std::size_t>(roomEnd - room), MADV_HUGEPAGE) == 0;
}

void HeapRoom::Release() {
  for (void* block : {gap_, grow_, fill_}) {
    std::free(block);
  }
  gap_ = grow_ = fill_ = nullptr;
  for (std::size_t i = 0; i < heldCount_; ++i) {
    std::free(held_[i]);
  }
  heldCount_ = 0;
  if (paddingRaised_) {
    mallopt(M_TOP_PAD, static_cast<int>(kDefaultTopPad));
    // Any mallopt ends malloc's own tuning of the size from which blocks are
    // mapped apart and of the free memory it keeps, leaving both at 128 KiB:
    // every window's pixels would then be mapped, faulted in and unmapped
    // again at each opening. Set them where that tuning goes for a program
    // that frees large blocks, as this one does.
    mallopt(M_MMAP_THRESHOLD, static_cast<int>(kTunedMmapThreshold));
    mallopt(M_TRIM_THRESHOLD, static_cast<int>(kTunedTrimThreshold));
    paddingRaised_ = false;
  }
}

#else

HeapRoom::HeapRoom(std::size_t) {}

void HeapRoom::Release() {}

#endif

HeapRoom::~HeapRoom() {
  Release();
}

}  // namespace vellanor::platform
