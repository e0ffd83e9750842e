#include "frame/atomic_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <charconv>
#include <filesystem>

namespace qdr2_Gomiat {

namespace {

namespace fs = std::filesystem;

// Small writes are gathered up to this size before they go to the file.
constexpr size_t kFlushAt = size_t{1} << 20;

// A large file goes to the disk while it is being written, this much at a
// time, and the part already there leaves the page cache: the flush at the
// end finds little left to do, and a file of hundreds of megabytes neither
// pushes other files out of memory nor makes the system find fresh pages
// for all of it (on a virtual machine the slowest part of such a write).
constexpr long long kWriteBehind = 8LL << 20;

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

std::atomic<bool> anonymous_allowed{true};

// ".NAME.tmp": temporary files of NAME start so, then the writer's process
// number, "_" and a counter.
std::string TempPrefix(const fs::path& target) {
  return "." + target.filename().string() + ".tmp";
}

std::string TempName(const fs::path& target) {
  static std::atomic<unsigned> counter{0};
  const unsigned n = counter.fetch_add(1);
  return (target.parent_path() /
          (TempPrefix(target) + std::to_string(::getpid()) + "_" +
           std::to_string(n)))
      .string();
}

std::string FolderOf(const fs::path& target) {
  const fs::path folder = target.parent_path();
  return folder.empty() ? std::string(".") : folder.string();
}

// Removes the named temporary files of `target` whose writer process is
// gone (killed before it could remove them). A live process of that number
// keeps its file, even when the number was reused: nothing is removed that
// may still be written.
void RemoveStaleTemporaries(const fs::path& target) {
  const std::string prefix = TempPrefix(target);
  const std::string folder = FolderOf(target);
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) return;
  while (const dirent* e = ::readdir(dir)) {
    const std::string_view name = e->d_name;
    if (!name.starts_with(prefix)) continue;
    const std::string_view rest = name.substr(prefix.size());
    long pid = 0;
    const auto r = std::from_chars(rest.data(), rest.data() + rest.size(), pid);
    if (r.ec != std::errc() || pid <= 0 || r.ptr == rest.data() + rest.size() ||
        *r.ptr != '_')
      continue;
    if (pid == ::getpid()) continue;
    if (::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH) continue;
    (void)::unlinkat(::dirfd(dir), e->d_name, 0);
  }
  ::closedir(dir);
}

// Gives an unnamed file (O_TMPFILE) a name in its folder.
bool LinkUnnamed(int fd, const std::string& name) {
  const std::string proc = "/proc/self/fd/" + std::to_string(fd);
  if (::linkat(AT_FDCWD, proc.c_str(), AT_FDCWD, name.c_str(),
               AT_SYMLINK_FOLLOW) == 0)
    return true;
  return ::linkat(fd, "", AT_FDCWD, name.c_str(), AT_EMPTY_PATH) == 0;
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

bool RegularFileThere(const std::string& path) {
  struct stat st {};
  if (::lstat(path.c_str(), &st) != 0) {
    if (errno == ENOENT) return false;
    throw FileFailure(errno, path);
  }
  auto odd = [&](const char* what) {
    return Failure(err::kPathAccess, RuntimeDescription(err::kPathAccess) +
                                         " (" + path + ": " + what + ")");
  };
  if (S_ISLNK(st.st_mode) && ::stat(path.c_str(), &st) != 0)
    throw odd("es un enlace que no lleva a ningún archivo");
  if (S_ISDIR(st.st_mode)) throw odd("es una carpeta");
  if (!S_ISREG(st.st_mode)) throw odd("no es un archivo normal");
  return true;
}

FileLock::FileLock(const std::string& path, int wait_ms) {
  const fs::path target = ResolveTarget(path);
  const std::string name =
      (target.parent_path() / ("." + target.filename().string() + ".lock"))
          .string();
  fd_ = ::open(name.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0666);
  if (fd_ < 0) fd_ = ::open(name.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
  if (fd_ < 0) return;
  for (int waited = 0;; waited += 5) {
    if (::flock(fd_, LOCK_EX | LOCK_NB) == 0) return;
    const int e = errno;
    if (e == EINTR) continue;
    if (e != EWOULDBLOCK || waited >= wait_ms) {
      ::close(fd_);
      fd_ = -1;
      if (e != EWOULDBLOCK) return;  // a file system without locks
      throw Failure(err::kPermissionDenied,
                    RuntimeDescription(err::kPermissionDenied) + " (" + path +
                        ": otro programa lo está guardando)");
    }
    const timespec pause{0, 5'000'000};
    ::nanosleep(&pause, nullptr);
  }
}

FileLock::~FileLock() {
  if (fd_ >= 0) ::close(fd_);  // closing lets the lock go
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
  RemoveStaleTemporaries(target);
  // An unnamed file in the target's folder vanishes with its process, so a
  // kill cannot leave half a file behind; a named one where the file system
  // cannot make those.
  // Naming it at the end needs /proc (or the privilege to link by
  // descriptor); without either it would be written for nothing.
  if (anonymous_allowed &&
      (::access("/proc/self/fd", X_OK) == 0 || ::geteuid() == 0)) {
    fd_ = ::open(FolderOf(target).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC,
                 0666);
    anonymous_ = fd_ >= 0;
  }
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
    written_ += w;
  }
  if (written_ - handed_ >= kWriteBehind) WriteBehind();
}

void AtomicFileWriter::WriteBehind() {
  if (!write_behind_) return;
  for (; written_ - handed_ >= kWriteBehind; handed_ += kWriteBehind) {
    // Start this piece on its way; wait for the one before and let it go.
    int r =
        ::sync_file_range(fd_, handed_, kWriteBehind, SYNC_FILE_RANGE_WRITE);
    if (r == 0 && handed_ >= kWriteBehind) {
      r = ::sync_file_range(fd_, handed_ - kWriteBehind, kWriteBehind,
                            SYNC_FILE_RANGE_WAIT_BEFORE |
                                SYNC_FILE_RANGE_WRITE |
                                SYNC_FILE_RANGE_WAIT_AFTER);
      if (r == 0)
        (void)::posix_fadvise(fd_, handed_ - kWriteBehind, kWriteBehind,
                              POSIX_FADV_DONTNEED);
    }
    if (r != 0) {
      // A write error reported here is not reported again by fsync.
      if (errno == EIO || errno == ENOSPC || errno == EDQUOT) Fail(errno);
      write_behind_ = false;  // not for this file system: fsync does it all
      return;
    }
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
  if (anonymous_) {
    // Named only now, and renamed over the target at once.
    std::string name = TempName(target_);
    if (!LinkUnnamed(fd_, name)) Fail(errno);
    temp_ = std::move(name);
  }
  const int fd = fd_;
  fd_ = -1;
  if (::close(fd) != 0) Fail(errno);
  if (::rename(temp_.c_str(), target_.c_str()) != 0) Fail(errno);
  temp_.clear();  // it is the file now

  // Make the rename itself durable; a folder that refuses is no failure.
  const std::string dir = FolderOf(target_);
  const int dfd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dfd >= 0) {
    (void)::fsync(dfd);
    ::close(dfd);
  }
}

void AllowUnnamedTemporaryFiles(bool allowed) { anonymous_allowed = allowed; }

void WriteFileAtomically(const std::string& path, std::string_view bytes) {
  AtomicFileWriter out(path);
  out.Write(bytes);
  out.Commit();
}

}  // namespace qdr2_Gomiat
