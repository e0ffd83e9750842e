#include "platform/grid/grid_file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/grid/grid_file.h"
#include "qdr2_gomiat/failure.h"

namespace qdr2_Gomiat {

namespace {

constexpr size_t kChunk = size_t{1} << 16;

int32_t FailureNumberFor(int error) {
  switch (error) {
    case ENOENT:
      return err::kFileNotFound;
    case ENOTDIR:
      return err::kPathNotFound;
    case EACCES:
    case EPERM:
    case EROFS:
      return err::kPermissionDenied;
    case ENOSPC:
    case EDQUOT:
      return err::kDiskFull;
    case EISDIR:
      return err::kPathAccess;
    case ENAMETOOLONG:
      return err::kBadFileName;
    default:
      return err::kIoError;
  }
}

[[noreturn]] void FailFor(int number, const std::string& path) {
  throw Failure(number, RuntimeDescription(number) + ": " + path);
}

// The temporary file goes beside the target: when it cannot be made for
// want of a folder, the folder is what is missing.
Failure GridWriteFailure(int error, const std::string& path) {
  const int32_t number =
      error == ENOENT ? err::kPathNotFound : FailureNumberFor(error);
  return Failure(number, RuntimeDescription(number) + ": " + path);
}

}  // namespace

LineReader::LineReader(const std::string& path, size_t max_line)
    : path_(path), max_line_(max_line) {
  if (path.empty()) FailFor(err::kBadFileName, path);
  // Non-blocking so a named pipe is refused below instead of waiting for a
  // writer; regular files read the same either way.
  fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd_ < 0) FailFor(FailureNumberFor(errno), path);
  struct stat st {};
  if (::fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd_);
    fd_ = -1;
    FailFor(err::kPathAccess, path);
  }
  buffer_.resize(kChunk);
}

LineReader::~LineReader() {
  if (fd_ >= 0) ::close(fd_);
}

bool LineReader::Fill() {
  if (eof_) return false;
  for (;;) {
    const ssize_t n = ::read(fd_, buffer_.data(), buffer_.size());
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) FailFor(err::kIoError, path_);
    pos_ = 0;
    end_ = static_cast<size_t>(n);
    if (n == 0) eof_ = true;
    return n > 0;
  }
}

bool LineReader::Next(std::string& line) {
  line.clear();
  bool any = false;
  for (;;) {
    if (pos_ == end_ && !Fill()) break;
    any = true;
    const char* start = buffer_.data() + pos_;
    const void* lf = std::memchr(start, '\n', end_ - pos_);
    const size_t take =
        lf ? static_cast<size_t>(static_cast<const char*>(lf) - start)
           : end_ - pos_;
    if (line.size() + take > max_line_)
      throw Failure(kBadGridFile, "Archivo de tabla dañado (" + path_ +
                                      ", línea " +
                                      std::to_string(line_number_ + 1) +
                                      "): línea demasiado larga");
    line.append(start, take);
    pos_ += take;
    if (lf) {
      ++pos_;
      break;
    }
  }
  if (!any) return false;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  ++line_number_;
  return true;
}

AtomicFileWriter GridFileWriter(const std::string& path) {
  if (path.empty() || path.back() == '/') FailFor(err::kBadFileName, path);
  return AtomicFileWriter(path, GridWriteFailure);
}

}  // namespace qdr2_Gomiat
