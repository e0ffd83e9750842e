// Whole-file reading and replacing. A replaced file is written beside the
// old one and renamed over it, so a reader never sees half a file and a
// failed write leaves the old contents in place. The new file is unnamed
// (O_TMPFILE) until it is complete, so a killed writer leaves nothing; where
// the file system cannot do that it is a named ".NAME.tmpPID_N", and the
// ones of writers that are gone are removed by the next writer of NAME.
#pragma once

#include <string>
#include <string_view>

#include "qdr2_gomiat/failure.h"

namespace qdr2_Gomiat {

// The file's bytes. Failure 53 when it does not exist, 70 when it may not
// be read, 75 when the path is not a readable file, 57 on a read error.
std::string ReadFileBytes(const std::string& path);

// Whether a regular file (or a link to one) is at `path`: false when nothing
// is there. Anything else there (a link that leads nowhere or in a loop, a
// folder, a named pipe, a device) is Failure 75 naming it, so a caller
// neither replaces it nor waits on it.
bool RegularFileThere(const std::string& path);

// An advisory lock (flock) on ".NAME.lock" beside the file NAME, held while
// the object lives, so the processes that all take it do their
// read-change-write of NAME one after another. It waits at most `wait_ms`,
// then fails with 70 (permission denied, as for a file in use). Where the
// lock file cannot be made (a read-only folder) there is no lock: nobody
// can replace NAME there either.
class FileLock {
 public:
  explicit FileLock(const std::string& path, int wait_ms = 10000);
  ~FileLock();
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;

 private:
  int fd_ = -1;
};

// The failure for an errno value met while working on `path`: 61 disk
// full, 70 permission denied, 75 path error, 57 other input/output errors.
Failure FileFailure(int errno_value, const std::string& path);

// How a failed system call becomes the Failure thrown, for callers whose
// files report other numbers or texts than FileFailure's.
using FileFailureMaker = Failure (*)(int errno_value, const std::string& path);

// Writes a temporary file in the target's folder and renames it over the
// target on Commit, so the target is either the old file or the complete
// new one. A symbolic link is followed, so the file it points to is the one
// replaced; a replaced file keeps its permissions. File and folder are
// flushed to disk. On any failure, and when dropped without Commit, the
// temporary file is removed and the target is untouched. Failures are made
// by `failure` from errno and the target's path; an empty path is 52.
class AtomicFileWriter {
 public:
  explicit AtomicFileWriter(const std::string& path,
                            FileFailureMaker failure = FileFailure);
  ~AtomicFileWriter();
  AtomicFileWriter(const AtomicFileWriter&) = delete;
  AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

  // Buffered; a failure may surface here or at Commit.
  void Write(std::string_view bytes);
  void Commit();

 private:
  void WriteOut(std::string_view bytes);
  void WriteBehind();
  [[noreturn]] void Fail(int errno_value);

  FileFailureMaker failure_;
  std::string target_;
  std::string temp_;  // named temporary file, if any
  bool anonymous_ = false;
  int fd_ = -1;
  std::string pending_;
  long long written_ = 0;     // bytes in the file so far
  long long handed_ = 0;      // of them, sent on to the disk
  bool write_behind_ = true;  // until the file system refuses it
};

// False makes writers use named temporary files only, as on a file system
// without unnamed ones (for tests of that way).
void AllowUnnamedTemporaryFiles(bool allowed);

// Replaces (or creates) the file with `bytes` through an AtomicFileWriter,
// with FileFailure's numbers.
void WriteFileAtomically(const std::string& path, std::string_view bytes);

}  // namespace qdr2_Gomiat
