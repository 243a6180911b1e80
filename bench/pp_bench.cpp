// Throughput of the analyser's preprocessor next to the host's `gcc -E`, on
// the same inputs, measured in one run:
//   1. flat text: a large generated file of declarations and comments, no
//      macro to expand;
//   2. real headers: every header of a directory (QtCore by default, in C++;
//      or /usr/include/*.h in C) included by one translation unit, each
//      through its own includes.
// Each measurement is the best of three, in processor time. The ratio is gcc's time over ours:
// above 1 means faster than gcc -E.
//
//   zenta_pp_bench [--qt DIR] [--c-headers DIR] [--flat-mb N] [--profile-c ROUNDS]
//                  [--guard-skip 0|1]
//
// The C headers are also measured with the skip of re-included guarded
// headers turned off, for comparison.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include <sys/resource.h>
#include <unistd.h>
#include <algorithm>

#include "analyser/lex/preprocessor.h"

namespace fs = std::filesystem;
using namespace zenta::analyser;

namespace {

int messageCount = 0;
void countMessages(int, const char*, const std::string&, const std::string&, int) { ++messageCount; }

// Processor time (user and system) of this process and its finished
// children: the machine may be busy, so wall time would measure the others.
double cpuSeconds() {
  rusage self{}, children{};
  getrusage(RUSAGE_SELF, &self);
  getrusage(RUSAGE_CHILDREN, &children);
  auto sec = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
  return sec(self.ru_utime) + sec(self.ru_stime) + sec(children.ru_utime) + sec(children.ru_stime);
}

double best(const std::function<void()>& work) {
  double b = 1e30;
  for (int i = 0; i < 3; ++i) {
    double t0 = cpuSeconds();
    work();
    b = std::min(b, cpuSeconds() - t0);
  }
  return b;
}

std::vector<std::string> hostIncludes(const char* lang) {
  std::string cmd = std::string("g++ -E -x ") + lang + " -v /dev/null 2>&1 >/dev/null";
  std::vector<std::string> dirs;
  FILE* p = popen(cmd.c_str(), "r");
  if (!p) return dirs;
  char line[4096];
  bool in = false;
  while (std::fgets(line, sizeof line, p)) {
    std::string l = line;
    if (l.rfind("#include <...>", 0) == 0) in = true;
    else if (l.rfind("End of search list", 0) == 0) in = false;
    else if (in) {
      l.erase(0, l.find_first_not_of(' '));
      l.erase(l.find_last_not_of(" \n") + 1);
      dirs.push_back(l);
    }
  }
  pclose(p);
  return dirs;
}

// Our preprocessor, set up as the analyser is, on `#include "file"`.
std::size_t ours(const std::string& file, const std::vector<std::string>& dirs,
                 const std::vector<std::string>& defines, bool stdDefinitions) {
  resetPreprocessor();
  setPreprocessorHook(countMessages);
  messageCount = 0;
  init_preprocessor(false, false, 0, defines, dirs, std::string(), nullptr, true);
  std::string out;
  if (stdDefinitions)
    preprocess_text("#include \"" + std::string(ZENTA_STAGE_DIR) + "/ana/znus_c.def\"", false, "", 0, out,
                    nullptr, countMessages);
  out.clear();
  preprocess_text("#include \"" + file + "\"", false, "", 0, out, nullptr, countMessages);
  return out.size();
}

void gcc(const std::string& options, const std::string& file) {
  std::string cmd = "gcc -E -P " + options + " '" + file + "' -o /dev/null 2>/dev/null";
  if (std::system(cmd.c_str()) == -1) std::perror("gcc");
}

void line(const char* what, std::size_t bytes, double tOurs, double tGcc) {
  double mb = static_cast<double>(bytes) / 1e6;
  std::printf("%-28s %8.1f MB  ours %7.3f s %8.1f MB/s   gcc -E %7.3f s %8.1f MB/s   ratio %.2f\n", what, mb,
              tOurs, mb / tOurs, tGcc, mb / tGcc, tGcc / tOurs);
}

std::size_t sizeOfHeaders(const std::vector<std::string>& files) {
  std::size_t n = 0;
  for (const auto& f : files) n += fs::file_size(f);
  return n;
}

}  // namespace

int main(int argc, char** argv) {
  std::string qt = "/usr/include/x86_64-linux-gnu/qt6";
  std::string cHeaders = "/usr/include";
  int flatMb = 40;
  int profileRounds = 0;
  for (int i = 1; i + 1 < argc; i += 2) {
    std::string a = argv[i];
    if (a == "--qt") qt = argv[i + 1];
    else if (a == "--c-headers") cHeaders = argv[i + 1];
    else if (a == "--flat-mb") flatMb = std::atoi(argv[i + 1]);
    else if (a == "--profile-c") profileRounds = std::atoi(argv[i + 1]);
    else if (a == "--guard-skip") setPreprocessorGuardSkip(std::atoi(argv[i + 1]) != 0);
  }
  fs::path tmp = fs::temp_directory_path() / ("zenta-pp-bench-" + std::to_string(::getpid()));
  fs::create_directories(tmp);

  // Only our preprocessor on the C headers, N times (for a profiler).
  if (profileRounds > 0) {
    std::vector<std::string> headers;
    for (const auto& e : fs::directory_iterator(cHeaders))
      if (e.path().extension() == ".h") headers.push_back(e.path().string());
    std::sort(headers.begin(), headers.end());
    std::string tu = (tmp / "c_headers.c").string();
    std::ofstream o(tu);
    for (const auto& h : headers) o << "#include \"" << h << "\"\n";
    o.close();
    std::vector<std::string> dirs = hostIncludes("c");
    double t0 = cpuSeconds();
    for (int i = 0; i < profileRounds; ++i) ours(tu, dirs, {}, true);
    std::printf("%d rounds: %.3f s each\n", profileRounds, (cpuSeconds() - t0) / profileRounds);
    fs::remove_all(tmp);
    return 0;
  }

  // 1. Flat text.
  {
    std::string flat = (tmp / "flat.c").string();
    std::ofstream o(flat);
    std::size_t written = 0;
    for (int i = 0; written < static_cast<std::size_t>(flatMb) * 1000000; ++i) {
      char buf[512];
      int n = std::snprintf(buf, sizeof buf,
                            "/* Record %d of the generated input, with a comment. */\n"
                            "struct record_%d { int identifier; char *name; double value[%d]; };\n"
                            "extern const struct record_%d table_%d; // line comment\n"
                            "static const char *text_%d = \"a string with /* no comment */ inside\";\n",
                            i, i, i % 97 + 1, i, i, i);
      o.write(buf, n);
      written += static_cast<std::size_t>(n);
    }
    o.close();
    std::size_t bytes = fs::file_size(flat);
    std::size_t outBytes = 0;
    double t1 = best([&] { outBytes = ours(flat, {}, {}, false); });
    double t2 = best([&] { gcc("-undef -nostdinc", flat); });
    line("flat text", bytes, t1, t2);
    std::printf("  (our output %zu bytes, %d messages)\n", outBytes, messageCount);
  }

  // 2. Real headers: QtCore in C++.
  if (fs::exists(qt + "/QtCore")) {
    std::vector<std::string> headers;
    for (const auto& e : fs::directory_iterator(qt + "/QtCore"))
      if (e.path().extension() == ".h") headers.push_back(e.path().string());
    std::sort(headers.begin(), headers.end());
    std::string tu = (tmp / "qtcore.cpp").string();
    std::ofstream o(tu);
    for (const auto& h : headers) o << "#include \"" << h << "\"\n";
    o.close();
    std::vector<std::string> dirs = {qt, qt + "/QtCore"};
    for (const auto& d : hostIncludes("c++")) dirs.push_back(d);
    std::size_t outBytes = 0;
    double t1 = best([&] { outBytes = ours(tu, dirs, {"__cplusplus=201703L"}, true); });
    double t2 = best([&] { gcc("-x c++ -std=c++17 -fPIC -I" + qt + " -I" + qt + "/QtCore", tu); });
    line("QtCore/*.h (C++)", sizeOfHeaders(headers), t1, t2);
    std::printf("  (%zu headers, our output %zu bytes, %d messages)\n", headers.size(), outBytes, messageCount);
  }

  // 3. Real headers: the C library's top-level headers in C.
  if (fs::exists(cHeaders)) {
    std::vector<std::string> headers;
    for (const auto& e : fs::directory_iterator(cHeaders))
      if (e.path().extension() == ".h") headers.push_back(e.path().string());
    std::sort(headers.begin(), headers.end());
    std::string tu = (tmp / "c_headers.c").string();
    std::ofstream o(tu);
    for (const auto& h : headers) o << "#include \"" << h << "\"\n";
    o.close();
    std::vector<std::string> dirs = hostIncludes("c");
    std::size_t outBytes = 0;
    double t1 = best([&] { outBytes = ours(tu, dirs, {}, true); });
    double t2 = best([&] { gcc("-x c", tu); });
    line((cHeaders + "/*.h (C)").c_str(), sizeOfHeaders(headers), t1, t2);
    std::printf("  (%zu headers, our output %zu bytes, %d messages)\n", headers.size(), outBytes, messageCount);
    // The same with every re-included guarded header scanned again.
    setPreprocessorGuardSkip(false);
    std::size_t fullBytes = 0;
    double t3 = best([&] { fullBytes = ours(tu, dirs, {}, true); });
    setPreprocessorGuardSkip(true);
    line("  same, no guard skip", sizeOfHeaders(headers), t3, t2);
    std::printf("  (our output %zu bytes, %s)\n", fullBytes, fullBytes == outBytes ? "same size" : "SIZE DIFFERS");
  }
  // For context: what gcc -E spends on an empty file (process start-up),
  // included in each of its times above.
  {
    std::string empty = (tmp / "empty.c").string();
    std::ofstream(empty) << "\n";
    double t = best([&] { gcc("-x c", empty); });
    std::printf("gcc -E on an empty file: %.3f s\n", t);
  }
  fs::remove_all(tmp);
  return 0;
}
