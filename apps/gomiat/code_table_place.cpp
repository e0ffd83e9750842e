#include "code_table_place.h"

#include <stdlib.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <vector>

#include "frame/atomic_file.h"
#include "output_file.h"
#include "qdr2_gomiat/failure.h"

namespace gomiat {

namespace fs = std::filesystem;

namespace {

bool ReadAll(const std::string& path, std::string& bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream s;
  s << in.rdbuf();
  bytes = s.str();
  return !in.bad();
}

std::string MakeTempFolder() {
  const char* tmp = std::getenv("TMPDIR");
  std::string pattern =
      (fs::path(tmp && *tmp ? tmp : "/tmp") / "gomiat-codes-XXXXXX").string();
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  if (mkdtemp(name.data()) == nullptr)
    throw std::invalid_argument("cannot make a temporary folder: " +
                                std::string(std::strerror(errno)));
  return name.data();
}

}  // namespace

CodeTablePlace::CodeTablePlace(const std::optional<std::string>& codes_file,
                               const std::string& default_folder) {
  if (!codes_file) {
    folder_ = default_folder;
    return;
  }
  std::error_code ec;
  const fs::path file = fs::absolute(*codes_file, ec);
  if (ec) throw std::invalid_argument(*codes_file + ": not a code table file");
  // A folder, a pipe, a device or a link that leads nowhere is refused
  // before anything reads it (a pipe would hang the run) or replaces it.
  try {
    had_file_ = qdr2_Gomiat::RegularFileThere(file.string());
  } catch (const qdr2_Gomiat::Failure&) {
    throw std::invalid_argument(*codes_file + ": not a code table file");
  }
  const fs::path dir = file.parent_path();
  if (!fs::is_directory(dir, ec))
    throw std::invalid_argument(*codes_file + ": the folder " + dir.string() +
                                " does not exist");
  if (file.filename() == kCodeTableName) {
    folder_ = dir.string();
    return;
  }
  file_ = file.string();
  if (had_file_ && !ReadAll(file_, original_))
    throw std::invalid_argument(*codes_file + ": cannot be read");
  folder_ = MakeTempFolder();
  temporary_ = true;
  if (had_file_) {
    std::ofstream copy(fs::path(folder_) / kCodeTableName, std::ios::binary);
    copy << original_;
    copy.close();
    if (!copy) {
      fs::remove_all(folder_, ec);
      throw std::invalid_argument("cannot copy " + *codes_file +
                                  " to a temporary folder");
    }
  }
}

CodeTablePlace::~CodeTablePlace() {
  if (!temporary_ || keep_) return;
  std::error_code ec;
  fs::remove_all(folder_, ec);
}

void CodeTablePlace::Finish() {
  if (!temporary_) return;
  const std::string copy = (fs::path(folder_) / kCodeTableName).string();
  std::string now;
  std::error_code ec;
  if (!fs::exists(copy, ec)) return;  // the run never made one
  try {
    if (!ReadAll(copy, now)) throw std::runtime_error("cannot be read");
    if (had_file_ && now == original_) return;
    OutputFile out(file_);
    out.Stream() << now;
    out.Commit();
  } catch (const std::exception& e) {
    keep_ = true;
    throw std::runtime_error(std::string(e.what()) +
                             "; the code table of this run is kept in " + copy);
  }
}

}  // namespace gomiat
