// Failures: the one exception type that carries a runtime error number, its
// Spanish description and the module that raised it.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace qdr2_Gomiat {

// Error numbers as the host's runtime reports them.
namespace err {
inline constexpr int32_t kInvalidCall = 5;
inline constexpr int32_t kOverflow = 6;
inline constexpr int32_t kOutOfMemory = 7;
inline constexpr int32_t kSubscript = 9;
inline constexpr int32_t kDivisionByZero = 11;
inline constexpr int32_t kTypeMismatch = 13;
inline constexpr int32_t kOutOfStackSpace = 28;
inline constexpr int32_t kInternal = 51;
inline constexpr int32_t kBadFileName = 52;
inline constexpr int32_t kFileNotFound = 53;
inline constexpr int32_t kInputPastEnd = 62;
inline constexpr int32_t kDiskFull = 61;
inline constexpr int32_t kIoError = 57;
inline constexpr int32_t kPermissionDenied = 70;
inline constexpr int32_t kPathAccess = 75;
inline constexpr int32_t kPathNotFound = 76;
inline constexpr int32_t kObjectNotSet = 91;
inline constexpr int32_t kInvalidProperty = 380;
inline constexpr int32_t kCannotCreateObject = 429;
inline constexpr int32_t kNotSupported = 445;
}  // namespace err

// Source of failures raised inside the component.
inline constexpr const char* kComponentSource = "qdr2_Gomiat";

class Failure : public std::runtime_error {
 public:
  // Description defaults to the runtime's Spanish text for the number.
  explicit Failure(int32_t number);
  Failure(int32_t number, std::string description,
          std::string source = kComponentSource);

  int32_t number() const noexcept { return number_; }
  const std::string& description() const noexcept { return description_; }
  const std::string& source() const noexcept { return source_; }

 private:
  int32_t number_;
  std::string description_;
  std::string source_;
};

// The Spanish runtime text of an error number ("Error definido por la
// aplicación o el objeto" for numbers the runtime does not know).
std::string RuntimeDescription(int32_t number);

// Turns whatever is being handled (call inside a catch block) into a Failure,
// so nothing unexpected crosses the component's interface.
Failure CurrentFailure() noexcept;

}  // namespace qdr2_Gomiat
