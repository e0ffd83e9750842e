#include "frame/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <filesystem>

namespace qdr2_Gomiat {

namespace {

namespace fs = std::filesystem;

// Small writes are gathered up to this size before they go to the file.
constexpr size_t kFlushAt = size_t{1} << 20;

int32_t NumberOfErrno(int e) {
  switch (e) {
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
      return err::kDiskFull;
    case EACCES:
    case EPERM:
    case EROFS:
    case ETXTBSY:
      return err::kPermissionDenied;
    case ENOENT:
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
    case EISDIR:
    case EXDEV:
    case EINVAL:
    case EBUSY:
    case ENXIO:
      return err::kPathAccess;
    default:
      return err::kIoError;
  }
}

// Closes a descriptor when the reading ends, however it ends.
class ReadDescriptor {
 public:
  explicit ReadDescriptor(int fd) : fd_(fd) {}
  ~ReadDescriptor() { ::close(fd_); }
  ReadDescriptor(const ReadDescriptor&) = delete;
  ReadDescriptor& operator=(const ReadDescriptor&) = delete;

 private:
  int fd_;
};

std::string TempName(const fs::path& target) {
  static std::atomic<unsigned> counter{0};
  const unsigned n = counter.fetch_add(1);
  return (target.parent_path() /
          ("." + target.filename().string() + ".tmp" +
           std::to_string(::getpid()) + "_" + std::to_string(n)))
      .string();
}

// The file a path names, following symbolic links when they lead somewhere.
fs::path ResolveTarget(const std::string& path) {
  std::error_code ec;
  fs::path p = fs::canonical(path, ec);
  if (ec) p = fs::absolute(path, ec);
  if (ec) p = path;
  return p;
}

}  // namespace

Failure FileFailure(int errno_value, const std::string& path) {
  const int32_t n = NumberOfErrno(errno_value);
  return Failure(n, RuntimeDescription(n) + " (" + path + ")");
}

std::string ReadFileBytes(const std::string& path) {
  if (path.empty()) throw Failure(err::kBadFileName);
  // Non-blocking open so a named pipe cannot hang the caller.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) {
    if (errno == ENOENT)
      throw Failure(err::kFileNotFound,
                    RuntimeDescription(err::kFileNotFound) + " (" + path + ")");
    throw FileFailure(errno, path);
  }
  const ReadDescriptor guard(fd);
  struct stat st {};
  if (::fstat(fd, &st) != 0) throw FileFailure(errno, path);
  if (!S_ISREG(st.st_mode)) throw FileFailure(EISDIR, path);
  std::string out;
  out.reserve(static_cast<size_t>(st.st_size));
  char buf[65536];
  for (;;) {
    const ssize_t r = ::read(fd, buf, sizeof buf);
    if (r < 0) {
      if (errno == EINTR) continue;
      throw FileFailure(errno, path);
    }
    if (r == 0) break;
    out.append(buf, static_cast<size_t>(r));
  }
  return out;
}

AtomicFileWriter::AtomicFileWriter(const std::string& path,
                                   FileFailureMaker failure)
    : failure_(failure) {
  if (path.empty()) throw Failure(err::kBadFileName);
  const fs::path target = ResolveTarget(path);
  target_ = target.string();
  for (int attempt = 0; fd_ < 0; ++attempt) {
    std::string name = TempName(target);
    // 0666 less the user's umask, as any new file of the user gets.
    const int fd =
        ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) {
      fd_ = fd;
      temp_ = std::move(name);
    } else if (errno != EEXIST || attempt > 100) {
      throw failure_(errno, target_);
    }
  }
  // A replaced file keeps its permissions.
  struct stat old {};
  if (::stat(target_.c_str(), &old) == 0 && S_ISREG(old.st_mode))
    (void)::fchmod(fd_, old.st_mode & 07777);
}

AtomicFileWriter::~AtomicFileWriter() {
  if (fd_ >= 0) ::close(fd_);
  if (!temp_.empty()) ::unlink(temp_.c_str());
}

void AtomicFileWriter::Fail(int errno_value) {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  if (!temp_.empty()) ::unlink(temp_.c_str());
  temp_.clear();
  pending_.clear();
  throw failure_(errno_value, target_);
}

void AtomicFileWriter::WriteOut(std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t w = ::write(fd_, bytes.data(), bytes.size());
    if (w < 0) {
      if (errno == EINTR) continue;
      Fail(errno);
    }
    if (w == 0) Fail(ENOSPC);
    bytes.remove_prefix(static_cast<size_t>(w));
  }
}

void AtomicFileWriter::Write(std::string_view bytes) {
  // Failed or committed: nothing more goes to the file.
  if (fd_ < 0) Fail(EBADF);
  if (pending_.empty() && bytes.size() >= kFlushAt) {
    WriteOut(bytes);
    return;
  }
  pending_.append(bytes);
  if (pending_.size() >= kFlushAt) {
    WriteOut(pending_);
    pending_.clear();
  }
}

void AtomicFileWriter::Commit() {
  if (fd_ < 0) Fail(EBADF);
  WriteOut(pending_);
  pending_ = std::string();
  if (::fsync(fd_) != 0) Fail(errno);
  const int fd = fd_;
  fd_ = -1;
  if (::close(fd) != 0) Fail(errno);
  if (::rename(temp_.c_str(), target_.c_str()) != 0) Fail(errno);
  temp_.clear();  // it is the file now

  // Make the rename itself durable; a folder that refuses is no failure.
  const fs::path folder = fs::path(target_).parent_path();
  const std::string dir = folder.empty() ? std::string(".") : folder.string();
  const int dfd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dfd >= 0) {
    (void)::fsync(dfd);
    ::close(dfd);
  }
}

void WriteFileAtomically(const std::string& path, std::string_view bytes) {
  AtomicFileWriter out(path);
  out.Write(bytes);
  out.Commit();
}

}  // namespace qdr2_Gomiat
