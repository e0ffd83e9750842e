// Creation of the public classes by name, as the host's automation does.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "qdr2_gomiat/failure.h"

namespace qdr2_Gomiat {

// Base of every public class, so the host can hold any of them by name.
class Object {
 public:
  virtual ~Object() = default;
  // "qdr2_Gomiat.<class name>"
  virtual std::string ProgId() const = 0;
};

// Creates "qdr2_Gomiat.c_Capas" and the rest; names compare without regard to
// case. An unknown name throws Failure 429 naming what was asked for.
std::unique_ptr<Object> CreateObject(std::string_view prog_id);

// The names CreateObject accepts, in interface order.
std::vector<std::string> RegisteredProgIds();

// Typed convenience: CreateObjectAs<c_Capas>("qdr2_Gomiat.c_Capas").
template <class T>
std::unique_ptr<T> CreateObjectAs(std::string_view prog_id) {
  std::unique_ptr<Object> o = CreateObject(prog_id);
  if (auto* t = dynamic_cast<T*>(o.get())) {
    o.release();
    return std::unique_ptr<T>(t);
  }
  throw Failure(err::kTypeMismatch);
}

}  // namespace qdr2_Gomiat
