// Speed and memory of the analyser's preprocessor beside `gcc -E`, `tcc -E`
// and `mcpp`, on the same inputs, in one run:
//   1. flat text: a large generated file of declarations and comments, no
//      macro to expand;
//   2. libc headers: thirty headers of the C library, included by one
//      translation unit, each through its own includes;
//   3. many macros: a generated file that defines 300,000 macros and uses
//      each of them twice;
//   4. every translation unit named on the command line (a real program's
//      source: Lua's onelua.c, sqlite's shell.c ...), its own directory and
//      the host's C include directories searched.
// Each program runs as a process of its own (ours too: this program started
// again in a measuring mode), three times; the figures are the best processor
// time (user and system) and the peak resident memory of that process and its
// children. A run is stopped after two minutes of processor time (mcpp's
// macro table makes it quadratic in the number of macros). The ratios are a
// peer's time over ours: above 1 means we are faster.
//
//   zenta_pp_bench [--flat-mb N] [--macros N] [--guard-skip 0|1]
//                  [--qt DIR] [-I DIR]... [TU.c]...
//   zenta_pp_bench --profile FILE [--rounds N] [--output OUT] [-I DIR]...
//       only our preprocessor on FILE, in this process (for a profiler);
//       --output writes what it made (to compare two builds).
//
// --qt DIR adds every header of DIR/QtCore in C++ (gcc only: the other two
// are C preprocessors). -I directories are searched before the host's for
// the translation units of the command line.
#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "analyser/lex/preprocessor.h"

#include "child_run.h"
#include "tests/testkit/host_dirs.h"

namespace fs = std::filesystem;
using namespace zenta::analyser;

namespace {

int messageCount = 0;
void countMessages(int, const char*, const std::string&, const std::string&, int) { ++messageCount; }

std::vector<std::string> hostIncludes(const char* lang) {
  return testkit::hostDirectories(std::string("gcc -E -x ") + lang);
}

// Our preprocessor, set up as the analyser is, on `#include "file"`.
std::string lastOutput;

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
  std::size_t size = out.size();
  lastOutput = std::move(out);
  return size;
}

constexpr int kCpuLimit = 120;  // seconds of processor time a run may take

using bench::Figures;

Figures measure(const std::vector<std::string>& argv) { return bench::measure(argv, bench::Keep::Output, kCpuLimit); }

std::string self;  // this program, for the measuring mode

struct Input {
  std::string name;
  std::string file;
  std::size_t bytes = 0;  // size of the input files themselves
  bool cxx = false;
  std::vector<std::string> dirs;  // searched after the file's own directory
  std::vector<std::string> defines;
};

std::string joined(const std::vector<std::string>& v) {
  std::string r;
  for (const auto& s : v) r += s + '\n';
  return r;
}

void printFigure(const Figures& f) {
  if (f.timedOut) {
    char text[32];
    std::snprintf(text, sizeof text, "over %d s", kCpuLimit);
    std::printf(" %18s", text);
  } else if (f.ok) {
    std::printf(" %7.3f s %6.0f MB", f.seconds, f.megabytes);
  } else {
    std::printf(" %18s", "failed");
  }
}

void printRatio(const Figures& peer, const Figures& our) {
  if (peer.timedOut && our.ok && !our.timedOut) std::printf(" %5.0f+", kCpuLimit / our.seconds);
  else if (peer.ok && our.ok && !peer.timedOut && !our.timedOut) std::printf(" %6.2f", peer.seconds / our.seconds);
  else std::printf(" %6s", "-");
}

void compare(const Input& in, bool guardSkip) {
  std::vector<std::string> ourArgs = {self, "--measure", in.file, "--dirs", joined(in.dirs),
                                      "--defines", joined(in.defines), "--guard-skip", guardSkip ? "1" : "0"};
  Figures our = measure(ourArgs);
  std::vector<std::string> gccArgs = {"gcc", "-E", "-P", "-x", in.cxx ? "c++" : "c"};
  if (in.cxx) gccArgs.push_back("-std=c++17");
  for (const auto& d : in.dirs) gccArgs.push_back("-I" + d);
  gccArgs.push_back(in.file);
  gccArgs.push_back("-o");
  gccArgs.push_back("/dev/null");
  Figures gcc = measure(gccArgs);
  Figures tcc, mcpp;
  tcc.ok = mcpp.ok = false;
  if (!in.cxx) {
    std::vector<std::string> tccArgs = {"tcc", "-E", "-P"};
    for (const auto& d : in.dirs) tccArgs.push_back("-I" + d);
    tccArgs.push_back(in.file);
    tccArgs.push_back("-o");
    tccArgs.push_back("/dev/null");
    tcc = measure(tccArgs);
    // mcpp has no #include_next, which gcc's own headers use to reach the C
    // library's: it searches the compiler's directories last instead.
    std::vector<std::string> mcppDirs = in.dirs;
    std::stable_partition(mcppDirs.begin(), mcppDirs.end(),
                          [](const std::string& d) { return d.rfind("/usr/lib/gcc/", 0) != 0; });
    std::vector<std::string> mcppArgs = {"mcpp", "-P", "-W0"};
    for (const auto& d : mcppDirs) mcppArgs.push_back("-I" + d);
    mcppArgs.push_back(in.file);
    mcppArgs.push_back("/dev/null");
    mcpp = measure(mcppArgs);
  }
  std::printf("%-22s %6.1f MB", in.name.c_str(), static_cast<double>(in.bytes) / 1e6);
  printFigure(our);
  printFigure(gcc);
  printFigure(tcc);
  printFigure(mcpp);
  printRatio(gcc, our);
  printRatio(tcc, our);
  printRatio(mcpp, our);
  std::printf("\n");
  if (!our.text.empty()) std::printf("  (ours: %s)\n", our.text.c_str());
  std::fflush(stdout);
}

std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> r;
  std::size_t i = 0;
  while (i < text.size()) {
    std::size_t nl = text.find('\n', i);
    if (nl == std::string::npos) nl = text.size();
    if (nl > i) r.push_back(text.substr(i, nl - i));
    i = nl + 1;
  }
  return r;
}

std::size_t sizeOf(const std::vector<std::string>& files) {
  std::size_t n = 0;
  for (const auto& f : files)
    if (fs::exists(f)) n += fs::file_size(f);
  return n;
}

// The files of `names` found first in `dirs` (for the size of the inputs).
std::vector<std::string> locate(const std::vector<std::string>& names, const std::vector<std::string>& dirs) {
  std::vector<std::string> r;
  for (const auto& n : names)
    for (const auto& d : dirs)
      if (fs::exists(d + "/" + n)) {
        r.push_back(d + "/" + n);
        break;
      }
  return r;
}

}  // namespace

int main(int argc, char** argv) {
  self = fs::canonical("/proc/self/exe").string();
  std::vector<std::string> args(argv + 1, argv + argc);

  // Measuring mode: our preprocessor once on a file; prints what it made.
  if (args.size() == 8 && args[0] == "--measure") {
    setPreprocessorGuardSkip(args[7] != "0");
    std::size_t bytes = ours(args[1], lines(args[3]), lines(args[5]), true);
    std::printf("%zu bytes out, %d messages", bytes, messageCount);
    return 0;
  }

  int flatMb = 25;
  int macros = 300000;
  int rounds = 10;
  bool guardSkip = true;
  std::string qt, profile, output;
  std::vector<std::string> extraDirs, units;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    bool more = i + 1 < args.size();
    if (a == "--flat-mb" && more) flatMb = std::atoi(args[++i].c_str());
    else if (a == "--macros" && more) macros = std::atoi(args[++i].c_str());
    else if (a == "--guard-skip" && more) guardSkip = std::atoi(args[++i].c_str()) != 0;
    else if (a == "--qt" && more) qt = args[++i];
    else if (a == "--profile" && more) profile = args[++i];
    else if (a == "--rounds" && more) rounds = std::atoi(args[++i].c_str());
    else if (a == "--output" && more) output = args[++i];
    else if (a == "-I" && more) extraDirs.push_back(args[++i]);
    else if (a.rfind("-I", 0) == 0 && a.size() > 2) extraDirs.push_back(a.substr(2));
    else if (!a.empty() && a[0] != '-') units.push_back(a);
    else {
      std::fprintf(stderr, "unknown argument %s\n", a.c_str());
      return 2;
    }
  }
  std::vector<std::string> cDirs = hostIncludes("c");

  // Only our preprocessor, in this process, N times (for a profiler).
  if (!profile.empty()) {
    setPreprocessorGuardSkip(guardSkip);
    std::vector<std::string> dirs = extraDirs;
    dirs.insert(dirs.end(), cDirs.begin(), cDirs.end());
    std::size_t bytes = 0;
    for (int i = 0; i < rounds; ++i) bytes = ours(profile, dirs, {}, true);
    std::printf("%d rounds, %zu bytes out, %d messages\n", rounds, bytes, messageCount);
    if (!output.empty()) std::ofstream(output, std::ios::binary) << lastOutput;
    return 0;
  }

  fs::path tmp = fs::temp_directory_path() / ("zenta-pp-bench-" + std::to_string(::getpid()));
  fs::create_directories(tmp);
  std::printf("%-22s %9s %18s %18s %18s %18s %6s %6s %6s\n", "input", "size", "ours", "gcc -E", "tcc -E",
              "mcpp", "gcc/us", "tcc/us", "mcpp/us");

  // 1. Flat text.
  {
    Input in;
    in.name = "flat text";
    in.file = (tmp / "flat.c").string();
    std::ofstream o(in.file);
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
    in.bytes = fs::file_size(in.file);
    compare(in, guardSkip);
  }

  // 2. Thirty headers of the C library.
  {
    static const char* const names[] = {
        "assert.h", "ctype.h",  "errno.h",     "fenv.h",     "float.h",      "inttypes.h",
        "iso646.h", "limits.h", "locale.h",    "math.h",     "setjmp.h",     "signal.h",
        "stdarg.h", "stdbool.h", "stddef.h",   "stdint.h",   "stdio.h",      "stdlib.h",
        "string.h", "time.h",   "wchar.h",     "wctype.h",   "unistd.h",     "fcntl.h",
        "dirent.h", "pthread.h", "strings.h",  "sys/stat.h", "sys/types.h",  "sys/time.h"};
    Input in;
    in.name = "30 libc headers";
    in.file = (tmp / "libc.c").string();
    in.dirs = cDirs;
    std::ofstream o(in.file);
    std::vector<std::string> headers;
    for (const char* n : names) {
      o << "#include <" << n << ">\n";
      headers.emplace_back(n);
    }
    o.close();
    in.bytes = sizeOf(locate(headers, cDirs));
    compare(in, guardSkip);
  }

  // 3. Many macros: defined, then each used twice.
  {
    Input in;
    in.name = std::to_string(macros) + " macros";
    in.file = (tmp / "macros.c").string();
    std::ofstream o(in.file);
    for (int i = 0; i < macros; ++i)
      o << "#define MACRO_" << i << "_VALUE(x) ((x) + " << i << ")\n#define NAME_" << i << " MACRO_" << i
        << "_VALUE\n";
    for (int i = 0; i < macros; ++i)
      o << "int variable_" << i << " = NAME_" << i << "(" << i << ") * MACRO_" << (i * 7 + 3) % macros
        << "_VALUE(2);\n";
    o.close();
    in.bytes = fs::file_size(in.file);
    compare(in, guardSkip);
  }

  // 4. Real translation units.
  for (const auto& u : units) {
    Input in;
    in.name = fs::path(u).filename().string();
    in.file = fs::absolute(u).string();
    in.dirs = extraDirs;
    in.dirs.insert(in.dirs.end(), cDirs.begin(), cDirs.end());
    in.bytes = fs::file_size(u);
    compare(in, guardSkip);
  }

  // 5. QtCore's headers in C++, when asked.
  if (!qt.empty() && fs::exists(qt + "/QtCore")) {
    Input in;
    in.name = "QtCore/*.h (C++)";
    in.cxx = true;
    in.file = (tmp / "qtcore.cpp").string();
    std::vector<std::string> headers;
    for (const auto& e : fs::directory_iterator(qt + "/QtCore"))
      if (e.path().extension() == ".h") headers.push_back(e.path().string());
    std::sort(headers.begin(), headers.end());
    std::ofstream o(in.file);
    for (const auto& h : headers) o << "#include \"" << h << "\"\n";
    o.close();
    in.bytes = sizeOf(headers);
    in.dirs = {qt, qt + "/QtCore"};
    for (const auto& d : hostIncludes("c++")) in.dirs.push_back(d);
    in.defines = {"__cplusplus=201703L"};
    compare(in, guardSkip);
  }
  fs::remove_all(tmp);
  return 0;
}
