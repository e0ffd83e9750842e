// Platform pieces not built yet. Each definition here moves to its own
// folder when that piece lands; until then asking for it is a clear failure.
#include "platform/platform.h"
#include "qdr2_gomiat/failure.h"

namespace qdr2_Gomiat {

namespace {
// Unused once every piece has landed.
[[noreturn, maybe_unused]] void Missing(const char* what) {
  throw Failure(err::kCannotCreateObject,
                std::string("No disponible todavía: ") + what);
}
}  // namespace

}  // namespace qdr2_Gomiat
