// Runs work in forked child processes of the test, for state that must be
// seen across processes (registry, printer data). A child reports through
// its exit code only and never returns into the test framework.
#pragma once

#include <functional>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

// Starts one child per body, all at once, and waits for them. Returns the
// exit codes in order; -1 for a child that could not start or did not exit
// normally.
inline std::vector<int> RunInChildren(const std::vector<std::function<int()>>& bodies) {
  std::vector<pid_t> pids;
  for (const auto& body : bodies) {
    const pid_t pid = fork();
    if (pid == 0) _exit(body());
    pids.push_back(pid);
  }
  std::vector<int> codes;
  for (pid_t pid : pids) {
    int status = 0;
    const bool exited = pid > 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status);
    codes.push_back(exited ? WEXITSTATUS(status) : -1);
  }
  return codes;
}

inline int RunInChild(const std::function<int()>& body) { return RunInChildren({body}).front(); }
