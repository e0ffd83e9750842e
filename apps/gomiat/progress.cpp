#include "progress.h"

namespace gomiat {

namespace {
constexpr auto kInterval = std::chrono::milliseconds(100);
}

Progress::Progress(std::ostream& out, bool enabled, bool terminal)
    : out_(out), enabled_(enabled), terminal_(terminal) {}

Progress::~Progress() { End(); }

void Progress::Begin(const std::string& phase, size_t total) {
  End();
  phase_ = phase;
  total_ = total;
  last_percent_ = -1;
  last_ = std::chrono::steady_clock::now();
  if (!enabled_) return;
  if (terminal_) {
    out_ << "\r" << phase_ << "..." << std::flush;
  } else {
    out_ << "gomiat: " << phase_ << "..." << std::endl;
  }
  open_ = true;
}

void Progress::Update(size_t done) {
  if (!open_ || !terminal_ || total_ == 0) return;
  const auto now = std::chrono::steady_clock::now();
  if (now - last_ < kInterval) return;
  last_ = now;
  const int percent =
      static_cast<int>(done >= total_ ? 100 : done * 100 / total_);
  if (percent == last_percent_) return;
  last_percent_ = percent;
  out_ << "\r" << phase_ << "... " << percent << "%" << std::flush;
}

void Progress::End() {
  if (!open_) return;
  open_ = false;
  if (terminal_) {
    // Wipe the line so the summary starts clean.
    out_ << "\r" << std::string(phase_.size() + 10, ' ') << "\r" << std::flush;
  }
}

}  // namespace gomiat
