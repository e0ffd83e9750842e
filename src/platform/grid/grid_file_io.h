// File edges of the grid's contents file: a line reader that refuses
// endless lines, and a writer that replaces the target atomically.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

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

// Writes a new file beside the target and renames it over the target on
// Commit. Until then (and if anything fails) the target is untouched and
// the temporary file is removed.
class AtomicFileWriter {
 public:
  explicit AtomicFileWriter(const std::string& path);
  ~AtomicFileWriter();
  AtomicFileWriter(const AtomicFileWriter&) = delete;
  AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

  void WriteLine(const std::string& line);
  void Commit();

 private:
  void Flush();
  [[noreturn]] void Fail(int error);

  std::string path_;
  std::string temp_;
  int fd_ = -1;
  std::string pending_;
};

}  // namespace qdr2_Gomiat
