// gomiat-screenshots: pictures of every window of the component, drawn
// offscreen with sample data at 96 and 144 DPI, for the documentation.
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "picture_run.h"

namespace {

constexpr const char* kUsage =
    "usage: gomiat-screenshots FOLDER [--survey FILE] [--dpi N]...\n"
    "Saves a PNG of every window of the component, filled with sample data\n"
    "and drawn offscreen, into FOLDER as NAME_<N>dpi.png. The code table\n"
    "window shows the codes of the points in FILE (default: the bundled\n"
    "road survey). --dpi may be given more than once (default: 96 and 144).\n";

struct Options {
  std::string folder;
  std::string survey = GOMIAT_SAMPLE_SURVEY;
  std::vector<int> dpis;
};

bool Parse(int argc, char** argv, Options& o) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if ((arg == "--survey" || arg == "--dpi") && i + 1 < argc) {
      const std::string value = argv[++i];
      if (arg == "--survey") {
        o.survey = value;
        continue;
      }
      try {
        size_t used = 0;
        const int dpi = std::stoi(value, &used);
        if (used != value.size() || dpi < 48 || dpi > 480) return false;
        o.dpis.push_back(dpi);
      } catch (const std::exception&) {
        return false;
      }
    } else if (!arg.empty() && arg[0] != '-' && o.folder.empty()) {
      o.folder = arg;
    } else {
      return false;
    }
  }
  if (o.dpis.empty()) o.dpis = {96, 144};
  return !o.folder.empty();
}

// A process per DPI: the screen is fixed when the first window appears.
int RunAt(const Options& o, int dpi) {
  std::fflush(nullptr);
  const pid_t child = fork();
  if (child == -1) {
    std::perror("gomiat-screenshots: fork");
    return 1;
  }
  if (child == 0) {
    int status = 0;
    try {
      for (const std::string& file :
           screenshots::TakePictures(o.folder, o.survey, dpi))
        std::cout << file << '\n';
    } catch (const std::exception& e) {
      std::cerr << "gomiat-screenshots: " << dpi << " DPI: " << e.what()
                << '\n';
      status = 1;
    }
    std::cout.flush();
    // The application's objects are left to the process's end.
    _exit(status);
  }
  int status = 0;
  if (waitpid(child, &status, 0) != child) return 1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!Parse(argc, argv, options)) {
    std::cerr << kUsage;
    return 2;
  }
  int failed = 0;
  for (const int dpi : options.dpis) failed |= RunAt(options, dpi);
  return failed == 0 ? 0 : 1;
}
