#pragma once
// Permission tests as an ordinary user: root writes into read-only folders and opens mode-000
// files, so a test running as root does its part in a child that has dropped to "nobody".

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>

namespace korvan {

// Runs `body` and gives its result: in this process when it is an ordinary user's, else in a
// child as "nobody" (nothing the child changes in memory comes back). 100: could not drop,
// 101: the child did not exit normally.
inline int RunAsOrdinaryUser(const std::function<int()>& body) {
  if (::geteuid() != 0) return body();
  const pid_t child = ::fork();
  if (child == 0) {
    constexpr gid_t kNobodyGroup = 65534;
    constexpr uid_t kNobody = 65534;
    if (::setgroups(0, nullptr) != 0 || ::setgid(kNobodyGroup) != 0 || ::setuid(kNobody) != 0) {
      ::_exit(100);
    }
    ::_exit(body());
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 101;
}

}  // namespace korvan
