// Runs a program as a process of its own and measures it through its own
// resource usage, for the benchmarks that compare us with a peer program:
// the best processor time of three runs (of one, when a run takes more than
// ten seconds), the peak memory of that run, its exit status, and the text
// of one of its standard streams (the other goes to /dev/null). A run that
// reaches the processor time limit is stopped and said to be over it.
#pragma once

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <string>
#include <vector>

namespace bench {

enum class Keep { Output, Errors };

struct Figures {
  double seconds = 1e30;  // best processor time
  double megabytes = 0;   // peak resident memory of the best run
  int status = 0;         // exit status of the last run (-1: not started)
  bool ok = true;         // every run exited with status 0
  bool timedOut = false;  // a run was stopped at the processor time limit
  std::string text;       // the kept stream of the last run
};

// env, when given, is the whole environment of the program.
inline Figures measure(const std::vector<std::string>& argv, Keep keep, int cpuLimit,
                       const std::vector<std::string>* env = nullptr) {
  Figures r;
  std::vector<char*> args, envp;
  for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  if (env) {
    for (const auto& e : *env) envp.push_back(const_cast<char*>(e.c_str()));
    envp.push_back(nullptr);
  }
  const int kept = keep == Keep::Output ? 1 : 2;
  for (int round = 0; round < 3; ++round) {
    int pipeEnds[2];
    pid_t pid = -1;
    if (pipe(pipeEnds) == 0) pid = fork();
    if (pid == 0) {
      rlimit cpu{static_cast<rlim_t>(cpuLimit), static_cast<rlim_t>(cpuLimit) + 1};
      setrlimit(RLIMIT_CPU, &cpu);
      int null = open("/dev/null", O_WRONLY);
      dup2(pipeEnds[1], kept);
      dup2(null, 3 - kept);
      close(pipeEnds[0]);
      close(pipeEnds[1]);
      if (env) execvpe(args[0], args.data(), envp.data());
      else execvp(args[0], args.data());
      _exit(127);
    }
    if (pid < 0) {
      r.status = -1;
      r.ok = false;
      return r;
    }
    close(pipeEnds[1]);
    std::string text;
    char chunk[4096];
    ssize_t n;
    while ((n = read(pipeEnds[0], chunk, sizeof chunk)) > 0) text.append(chunk, static_cast<std::size_t>(n));
    close(pipeEnds[0]);
    int status = 0;
    rusage use{};
    wait4(pid, &status, 0, &use);
    auto sec = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
    const double t = sec(use.ru_utime) + sec(use.ru_stime);
    if (WIFSIGNALED(status) && WTERMSIG(status) == SIGXCPU) {
      r.timedOut = true;
      return r;
    }
    r.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    if (r.status != 0) r.ok = false;
    if (t < r.seconds) {
      r.seconds = t;
      r.megabytes = static_cast<double>(use.ru_maxrss) / 1024.0;
    }
    r.text = std::move(text);
    if (t > 10) break;
  }
  return r;
}

}  // namespace bench
