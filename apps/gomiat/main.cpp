// gomiat: the qdr2_Gomiat tools on survey files, from the command line.
#include <unistd.h>

#include <iostream>
#include <string>
#include <vector>

#include "croquis_command.h"
#include "frame/environment.h"
#include "options.h"
#include "qdr2_gomiat/version.h"

int main(int argc, char** argv) {
  using namespace gomiat;
  const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
  CommandLine line;
  try {
    line = ParseCommandLine(args);
  } catch (const UsageError& e) {
    std::cerr << "gomiat: " << e.what() << "\n"
              << "Try 'gomiat --help'.\n";
    return kExitBadInput;
  }
  switch (line.command) {
    case Command::kHelp:
      std::cout << MainHelp();
      return kExitOk;
    case Command::kCroquisHelp:
      std::cout << CroquisHelp();
      return kExitOk;
    case Command::kVersion:
      std::cout << "gomiat " << QDR2_GOMIAT_VERSION_TEXT << " (qdr2_Gomiat "
                << qdr2_Gomiat::Environment::Version() << ")\n";
      return kExitOk;
    case Command::kCroquis:
      break;
  }
  Terminal terminal{std::cout, std::cerr, isatty(STDERR_FILENO) == 1};
  try {
    return RunCroquisCommand(line.croquis, terminal);
  } catch (const std::exception& e) {
    std::cerr << "gomiat: " << e.what() << "\n";
    return kExitFailed;
  }
}
