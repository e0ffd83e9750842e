// Strict UTF-8 validation (no overlong forms, no surrogates, nothing above
// U+10FFFF), to tell UTF-8 files from single-byte ones.
#pragma once

#include <string_view>

namespace gomiat {

bool IsValidUtf8(std::string_view bytes);

}  // namespace gomiat
