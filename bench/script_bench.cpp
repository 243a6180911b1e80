// Cost of long test scripts: scripts of 10,000 and 100,000 tests (ten tests
// of one element and one variable per service) are compiled by the staged
// compiler, and the host's `g++ -E -P` preprocesses each generated harness
// as a peer on text of the same size, in the same run. For each size the
// compiler's processor time, wall time and peak resident memory are printed
// (best of three), then how they grow from the smaller size to the larger:
// a cost linear in the number of tests grows ten times, flat memory not at
// all.
//
//   zenta_script_bench [--compiler PATH] [--sizes N,M,...] [--per-service N]
//
// --compiler runs another build of the compiler on the same scripts (its
// installation is taken from the staging folder all the same).
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct Cost {
  double cpu = 1e30;   // seconds, user and system
  double wall = 0;     // seconds
  long peakKb = 0;     // peak resident set of the child
  int status = -1;
};

// Runs a program with its standard streams sent to /dev/null and measures
// it through its own resource usage.
Cost measure(const std::vector<std::string>& args, const std::vector<std::string>& env, const fs::path& cwd) {
  std::vector<std::string> argCopy = args, envCopy = env;
  std::vector<char*> argv, envp;
  for (auto& a : argCopy) argv.push_back(a.data());
  argv.push_back(nullptr);
  for (auto& e : envCopy) envp.push_back(e.data());
  envp.push_back(nullptr);
  std::fflush(nullptr);  // the child must not write our buffered lines again
  const auto start = std::chrono::steady_clock::now();
  const pid_t pid = fork();
  if (pid == 0) {
    if (chdir(cwd.c_str()) != 0) _exit(126);
    if (!std::freopen("/dev/null", "w", stdout) || !std::freopen("/dev/null", "w", stderr)) _exit(126);
    execve(argv[0], argv.data(), envp.data());
    _exit(127);
  }
  int st = 0;
  rusage usage{};
  wait4(pid, &st, 0, &usage);
  Cost c;
  c.wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  auto sec = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
  c.cpu = sec(usage.ru_utime) + sec(usage.ru_stime);
  c.peakKb = usage.ru_maxrss;
  c.status = WIFEXITED(st) ? WEXITSTATUS(st) : 128 + WTERMSIG(st);
  return c;
}

Cost bestOfThree(const std::vector<std::string>& args, const std::vector<std::string>& env, const fs::path& cwd) {
  Cost best;
  for (int i = 0; i < 3; ++i) {
    const Cost c = measure(args, env, cwd);
    if (c.cpu < best.cpu) best = c;
  }
  return best;
}

void writeScript(const fs::path& path, long tests, long perService) {
  std::ofstream out(path);
  out << "HEADER bench, 1, 1\nBEGIN\n#int x;\n";
  for (long t = 0; t < tests;) {
    out << "SERVICE S" << t << "\n";
    for (long i = 0; i < perService && t < tests; ++i, ++t) {
      out << "TEST T" << t << "\nFAMILY nominal\nELEMENT\nVAR x, init = 1, ev = 1\n#x = 1;\nEND ELEMENT\n"
          << "END FAMILY\nEND TEST\n";
    }
    out << "END SERVICE\n";
  }
}

std::vector<long> parseSizes(const char* text) {
  std::vector<long> sizes;
  for (const char* p = text; *p;) {
    char* end = nullptr;
    const long n = std::strtol(p, &end, 10);
    if (end == p) break;
    if (n > 0) sizes.push_back(n);
    p = *end == ',' ? end + 1 : end;
  }
  return sizes;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string stage = ZENTA_STAGE_DIR;
  std::string compiler = stage + "/bin/zentaprepro";
  std::vector<long> sizes{10000, 100000};
  long perService = 10;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string option = argv[i];
    if (option == "--compiler") compiler = argv[i + 1];
    else if (option == "--sizes") sizes = parseSizes(argv[i + 1]);
    else if (option == "--per-service") perService = std::max(1L, std::atol(argv[i + 1]));
  }

  char tmpl[] = "/tmp/zenta-script-bench-XXXXXX";
  if (!mkdtemp(tmpl)) return 1;
  const fs::path dir = tmpl;
  fs::create_directories(dir / "tmp");
  std::vector<std::string> env = {"QUARTODIR=" + stage, "ZNTTGT=" + stage, "TEMP=" + (dir / "tmp").string(),
                                  "ZENTA_SUPPRESS_COPYRIGHT=1", "LC_ALL=C", "PATH=/usr/bin:/bin"};

  std::printf("compiler: %s, %ld tests per service\n", compiler.c_str(), perService);
  std::printf("%9s %9s %9s %11s %9s | %14s %10s\n", "tests", "cpu s", "wall s", "peak RSS", "us/test",
              "g++ -E cpu s", "ours/g++");
  std::vector<Cost> costs;
  for (long n : sizes) {
    const std::string script = "t" + std::to_string(n) + ".ptu";
    writeScript(dir / script, n, perService);
    const Cost ours = bestOfThree({compiler, script, "h" + std::to_string(n)}, env, dir);
    const fs::path harness = dir / ("h" + std::to_string(n) + ".cc");
    if ((ours.status != 0 && ours.status != 3) || !fs::exists(harness)) {
      std::printf("%9ld the compiler ended with status %d\n", n, ours.status);
      fs::remove_all(dir);
      return 1;
    }
    const Cost peer = bestOfThree({"/usr/bin/g++", "-E", "-P", "-o", "/dev/null", harness.string()}, env, dir);
    std::printf("%9ld %9.3f %9.3f %8.1f MB %9.2f | %14.3f %10.2f\n", n, ours.cpu, ours.wall, ours.peakKb / 1024.0,
                ours.cpu / static_cast<double>(n) * 1e6, peer.cpu, ours.cpu / peer.cpu);
    costs.push_back(ours);
    for (const auto& e : fs::directory_iterator(dir / "tmp")) fs::remove(e.path());
  }
  for (std::size_t i = 1; i < costs.size(); ++i) {
    std::printf("%ld -> %ld tests (x%.0f): cpu x%.2f, wall x%.2f, peak RSS x%.2f\n", sizes[i - 1], sizes[i],
                static_cast<double>(sizes[i]) / static_cast<double>(sizes[i - 1]), costs[i].cpu / costs[i - 1].cpu,
                costs[i].wall / costs[i - 1].wall,
                static_cast<double>(costs[i].peakKb) / static_cast<double>(costs[i - 1].peakKb));
  }
  fs::remove_all(dir);
  return 0;
}
