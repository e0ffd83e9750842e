// Progress on the terminal for long runs: a percentage that rewrites its
// line on a terminal, one line per phase otherwise.
#pragma once

#include <chrono>
#include <cstddef>
#include <ostream>
#include <string>

namespace gomiat {

class Progress {
 public:
  // Disabled progress prints nothing. `terminal`: out is a terminal.
  Progress(std::ostream& out, bool enabled, bool terminal);
  ~Progress();

  void Begin(const std::string& phase, size_t total = 0);
  void Update(size_t done);
  void End();
  void SetEnabled(bool enabled) { enabled_ = enabled; }
  bool Enabled() const { return enabled_; }

 private:
  std::ostream& out_;
  bool enabled_;
  bool terminal_;
  bool open_ = false;  // a phase line is on screen
  std::string phase_;
  size_t total_ = 0;
  int last_percent_ = -1;
  std::chrono::steady_clock::time_point last_;
};

}  // namespace gomiat
