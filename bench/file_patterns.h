#pragma once

// What the program's load and save do to the disk and to memory, done
// plainly: the baselines the benchmarks measure the program against.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vellanor::bench {

// A streamed read: the file in 64 KiB pieces into one reused buffer, each
// piece scanned for line feeds as the load scans for line ends. Returns the
// number of line feeds.
std::size_t StreamFile(const std::string& path);

// Writes one byte in every 4 KiB page of `size` bytes of memory new to the
// process, as the records of a load are written; returns a checksum so that
// nothing is optimised away.
std::size_t TouchNewMemory(std::size_t size);

// The save's pattern without the program: `bytes` written in 64 KiB pieces
// to a new file beside `path` (O_EXCL, mode 0600), flushed with fdatasync,
// given the mode of the file it replaces, closed, renamed over `path`, and
// the folder flushed with fsync. Aborts on any failure.
void WriteLikeASave(const std::string& path, const std::vector<std::uint8_t>& bytes);

// The median of `values` (which it reorders); 0 for none.
double Median(std::vector<double>& values);

}  // namespace vellanor::bench
