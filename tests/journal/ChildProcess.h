#pragma once

#include <csignal>
#include <functional>
#include <sys/wait.h>
#include <unistd.h>

namespace quillon::journal::testing {

// Runs `body` in a forked child and returns its wait status. The child ends with exit
// status 0 when the body returns, 99 when it throws, or by whatever signal it raises.
inline int runInChild(const std::function<void()>& body) {
  const pid_t child = ::fork();
  if (child == 0) {
    try {
      body();
    } catch (...) {
      ::_exit(99);
    }
    ::_exit(0);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  return status;
}

inline bool killed(int status) { return WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL; }
inline bool exitedNormally(int status) { return WIFEXITED(status) && WEXITSTATUS(status) == 0; }

}  // namespace quillon::journal::testing
