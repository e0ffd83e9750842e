// An output file that appears only when it is complete: a stream over the
// component's atomic file writer, which writes a temporary file beside the
// final place and renames it over it on Commit. Dropped without Commit, the
// temporary file is removed and whatever was at the final place stays as it
// was.
//
// What is not a regular file is never replaced: a device (/dev/null) or a
// named pipe is written to directly, as it comes; a socket is refused.
#pragma once

#include <signal.h>

#include <memory>
#include <ostream>
#include <string>

namespace gomiat {

class OutputFile {
 public:
  // Throws std::runtime_error naming the path when the folder does not
  // exist or cannot be written, when it is a folder or a socket, or a named
  // pipe that nobody reads.
  explicit OutputFile(std::string path);
  ~OutputFile();
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  // The same checks without opening anything, for a run to fail before its
  // long part rather than after it.
  static void Check(const std::string& path);

  std::ostream& Stream() { return stream_; }
  // Flushes to disk and renames. Throws std::runtime_error naming the path.
  void Commit();
  const std::string& Path() const { return path_; }
  // Written straight to a device or a pipe.
  bool Direct() const;

 private:
  class Buffer;  // the stream's bytes on their way to the writer

  std::string path_;
  std::unique_ptr<Buffer> buffer_;
  std::ostream stream_;
};

// While one is alive, SIGINT, SIGTERM and SIGHUP are held back: output
// files notice one that arrived, fail with "interrupted" and remove their
// temporary file as they are dropped; when the guard goes, the held signal
// ends the program as it would have.
class InterruptGuard {
 public:
  InterruptGuard();
  ~InterruptGuard();
  InterruptGuard(const InterruptGuard&) = delete;
  InterruptGuard& operator=(const InterruptGuard&) = delete;
  // Whether one of the signals is waiting.
  static bool Pending();

 private:
  sigset_t previous_;
};

}  // namespace gomiat
