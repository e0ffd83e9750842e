// Pieces the fuzz harnesses share: a property check that stops the run with
// a message, and one environment for the whole run over a temporary folder
// that goes away with the process.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <memory>
#include <string>

#include "frame/environment.h"
#include "platform/platform.h"
#include "qdr2_gomiat/failure.h"
#include "support/test_support.h"

namespace qdr2_Gomiat::fuzz {

// A text with its control and non-ASCII bytes as \xHH, for messages.
inline std::string Escaped(const std::string& text) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (char ch : text) {
    const auto c = static_cast<unsigned char>(ch);
    if (c >= 0x20 && c < 0x7F && c != '\\') {
      out += ch;
    } else {
      out += "\\x";
      out += kHex[c >> 4];
      out += kHex[c & 0x0F];
    }
  }
  return out;
}

// A broken property: libFuzzer keeps the input that got here.
[[noreturn]] inline void Broken(const char* what, const std::string& detail) {
  std::fprintf(stderr, "property broken: %s\n%s\n", what, detail.c_str());
  std::abort();
}

#define FUZZ_CHECK(cond, detail)                               \
  do {                                                         \
    if (!(cond)) ::qdr2_Gomiat::fuzz::Broken(#cond, (detail)); \
  } while (0)

// Runs `call`; true when it ends normally, false on a Failure. Any other
// exception is a broken property: nothing else may leave the component.
template <class Call>
bool Succeeds(Call&& call, int32_t* number = nullptr) {
  try {
    call();
    return true;
  } catch (const Failure& f) {
    if (number != nullptr) *number = f.number();
    return false;
  } catch (const std::exception& e) {
    Broken("only a Failure leaves the component", e.what());
  } catch (...) {
    Broken("only a Failure leaves the component", "unknown exception");
  }
}

// The services without a display, over a temporary component folder, in
// force for the whole run (the folder is removed at exit).
class RunEnvironment {
 public:
  RunEnvironment() : scope_(Services(), folder_.Path().string()) {}
  const test_support::TempFolder& Folder() const { return folder_; }

 private:
  static Environment::Factories Services() {
    Environment::Factories f;
    f.numbers = MakeNumberTextService;
    f.colours = MakeColourService;
    f.sort = MakeSortService;
    f.files = MakeFileService;
    f.grid = MakeGridModel;
    return f;
  }

  test_support::TempFolder folder_;
  test_support::ScopedEnvironment scope_;
};

// Made on first use; destroyed at exit before the component's globals,
// which were made earlier.
inline RunEnvironment& Run() {
  static RunEnvironment env;
  return env;
}

}  // namespace qdr2_Gomiat::fuzz
