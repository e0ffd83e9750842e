// File edges of the grid's contents file: a line reader that refuses
// endless lines, and the atomic writer with the grid's failure numbers.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "frame/atomic_file.h"

namespace qdr2_Gomiat {

// Reads a file line by line. Opening fails with 53 (no such file), 70 (not
// allowed), 75 (not a regular file) or 57; reading with 57.
class LineReader {
 public:
  // A longer line is a damaged file.
  static constexpr size_t kMaxLine = size_t{64} << 20;

  explicit LineReader(const std::string& path, size_t max_line = kMaxLine);
  ~LineReader();
  LineReader(const LineReader&) = delete;
  LineReader& operator=(const LineReader&) = delete;

  // The next line without its LF (and a CR just before it); false at the
  // end of the file.
  bool Next(std::string& line);
  int64_t LineNumber() const { return line_number_; }

 private:
  bool Fill();

  std::string path_;
  size_t max_line_;
  int fd_ = -1;
  std::vector<char> buffer_;
  size_t pos_ = 0;
  size_t end_ = 0;
  bool eof_ = false;
  int64_t line_number_ = 0;
};

// The writer of a grid file at `path`, replaced on Commit. Failures: 52
// empty name or a name ending in "/", 76 no such folder, 70 not allowed,
// 61 disk full, 75 a folder in the way, 57 other I/O.
AtomicFileWriter GridFileWriter(const std::string& path);

}  // namespace qdr2_Gomiat
