// Child processes for tests of what several host processes do at once and of
// what a kill leaves behind.
#pragma once

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <stdexcept>
#include <thread>

namespace qdr2_Gomiat::test_support {

// Children that all start their work at the same moment: each waits until
// Go() is called, runs `work` and ends with 0 (1 when it threw).
class StartLine {
 public:
  StartLine() {
    if (::pipe(fds_) != 0) throw std::runtime_error("pipe");
  }
  ~StartLine() {
    Go();
    ::close(fds_[0]);
  }
  StartLine(const StartLine&) = delete;
  StartLine& operator=(const StartLine&) = delete;

  pid_t Spawn(const std::function<void()>& work) {
    const pid_t pid = ::fork();
    if (pid < 0) throw std::runtime_error("fork");
    if (pid == 0) {
      ::close(fds_[1]);
      char c;
      while (::read(fds_[0], &c, 1) < 0) {
      }
      int rc = 0;
      try {
        work();
      } catch (...) {
        rc = 1;
      }
      ::_exit(rc);
    }
    return pid;
  }
  // Lets every child start (they read the end of the pipe).
  void Go() {
    if (fds_[1] >= 0) ::close(fds_[1]);
    fds_[1] = -1;
  }

 private:
  int fds_[2] = {-1, -1};
};

// Waits for a child; its exit status, or 128 + the signal that ended it.
inline int Reap(pid_t pid) {
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0) {
  }
  if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
  return WEXITSTATUS(status);
}

// Kills the child with SIGKILL after `micros` microseconds and reaps it.
inline void KillAfter(pid_t pid, long micros) {
  std::this_thread::sleep_for(std::chrono::microseconds(micros));
  ::kill(pid, SIGKILL);
  (void)Reap(pid);
}

}  // namespace qdr2_Gomiat::test_support
