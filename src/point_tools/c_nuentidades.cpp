#include "frame/entry.h"
#include "qdr2_gomiat/classes.h"

namespace qdr2_Gomiat {

std::string c_NuEntidades::ProgId() const {
  return "qdr2_Gomiat.c_NuEntidades";
}

// This tool lets its failures reach the host.
void c_NuEntidades::A_Show_Entidades(udt_Entidades&) {
  throw ToolMissingFailure();
}

}  // namespace qdr2_Gomiat
