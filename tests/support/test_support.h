// Small pieces many tests share. Header-only: the command-line program's
// tests build apart and use it too.
#pragma once

#include <stdlib.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "frame/environment.h"
#include "qdr2_gomiat/failure.h"
#include "qdr2_gomiat/types.h"

namespace qdr2_Gomiat::test_support {

// A folder of its own under the system's temporary folder, removed with
// everything in it at the end of the test.
class TempFolder {
 public:
  TempFolder() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "qdr2_gomiat_test_XXXXXX")
            .string();
    // Thrown, not noted: a test going on without its folder would write
    // beside the test program instead.
    if (mkdtemp(pattern.data()) == nullptr)
      throw std::runtime_error("no temporary folder " + pattern);
    path_ = pattern;
  }
  ~TempFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  // The path of `name` inside the folder; `name` may hold subfolders.
  std::string File(const std::string& name) const {
    return (path_ / name).string();
  }

 private:
  std::filesystem::path path_;
};

// The whole file as bytes; "" when it cannot be read.
inline std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// Replaces the file with `bytes`, as a plain write (no temporary file).
inline void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// How many entries a folder holds, so a test can see nothing stray is left.
inline size_t FilesIn(const std::filesystem::path& folder) {
  const std::filesystem::directory_iterator entries(folder);
  return static_cast<size_t>(std::distance(begin(entries), end(entries)));
}

// The lines of `bytes` as std::getline splits them: a "\r" before a line
// break stays with its line.
inline std::vector<std::string> LinesOf(const std::string& bytes) {
  std::istringstream in(bytes);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// The failure number a call ends with, or 0 when it does not fail.
template <class Call>
int32_t FailureOf(Call&& call) {
  try {
    call();
  } catch (const Failure& f) {
    return f.number();
  }
  return 0;
}

// The message of the exception of type `E` a call ends with, or "" when it
// does not throw.
template <class E, class Call>
std::string MessageOf(Call&& call) {
  try {
    call();
  } catch (const E& e) {
    return e.what();
  }
  return "";
}

// A local date and time as the clock gives it; `month` counts from 1.
inline std::tm DateTime(int year, int month, int day, int hour, int minute,
                        int second) {
  std::tm t{};
  t.tm_year = year - 1900;
  t.tm_mon = month - 1;
  t.tm_mday = day;
  t.tm_hour = hour;
  t.tm_min = minute;
  t.tm_sec = second;
  return t;
}

// The RGB value of a palette number in the environment in force.
inline int32_t PaletteValue(int16_t number) {
  return Environment::Current().Colours().ColorValue(number);
}

// The point numbers of a polyline the automatic sketch hands back, and of
// the first `nPolis` of them.
inline std::vector<int32_t> Vertices(const T_ConexAutocro& p) {
  std::vector<int32_t> v;
  for (int32_t i = 1; i <= p.nVer; ++i) v.push_back(p.ver(i));
  return v;
}
inline std::vector<std::vector<int32_t>> AllVertices(
    int32_t nPolis, const Array<T_ConexAutocro>& Polis) {
  std::vector<std::vector<int32_t>> all;
  for (int32_t p = 1; p <= nPolis; ++p) all.push_back(Vertices(Polis(p)));
  return all;
}

// Sets a variable of the process for one scope and restores it (or its
// absence) afterwards.
class ScopedEnvVar {
 public:
  // A null `value` clears the variable for the scope.
  ScopedEnvVar(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    if (value != nullptr)
      ::setenv(name, value, 1);
    else
      ::unsetenv(name);
  }
  ScopedEnvVar(const char* name, const std::string& value)
      : ScopedEnvVar(name, value.c_str()) {}
  ~ScopedEnvVar() {
    if (old_)
      ::setenv(name_.c_str(), old_->c_str(), 1);
    else
      ::unsetenv(name_.c_str());
  }
  ScopedEnvVar(const ScopedEnvVar&) = delete;
  ScopedEnvVar& operator=(const ScopedEnvVar&) = delete;

 private:
  std::string name_;
  std::optional<std::string> old_;
};

// Puts an environment made of `factories` in force for one scope and the
// previous one back afterwards.
class ScopedEnvironment {
 public:
  ScopedEnvironment(Environment::Factories factories,
                    const std::string& component_folder)
      : previous_(Environment::Install(std::make_shared<Environment>(
            std::move(factories), component_folder))) {}
  ~ScopedEnvironment() { Environment::Install(previous_); }
  ScopedEnvironment(const ScopedEnvironment&) = delete;
  ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

 private:
  std::shared_ptr<Environment> previous_;
};

}  // namespace qdr2_Gomiat::test_support
