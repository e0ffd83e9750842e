#include "output_file.h"

#include <cstring>
#include <filesystem>
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

}  // namespace

// Gathers the stream's bytes and hands them to the writer in blocks. A
// failure ends the stream (it goes bad) and is kept for Commit to report.
class OutputFile::Buffer : public std::streambuf {
 public:
  explicit Buffer(const std::string& path)
      : writer_(path, ReasonOf), space_(size_t{1} << 16) {
    setp(space_.data(), space_.data() + space_.size());
  }

  // The failure that ended the stream, "" while there is none.
  const std::string& Failed() const { return failure_; }
  void Commit() { writer_.Commit(); }

 protected:
  int_type overflow(int_type c) override {
    if (!Drain()) return traits_type::eof();
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
      *pptr() = traits_type::to_char_type(c);
      pbump(1);
    }
    return traits_type::not_eof(c);
  }
  int sync() override { return Drain() ? 0 : -1; }

 private:
  bool Drain() {
    if (!failure_.empty()) return false;
    try {
      writer_.Write(std::string_view(pbase(), pptr() - pbase()));
    } catch (const q::Failure& f) {
      failure_ = f.description();
      return false;
    }
    setp(space_.data(), space_.data() + space_.size());
    return true;
  }

  q::AtomicFileWriter writer_;
  std::vector<char> space_;
  std::string failure_;
};

OutputFile::OutputFile(std::string path)
    : path_(std::move(path)), stream_(nullptr) {
  namespace fs = std::filesystem;
  std::error_code ec;
  if (fs::is_directory(path_, ec))
    throw Error(path_, "is a folder, not a file name");
  fs::path dir = fs::path(path_).parent_path();
  if (dir.empty()) dir = ".";
  if (!fs::is_directory(dir, ec))
    throw Error(path_, "the folder " + dir.string() + " does not exist");
  try {
    buffer_ = std::make_unique<Buffer>(path_);
  } catch (const q::Failure& f) {
    throw Error(path_, f.description());
  }
  stream_.rdbuf(buffer_.get());
}

OutputFile::~OutputFile() = default;

void OutputFile::Commit() {
  stream_.flush();
  if (!buffer_->Failed().empty()) throw Error(path_, buffer_->Failed());
  // A stream that went bad otherwise did not hand over all it was given.
  if (!stream_) throw Error(path_, "writing failed (disk full?)");
  try {
    buffer_->Commit();
  } catch (const q::Failure& f) {
    throw Error(path_, f.description());
  }
}

}  // namespace gomiat
