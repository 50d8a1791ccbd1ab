#pragma once

#include <array>
#include <cstddef>

namespace vellanor::platform {

// Room in the heap for about `bytes` of small blocks about to be made in a
// row, as a load makes the records of a gradebook; held until it is
// destroyed.
//
// Memory new to a process costs a page fault for each 4 KiB page on first
// touch, and a school year is some nine thousand pages of small blocks: in a
// virtual machine those faults can cost ten times the reading of the file.
// With glibc's malloc and transparent huge pages, the room grows malloc's
// heap by `bytes` in one step (raising its top padding meanwhile) and asks
// the kernel for huge pages there (madvise), so that the blocks made next
// fill a few 2 MiB pages instead; a block held below the room makes them
// start on a huge-page boundary. Since any mallopt ends malloc's own tuning
// of its thresholds, a room that raised the padding leaves them where that
// tuning takes them at most. Anywhere else, or when the heap is not laid out
// as expected, it does nothing: only the speed depends on it.
class HeapRoom {
 public:
  explicit HeapRoom(std::size_t bytes);
  ~HeapRoom();
  HeapRoom(const HeapRoom&) = delete;
  HeapRoom& operator=(const HeapRoom&) = delete;

  // Whether the room was made (huge pages requested for `bytes` or more).
  bool Made() const { return made_; }

 private:
  void* TakeFromTop(std::size_t size);
  void Release();

  // Blocks taken to lay the heap out; given back when the room ends.
  void* fill_ = nullptr;
  void* grow_ = nullptr;
  void* gap_ = nullptr;
  std::array<void*, 16> held_{};  // free blocks malloc preferred to its top
  std::size_t heldCount_ = 0;
  bool paddingRaised_ = false;
  bool made_ = false;
};

}  // namespace vellanor::platform
