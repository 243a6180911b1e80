// Runs code that ends the process in a forked child and collects its exit
// status and standard error stream.
#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "tests/testkit/process.h"

namespace outtest {

struct Ending {
  int status = -1;  // exit status, or 128 + signal number
  std::string err;
};

template <class Body>
Ending endOf(Body body) {
  const std::string errPath =
      (std::filesystem::temp_directory_path() / ("zenta-out-" + std::to_string(getpid()) + ".err")).string();
  std::fflush(nullptr);
  const pid_t pid = fork();
  if (pid == 0) {
    if (!std::freopen(errPath.c_str(), "w", stderr)) _exit(126);
    body();
    std::fflush(nullptr);
    _exit(100);  // the body should have ended the process itself
  }
  int st = 0;
  waitpid(pid, &st, 0);
  Ending e;
  e.status = WIFEXITED(st) ? WEXITSTATUS(st) : 128 + WTERMSIG(st);
  e.err = testkit::ScratchDir::slurp(errPath);
  std::filesystem::remove(errPath);
  return e;
}

}  // namespace outtest
