#pragma once

#include <cstdlib>
#include <functional>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace quillon::testing {

// Runs `work` with an ordinary user's rights and returns the text it gives. Root may
// write where nobody else may, so as root the work runs in a child process that has become
// the user "nobody" (65534); otherwise it runs here. A child that fails gives "child failed".
inline std::string asOrdinaryUser(const std::function<std::string()>& work) {
  if (::geteuid() != 0) return work();
  int channel[2];
  if (::pipe(channel) != 0) return "pipe failed";
  const pid_t child = ::fork();
  if (child == 0) {
    ::close(channel[0]);
    if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(2);
    const std::string text = work();
    const bool written =
        ::write(channel[1], text.data(), text.size()) == static_cast<ssize_t>(text.size());
    ::_exit(written ? 0 : 3);
  }
  ::close(channel[1]);
  std::string text;
  char buffer[4096];
  for (ssize_t n; (n = ::read(channel[0], buffer, sizeof buffer)) > 0;) text.append(buffer, n);
  ::close(channel[0]);
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? text : "child failed";
}

}  // namespace quillon::testing
