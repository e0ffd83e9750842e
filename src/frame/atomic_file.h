// Whole-file reading and replacing. A replaced file is written beside the
// old one and renamed over it, so a reader never sees half a file and a
// failed write leaves the old contents in place.
#pragma once

#include <string>
#include <string_view>

#include "qdr2_gomiat/failure.h"

namespace qdr2_Gomiat {

// The file's bytes. Failure 53 when it does not exist, 70 when it may not
// be read, 75 when the path is not a readable file, 57 on a read error.
std::string ReadFileBytes(const std::string& path);

// Replaces (or creates) the file with `bytes`: a temporary file in the same
// folder is written, flushed to disk and renamed over the file. A symbolic
// link is followed, so the file it points to is the one replaced. On any
// failure the temporary file is removed, the old file is untouched, and a
// Failure is thrown: 61 disk full, 70 permission denied, 75 path error,
// 57 other input/output errors.
void WriteFileAtomically(const std::string& path, std::string_view bytes);

// The failure for an errno value met while working on `path`.
Failure FileFailure(int errno_value, const std::string& path);

}  // namespace qdr2_Gomiat
