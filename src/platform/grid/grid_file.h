// Saving and loading a grid's contents to a text file; the format is
// described at the top of grid_file.cpp.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/grid/grid_contents.h"

namespace qdr2_Gomiat {

// What a file must match to be loaded into a grid.
struct GridFileLayout {
  std::string filter;          // "*.crq": its extension goes in the signature
  std::vector<int16_t> kinds;  // one per column
};

// Writes beside `path` and renames over it, so `path` is either the old
// file or the complete new one. Failures: 52 empty name, 76 no such folder,
// 70 not allowed, 61 disk full, 75 a folder in the way, 57 other I/O.
void SaveGridFile(const std::string& path, const GridFileLayout& layout,
                  const GridContents& contents);

// Reads the whole file into fresh contents; the caller swaps them in.
// Failures: 53 no such file, 70 not allowed, 75 not a file, 57 I/O,
// kBadGridFile for a foreign, damaged, truncated or other-layout file, or
// one with a line longer than `max_line` bytes (default 64 MiB).
GridContents LoadGridFile(const std::string& path, const GridFileLayout& layout,
                          size_t max_line = 0);

// The runtime's number for a file whose format it cannot read.
inline constexpr int32_t kBadGridFile = 321;

// The extension a filter stands for: "*.crq" -> "crq".
std::string FilterExtension(const std::string& filter);

}  // namespace qdr2_Gomiat
