// An output file that appears only when it is complete: a stream over the
// component's atomic file writer, which writes a temporary file beside the
// final place and renames it over it on Commit. Dropped without Commit, the
// temporary file is removed and whatever was at the final place stays as it
// was.
#pragma once

#include <memory>
#include <ostream>
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
  // Flushes to disk and renames. Throws std::runtime_error naming the path.
  void Commit();
  const std::string& Path() const { return path_; }

 private:
  class Buffer;  // the stream's bytes on their way to the writer

  std::string path_;
  std::unique_ptr<Buffer> buffer_;
  std::ostream stream_;
};

}  // namespace gomiat
