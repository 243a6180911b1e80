// Speed and memory of the declaration analysis beside `g++ -fsyntax-only`,
// in two runs:
//   classic  one file that includes twenty standard C++ headers, analysed by
//            the staged `zentacpp -analyse` (preprocessing, declaration
//            analysis, start-up of the tool included) and checked by g++ in
//            C++98;
//   c++17    one file that includes the C++17 standard-header set (every
//            container, strings and views, optional, variant, memory,
//            functional, tuple, chrono, thread, mutex, atomic, filesystem,
//            iostream, algorithm), analysed by `zentacpp -std=c++17
//            -analyse` and checked by `g++ -std=c++17 -fsyntax-only`; the
//            target is to take at most half of g++'s time.
//
// Each program runs as a process of its own, three times (once when a run
// takes more than ten seconds); the figures are the best processor time
// (user and system) and the peak resident memory of that run. The ratio is
// g++'s time over ours: above 1 means we are faster. The messages of our runs
// are counted: a run that warns has not read everything it was given.
//
//   zenta_decl_bench [--run classic|c++17|all] [--zentacpp BIN] [--std STD] [--prelude FILE]
//                    [--header NAME]... [-I DIR]...
//
// Both runs by default. In the classic run the analysed file may first
// include a prelude of ours (--prelude FILE; none by default: the standard
// definitions configure the C++ library for C++98), and g++ reads the same
// headers configured by itself for the --std given (c++98 by default).
// --header replaces the headers of the runs by the ones given (repeatable);
// -I directories are searched by both before the host's.
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "child_run.h"

namespace fs = std::filesystem;

namespace {

const char* const kHeaders[] = {"string",   "vector",   "map",       "list",    "set",       "deque",   "algorithm",
                                "memory",   "iostream", "sstream",   "fstream", "stdexcept", "cstdio",  "cstring",
                                "cmath",    "utility",  "iterator",  "functional", "queue",  "stack"};

const char* const kCxx17Headers[] = {
    "array",   "deque",  "forward_list", "list",       "map",   "queue", "set",    "stack",  "unordered_map",
    "unordered_set", "vector", "string", "string_view", "optional", "variant", "memory", "functional", "tuple",
    "chrono",  "thread", "mutex",        "atomic",     "filesystem", "iostream", "algorithm"};

// The ratio the C++17 run aims at: g++'s time twice ours.
constexpr double kCxx17Target = 2.0;

constexpr int kCpuLimit = 300;  // seconds of processor time a run may take

using bench::Figures;

Figures measure(const std::vector<std::string>& argv, const std::vector<std::string>& env) {
  return bench::measure(argv, bench::Keep::Errors, kCpuLimit, &env);
}

int messageLines(const std::string& err) {
  int n = 0;
  std::size_t i = 0;
  while (i < err.size()) {
    std::size_t nl = err.find('\n', i);
    if (nl == std::string::npos) nl = err.size();
    const std::string line = err.substr(i, nl - i);
    for (const char* tag : {"-W-", "-E-", "-F-", "-S-"})
      if (line.find(tag) != std::string::npos) {
        ++n;
        break;
      }
    i = nl + 1;
  }
  return n;
}

void printFigure(const char* name, const Figures& f) {
  std::printf("%-32s", name);
  if (f.timedOut) std::printf(" over %d s\n", kCpuLimit);
  else std::printf(" %8.3f s %7.1f MB  status %d\n", f.seconds, f.megabytes, f.status);
}


// One comparison: the file of headers, how each program reads it.
struct Run {
  std::string title;
  std::string dialect;  // zentacpp -std=...; empty for the classic language
  std::string gxxStandard;
  std::string prelude;
  std::vector<std::string> headers;
  double target = 0;  // the ratio aimed at, 0 when none
};

void compare(const Run& run, const std::string& zentacpp, const std::vector<std::string>& dirs,
             const std::vector<std::string>& env, const fs::path& tmp) {
  // Ours starts with the prelude; g++ has its own configuration.
  const std::string file = (tmp / "headers.cpp").string();
  const std::string gxxFile = (tmp / "headers_gxx.cpp").string();
  {
    std::ofstream o(file), g(gxxFile);
    if (!run.prelude.empty()) o << "#include \"" << run.prelude << "\"\n";
    for (const auto& h : run.headers) {
      o << "#include <" << h << ">\n";
      g << "#include <" << h << ">\n";
    }
  }
  std::vector<std::string> ourArgs = {zentacpp};
  if (!run.dialect.empty()) ourArgs.push_back("-std=" + run.dialect);
  ourArgs.push_back("-analyse");
  std::vector<std::string> gxxArgs = {"g++", "-std=" + run.gxxStandard, "-fsyntax-only"};
  for (const auto& d : dirs) {
    ourArgs.push_back("-I" + d);
    gxxArgs.push_back("-I" + d);
  }
  ourArgs.push_back(file);
  gxxArgs.push_back(gxxFile);

  std::printf("\n%s: %zu standard headers in one file; best of three runs, processor time and peak memory\n",
              run.title.c_str(), run.headers.size());
  const Figures ours = measure(ourArgs, env);
  const Figures gxx = measure(gxxArgs, env);
  printFigure(run.dialect.empty() ? "zentacpp -analyse" : ("zentacpp -std=" + run.dialect + " -analyse").c_str(),
              ours);
  printFigure(("g++ -std=" + run.gxxStandard + " -fsyntax-only").c_str(), gxx);
  if (!ours.timedOut && !gxx.timedOut && ours.seconds > 0) {
    const double ratio = gxx.seconds / ours.seconds;
    std::printf("time g++/ours %.2f, memory ours/g++ %.2f\n", ratio, ours.megabytes / gxx.megabytes);
    if (run.target > 0)
      std::printf("target g++/ours %.2f: %s\n", run.target, ratio >= run.target ? "met" : "NOT met");
  }
  const int messages = messageLines(ours.text);
  std::printf("our messages: %d\n", messages);
  if (messages > 0 || ours.status != 0) {
    std::size_t shown = 0, i = 0;
    while (i < ours.text.size() && shown < 10) {
      std::size_t nl = ours.text.find('\n', i);
      if (nl == std::string::npos) nl = ours.text.size();
      std::printf("  %s\n", ours.text.substr(i, nl - i).c_str());
      ++shown;
      i = nl + 1;
    }
  }
  if (gxx.status != 0) std::printf("g++ failed:\n%s\n", gxx.text.substr(0, 2000).c_str());
}

}  // namespace

int main(int argc, char** argv) {
  std::string zentacpp = std::string(ZENTA_STAGE_DIR) + "/bin/zentacpp";
  std::string standard = "c++98";
  std::string prelude;
  std::string which = "all";
  std::vector<std::string> headers, dirs;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    const bool more = i + 1 < argc;
    if (a == "--zentacpp" && more) zentacpp = argv[++i];
    else if (a == "--run" && more) which = argv[++i];
    else if (a == "--std" && more) standard = argv[++i];
    else if (a == "--header" && more) headers.push_back(argv[++i]);
    else if (a == "--prelude" && more) prelude = argv[++i];
    else if (a == "-I" && more) dirs.push_back(argv[++i]);
    else if (a.rfind("-I", 0) == 0 && a.size() > 2) dirs.push_back(a.substr(2));
    else {
      std::fprintf(stderr, "unknown argument %s\n", a.c_str());
      return 2;
    }
  }
  if (which != "all" && which != "classic" && which != "c++17") {
    std::fprintf(stderr, "unknown run %s (classic, c++17 or all)\n", which.c_str());
    return 2;
  }

  std::vector<Run> runs;
  if (which != "c++17") {
    Run r{"classic", "", standard, prelude, headers, 0};
    if (r.headers.empty()) r.headers.assign(std::begin(kHeaders), std::end(kHeaders));
    runs.push_back(r);
  }
  if (which != "classic") {
    Run r{"C++17", "c++17", "c++17", "", headers, kCxx17Target};
    if (r.headers.empty()) r.headers.assign(std::begin(kCxx17Headers), std::end(kCxx17Headers));
    runs.push_back(r);
  }

  const fs::path tmp = fs::temp_directory_path() / ("zenta-decl-bench-" + std::to_string(::getpid()));
  fs::create_directories(tmp);

  std::vector<std::string> env;
  auto replaced = [](const std::string& kv) {
    for (const char* name : {"QUARTODIR=", "ZNTTGT=", "ZNUTGT=", "ZNW_ADD_USR_INCLUDE=", "ZENTALAN="})
      if (kv.rfind(name, 0) == 0) return true;
    return false;
  };
  for (char** e = environ; *e; ++e)
    if (!replaced(*e)) env.push_back(*e);
  env.push_back(std::string("QUARTODIR=") + ZENTA_STAGE_DIR);
  env.push_back(std::string("ZNTTGT=") + ZENTA_STAGE_DIR);

  for (const Run& r : runs) compare(r, zentacpp, dirs, env, tmp);
  std::error_code ec;
  fs::remove_all(tmp, ec);
  return 0;
}
