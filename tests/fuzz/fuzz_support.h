// Pieces the fuzz harnesses share: a property check that stops the run with
// a message, and one environment for the whole run over a temporary folder
// that goes away with the process.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

#include "qdr2_gomiat/failure.h"
#include "qdr2_gomiat/testing.h"

namespace qdr2_Gomiat::fuzz {

// A text with its control and non-ASCII bytes as \xHH, for messages.
inline std::string Escaped(const std::string& text) {
  std::string out;
  for (const unsigned char c : text) {
    char hex[5];
    std::snprintf(hex, sizeof hex, "\\x%02X", c);
    out += c >= 0x20 && c < 0x7F && c != '\\' ? std::string(1, c) : hex;
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

// The component's services without a display over a temporary folder, in
// force for the whole run: made on first use, so at exit it goes before the
// component's globals, which were made earlier.
inline testing::HeadlessSession& Run() {
  static testing::HeadlessSession session;
  return session;
}

}  // namespace qdr2_Gomiat::fuzz
