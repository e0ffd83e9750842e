// The small services: sort, file existence and the clock.
#include <sys/stat.h>

#include <algorithm>
#include <ctime>

#include "platform/platform.h"

namespace qdr2_Gomiat {

namespace {

// Byte order of the UTF-8 texts (code point order), ascending; equal texts
// keep their relative order. Positions outside first..last are left alone.
class ByteOrderSort final : public SortService {
 public:
  void Sort(Array<std::string>& items, int32_t first, int32_t last) override {
    if (last <= first) return;
    (void)items(first);  // both ends must be inside the array
    (void)items(last);
    auto& v = items.storage();
    const auto base = v.begin() + (first - items.LBound());
    std::stable_sort(base, base + (last - first + 1));
  }
};

class LocalFiles final : public FileService {
 public:
  bool Exists(const std::string& path) override {
    struct stat st {};
    return !path.empty() && ::stat(path.c_str(), &st) == 0 &&
           S_ISREG(st.st_mode);
  }
};

class SystemClock final : public Clock {
 public:
  std::tm Now() override {
    const std::time_t t = std::time(nullptr);
    std::tm out{};
    localtime_r(&t, &out);
    return out;
  }
};

}  // namespace

std::unique_ptr<SortService> MakeSortService() {
  return std::make_unique<ByteOrderSort>();
}
std::unique_ptr<FileService> MakeFileService() {
  return std::make_unique<LocalFiles>();
}
std::unique_ptr<Clock> MakeSystemClock() {
  return std::make_unique<SystemClock>();
}

}  // namespace qdr2_Gomiat
