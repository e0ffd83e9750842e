// The program's command line.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "point_file.h"

namespace gomiat {

struct CroquisOptions {
  std::string input;
  std::string dxf;
  std::optional<std::string> geojson;
  std::optional<std::string> codes;
  std::optional<std::string> report;
  std::optional<std::string> gpkg;
  std::string crs;  // the survey's coordinate system, "" when not declared
  std::string convention = "gomiat";  // a shipped name or a file
  ReadOptions read;
  bool interactive = false;
  bool save_codes = false;
  bool quiet = false;
};

enum class Command { kHelp, kCroquisHelp, kVersion, kCroquis };

struct CommandLine {
  Command command = Command::kHelp;
  CroquisOptions croquis;
};

// A command line that cannot be run; what() says why.
class UsageError : public std::invalid_argument {
 public:
  using std::invalid_argument::invalid_argument;
};

// `args` without the program name.
CommandLine ParseCommandLine(const std::vector<std::string>& args);

std::string MainHelp();
std::string CroquisHelp();

// Exit codes.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;     // the sketch or the output failed
inline constexpr int kExitBadInput = 2;   // command line or input file
inline constexpr int kExitCancelled = 3;  // code table window not accepted

}  // namespace gomiat
