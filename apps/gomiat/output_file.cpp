#include "output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <future>
#include <stdexcept>
#include <streambuf>
#include <vector>

#include "frame/atomic_file.h"
#include "qdr2_gomiat/failure.h"

namespace gomiat {

namespace {

namespace q = qdr2_Gomiat;

std::runtime_error Error(const std::string& path, const std::string& what) {
  return std::runtime_error(path + ": " + what);
}

// The program's own words for a failed system call; the path is added by
// OutputFile, as the user gave it.
q::Failure ReasonOf(int errno_value, const std::string& path) {
  const int32_t number = q::FileFailure(errno_value, path).number();
  return q::Failure(number, number == q::err::kDiskFull
                                ? "writing failed (disk full?)"
                                : std::strerror(errno_value));
}

sigset_t Interrupts() {
  sigset_t s;
  sigemptyset(&s);
  for (int sig : {SIGINT, SIGTERM, SIGHUP}) sigaddset(&s, sig);
  return s;
}

// What kind of thing is at the path (following links); 0 when nothing.
mode_t KindAt(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 ? (st.st_mode & S_IFMT) : 0;
}

// A device or a named pipe, written as the bytes come.
class DirectWriter {
 public:
  explicit DirectWriter(const std::string& path) {
    // Not blocking: a pipe that nobody reads is refused, not waited on.
    fd_ = ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd_ < 0 && errno == ENXIO)
      throw Error(path, "a named pipe that nobody reads");
    if (fd_ < 0) throw Error(path, std::strerror(errno));
    const int flags = ::fcntl(fd_, F_GETFL);
    if (flags >= 0) ::fcntl(fd_, F_SETFL, flags & ~O_NONBLOCK);
  }
  ~DirectWriter() {
    if (fd_ >= 0) ::close(fd_);
  }
  DirectWriter(const DirectWriter&) = delete;
  DirectWriter& operator=(const DirectWriter&) = delete;

  // Throws q::Failure.
  void Write(std::string_view bytes) {
    while (!bytes.empty()) {
      const ssize_t n = ::write(fd_, bytes.data(), bytes.size());
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) throw ReasonOf(n < 0 ? errno : EIO, "");
      bytes.remove_prefix(static_cast<size_t>(n));
    }
  }

 private:
  int fd_ = -1;
};

}  // namespace

// Gathers the stream's bytes and hands them to the writer in blocks, on a
// second thread, so the system's copying of a large drawing overlaps the
// making of the next block. A failure ends the stream (it goes bad) and is
// kept for Commit to report.
class OutputFile::Buffer : public std::streambuf {
 public:
  explicit Buffer(const std::string& path)
      : space_(size_t{1} << 20), spare_(space_.size()) {
    const mode_t kind = KindAt(path);
    if (kind == S_IFCHR || kind == S_IFBLK || kind == S_IFIFO)
      direct_ = std::make_unique<DirectWriter>(path);
    else
      atomic_ = std::make_unique<q::AtomicFileWriter>(path, ReasonOf);
    setp(space_.data(), space_.data() + space_.size());
  }
  ~Buffer() override { Wait(); }

  // The failure that ended the stream, "" while there is none.
  const std::string& Failed() {
    Wait();
    return failure_;
  }
  void Commit() {
    Wait();
    if (atomic_) atomic_->Commit();
  }
  bool Direct() const { return direct_ != nullptr; }

 protected:
  int_type overflow(int_type c) override {
    if (!Drain()) return traits_type::eof();
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
      *pptr() = traits_type::to_char_type(c);
      pbump(1);
    }
    return traits_type::not_eof(c);
  }
  std::streamsize xsputn(const char* s, std::streamsize n) override {
    std::streamsize done = 0;
    while (done < n) {
      if (pptr() == epptr() && !Drain()) return done;
      const auto room = static_cast<std::streamsize>(epptr() - pptr());
      const std::streamsize k = std::min(room, n - done);
      std::memcpy(pptr(), s + done, static_cast<size_t>(k));
      pbump(static_cast<int>(k));
      done += k;
    }
    return n;
  }
  int sync() override {
    const bool ok = Drain();
    Wait();
    return ok && failure_.empty() ? 0 : -1;
  }

 private:
  // Hands the full block to the writing thread and takes the spare one.
  bool Drain() {
    Wait();
    if (!failure_.empty()) return false;
    if (InterruptGuard::Pending()) {
      failure_ = "interrupted";
      return false;
    }
    const size_t used = static_cast<size_t>(pptr() - pbase());
    space_.swap(spare_);
    setp(space_.data(), space_.data() + space_.size());
    if (used == 0) return true;
    pending_ = std::async(std::launch::async, [this, used] {
      const std::string_view bytes(spare_.data(), used);
      if (direct_)
        direct_->Write(bytes);
      else
        atomic_->Write(bytes);
    });
    return true;
  }
  // Waits for the block being written; keeps its failure.
  void Wait() {
    if (!pending_.valid()) return;
    try {
      pending_.get();
    } catch (const q::Failure& f) {
      if (failure_.empty()) failure_ = f.description();
    } catch (const std::exception& e) {
      if (failure_.empty()) failure_ = e.what();
    }
  }

  std::unique_ptr<q::AtomicFileWriter> atomic_;
  std::unique_ptr<DirectWriter> direct_;
  std::vector<char> space_, spare_;
  std::future<void> pending_;
  std::string failure_;
};

void OutputFile::Check(const std::string& path) {
  namespace fs = std::filesystem;
  std::error_code ec;
  const mode_t kind = KindAt(path);
  if (kind == S_IFDIR) throw Error(path, "is a folder, not a file name");
  if (kind == S_IFSOCK)
    throw Error(path, "is a socket; give a file, a device or a named pipe");
  if (kind == S_IFCHR || kind == S_IFBLK || kind == S_IFIFO) return;
  fs::path dir = fs::path(path).parent_path();
  if (dir.empty()) dir = ".";
  if (!fs::is_directory(dir, ec))
    throw Error(path, "the folder " + dir.string() + " does not exist");
}

OutputFile::OutputFile(std::string path)
    : path_(std::move(path)), stream_(nullptr) {
  Check(path_);
  try {
    buffer_ = std::make_unique<Buffer>(path_);
  } catch (const q::Failure& f) {
    throw Error(path_, f.description());
  }
  stream_.rdbuf(buffer_.get());
}

OutputFile::~OutputFile() = default;

bool OutputFile::Direct() const { return buffer_->Direct(); }

void OutputFile::Commit() {
  stream_.flush();
  if (!buffer_->Failed().empty()) throw Error(path_, buffer_->Failed());
  // A stream that went bad otherwise did not hand over all it was given.
  if (!stream_) throw Error(path_, "writing failed (disk full?)");
  if (InterruptGuard::Pending()) throw Error(path_, "interrupted");
  try {
    buffer_->Commit();
  } catch (const q::Failure& f) {
    throw Error(path_, f.description());
  }
}

InterruptGuard::InterruptGuard() {
  const sigset_t s = Interrupts();
  ::pthread_sigmask(SIG_BLOCK, &s, &previous_);
}

InterruptGuard::~InterruptGuard() {
  ::pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
}

bool InterruptGuard::Pending() {
  sigset_t pending;
  if (::sigpending(&pending) != 0) return false;
  for (int sig : {SIGINT, SIGTERM, SIGHUP}) {
    struct sigaction action {};
    // An ignored signal (nohup) is held too, but would not end the program.
    if (sigismember(&pending, sig) == 1 &&
        ::sigaction(sig, nullptr, &action) == 0 && action.sa_handler != SIG_IGN)
      return true;
  }
  return false;
}

}  // namespace gomiat
