#include "output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <stdexcept>
#include <vector>

namespace gomiat {

namespace {
std::runtime_error Error(const std::string& path, const std::string& what) {
  return std::runtime_error(path + ": " + what);
}
}  // namespace

OutputFile::OutputFile(std::string path) : path_(std::move(path)) {
  namespace fs = std::filesystem;
  std::error_code ec;
  if (fs::is_directory(path_, ec))
    throw Error(path_, "is a folder, not a file name");
  fs::path dir = fs::path(path_).parent_path();
  if (dir.empty()) dir = ".";
  if (!fs::is_directory(dir, ec))
    throw Error(path_, "the folder " + dir.string() + " does not exist");
  // mkstemp gives a name nobody else uses; the stream then writes to it.
  std::string pattern =
      (dir / ("." + fs::path(path_).filename().string() + ".XXXXXX")).string();
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  const int fd = mkstemp(name.data());
  if (fd < 0) throw Error(path_, std::strerror(errno));
  // Files we make should have the usual permissions, not mkstemp's 0600.
  const mode_t mask = umask(0);
  umask(mask);
  fchmod(fd, 0666 & ~mask);
  close(fd);
  temp_.assign(name.data());
  stream_.open(temp_, std::ios::binary | std::ios::trunc);
  if (!stream_) {
    std::remove(temp_.c_str());
    throw Error(path_, "cannot be written");
  }
}

OutputFile::~OutputFile() {
  if (committed_) return;
  stream_.close();
  std::remove(temp_.c_str());
}

void OutputFile::Commit() {
  stream_.flush();
  const bool ok = static_cast<bool>(stream_);
  stream_.close();
  if (!ok || stream_.fail()) throw Error(path_, "writing failed (disk full?)");
  // Flush to disk before the rename, so a crash leaves old or new, not half.
  const int fd = open(temp_.c_str(), O_RDONLY);
  if (fd >= 0) {
    fsync(fd);
    close(fd);
  }
  if (std::rename(temp_.c_str(), path_.c_str()) != 0)
    throw Error(path_, std::strerror(errno));
  committed_ = true;
}

}  // namespace gomiat
