// Creation of the public classes by their automation names.
#include <algorithm>
#include <cctype>
#include <functional>
#include <utility>

#include "qdr2_gomiat/classes.h"
#include "qdr2_gomiat/object.h"

namespace qdr2_Gomiat {

namespace {

using Maker = std::function<std::unique_ptr<Object>()>;

template <class T>
std::pair<const char*, Maker> Entry(const char* name) {
  return {name, [] { return std::unique_ptr<Object>(new T()); }};
}

const std::vector<std::pair<const char*, Maker>>& Registry() {
  static const std::vector<std::pair<const char*, Maker>> registry = {
      Entry<c_NuEntidades>("qdr2_Gomiat.c_NuEntidades"),
      Entry<c_Puntos>("qdr2_Gomiat.c_Puntos"),
      Entry<c_Capas>("qdr2_Gomiat.c_Capas"),
      Entry<c_Tipolin>("qdr2_Gomiat.c_Tipolin"),
      Entry<c_Area>("qdr2_Gomiat.c_Area"),
      Entry<c_editP>("qdr2_Gomiat.c_editP"),
      Entry<c_EditorPun>("qdr2_Gomiat.c_EditorPun"),
      Entry<c_Autocroquis>("qdr2_Gomiat.c_Autocroquis"),
      Entry<c_dibujos>("qdr2_Gomiat.c_dibujos"),
  };
  return registry;
}

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

}  // namespace

std::unique_ptr<Object> CreateObject(std::string_view prog_id) {
  for (const auto& [name, make] : Registry())
    if (SameIgnoringCase(name, prog_id)) return make();
  throw Failure(err::kCannotCreateObject,
                RuntimeDescription(err::kCannotCreateObject) + ": \"" +
                    std::string(prog_id) + "\" no es una clase de qdr2_Gomiat");
}

std::vector<std::string> RegisteredProgIds() {
  std::vector<std::string> out;
  for (const auto& entry : Registry()) out.emplace_back(entry.first);
  return out;
}

}  // namespace qdr2_Gomiat
