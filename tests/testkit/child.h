// Runs a piece of code that ends the process (exit, signal) in a forked
// child, capturing its exit status and standard error stream byte for byte.
#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "tests/testkit/process.h"

namespace testkit {

struct Ending {
  int status = -1;  // exit status, or 128 + signal number
  std::string err;
};

template <class Body>
Ending endOf(Body body) {
  const std::string errPath =
      (std::filesystem::temp_directory_path() / ("zenta-child-" + std::to_string(getpid()) + ".err")).string();
  std::fflush(nullptr);
  const pid_t pid = fork();
  if (pid == 0) {
    if (!std::freopen(errPath.c_str(), "w", stderr)) _exit(126);
    body();
    std::fflush(nullptr);
    _exit(100);  // the body was expected to end the process
  }
  int st = 0;
  waitpid(pid, &st, 0);
  Ending e;
  e.status = WIFEXITED(st) ? WEXITSTATUS(st) : 128 + WTERMSIG(st);
  e.err = ScratchDir::slurp(errPath);
  std::filesystem::remove(errPath);
  return e;
}

}  // namespace testkit
