// An output file that appears only when it is complete: it is written to a
// temporary file beside its final place and renamed over it on Commit.
// Dropped without Commit, the temporary file is removed and whatever was at
// the final place stays as it was.
#pragma once

#include <fstream>
#include <string>

namespace gomiat {

class OutputFile {
 public:
  // Throws std::runtime_error naming the path when the folder does not
  // exist or cannot be written.
  explicit OutputFile(std::string path);
  ~OutputFile();
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  std::ostream& Stream() { return stream_; }
  // Closes, flushes to disk and renames. Throws std::runtime_error.
  void Commit();
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
  std::string temp_;
  std::ofstream stream_;
  bool committed_ = false;
};

}  // namespace gomiat
