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

// Closes a descriptor and removes a temporary file unless told otherwise.
class TempFile {
 public:
  ~TempFile() {
    if (fd_ >= 0) ::close(fd_);
    if (!path_.empty()) ::unlink(path_.c_str());
  }
  int fd_ = -1;
  std::string path_;
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

void WriteAll(int fd, std::string_view bytes, const std::string& path) {
  while (!bytes.empty()) {
    const ssize_t w = ::write(fd, bytes.data(), bytes.size());
    if (w < 0) {
      if (errno == EINTR) continue;
      throw FileFailure(errno, path);
    }
    if (w == 0) throw FileFailure(ENOSPC, path);
    bytes.remove_prefix(static_cast<size_t>(w));
  }
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
  TempFile guard;  // only to close the descriptor
  guard.fd_ = fd;
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

void WriteFileAtomically(const std::string& path, std::string_view bytes) {
  if (path.empty()) throw Failure(err::kBadFileName);
  const fs::path target = ResolveTarget(path);
  const std::string target_name = target.string();

  TempFile temp;
  for (int attempt = 0; temp.fd_ < 0; ++attempt) {
    const std::string name = TempName(target);
    // 0666 less the user's umask, as any new file of the user gets.
    const int fd =
        ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) {
      temp.fd_ = fd;
      temp.path_ = name;
    } else if (errno != EEXIST || attempt > 100) {
      throw FileFailure(errno, target_name);
    }
  }
  // A replaced file keeps its permissions.
  struct stat old {};
  if (::stat(target_name.c_str(), &old) == 0 && S_ISREG(old.st_mode))
    (void)::fchmod(temp.fd_, old.st_mode & 07777);

  WriteAll(temp.fd_, bytes, target_name);
  if (::fsync(temp.fd_) != 0) throw FileFailure(errno, target_name);
  const int fd = temp.fd_;
  temp.fd_ = -1;
  if (::close(fd) != 0) throw FileFailure(errno, target_name);
  if (::rename(temp.path_.c_str(), target_name.c_str()) != 0)
    throw FileFailure(errno, target_name);
  temp.path_.clear();  // it is the file now

  // Make the rename itself durable; a folder that refuses is no failure.
  const std::string dir = target.parent_path().empty()
                              ? std::string(".")
                              : target.parent_path().string();
  const int dfd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dfd >= 0) {
    (void)::fsync(dfd);
    ::close(dfd);
  }
}

}  // namespace qdr2_Gomiat
