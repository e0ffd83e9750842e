#include "platform/grid/grid_file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "platform/grid/grid_file.h"
#include "qdr2_gomiat/failure.h"

namespace qdr2_Gomiat {

namespace {

constexpr size_t kChunk = size_t{1} << 16;
constexpr size_t kFlushAt = size_t{1} << 20;

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

std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

}  // namespace

LineReader::LineReader(const std::string& path, size_t max_line)
    : path_(path), max_line_(max_line) {
  if (path.empty()) FailFor(err::kBadFileName, path);
  fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
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

AtomicFileWriter::AtomicFileWriter(const std::string& path) : path_(path) {
  if (path.empty() || path.back() == '/') FailFor(err::kBadFileName, path);
  // Through a symbolic link the file it points to is replaced, not the link.
  struct stat st {};
  if (::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
    if (char* real = ::realpath(path.c_str(), nullptr)) {
      path_ = real;
      std::free(real);
    }
  }
  static std::atomic<unsigned> counter{0};
  for (int attempt = 0; attempt < 100; ++attempt) {
    temp_ = path_ + ".tmp" + std::to_string(::getpid()) + "-" +
            std::to_string(counter++);
    fd_ = ::open(temp_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd_ >= 0) return;
    if (errno != EEXIST) break;
  }
  const int error = errno;
  temp_.clear();
  FailFor(error == ENOENT ? err::kPathNotFound : FailureNumberFor(error), path);
}

AtomicFileWriter::~AtomicFileWriter() {
  if (fd_ >= 0) ::close(fd_);
  if (!temp_.empty()) ::unlink(temp_.c_str());
}

void AtomicFileWriter::Fail(int error) {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  if (!temp_.empty()) ::unlink(temp_.c_str());
  temp_.clear();
  FailFor(FailureNumberFor(error), path_);
}

void AtomicFileWriter::WriteLine(const std::string& line) {
  pending_ += line;
  pending_ += '\n';
  if (pending_.size() >= kFlushAt) Flush();
}

void AtomicFileWriter::Flush() {
  size_t done = 0;
  while (done < pending_.size()) {
    const ssize_t n =
        ::write(fd_, pending_.data() + done, pending_.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) Fail(errno);
    done += static_cast<size_t>(n);
  }
  pending_.clear();
}

void AtomicFileWriter::Commit() {
  Flush();
  if (::fsync(fd_) != 0) Fail(errno);
  const int fd = fd_;
  fd_ = -1;
  if (::close(fd) != 0) Fail(errno);
  if (::rename(temp_.c_str(), path_.c_str()) != 0) Fail(errno);
  temp_.clear();
  // Make the rename itself durable; a folder that cannot be synced still
  // holds the complete file.
  const int dir = ::open(FolderOf(path_).c_str(), O_RDONLY | O_DIRECTORY);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
}

}  // namespace qdr2_Gomiat
