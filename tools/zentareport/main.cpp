// zentareport: reads test-description files and the results files of their
// harnesses, and reports the verdicts as text, JUnit XML and HTML.
#include <sys/stat.h>
#include <unistd.h>

#include <ctime>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "tools/zentareport/escape.h"
#include "tools/zentareport/html_report.h"
#include "tools/zentareport/junit_report.h"
#include "tools/zentareport/text_report.h"

namespace {

using namespace zenta::report;

const char* const kUsage =
    "Usage: zentareport [options] DESCRIPTION [RESULTS] [DESCRIPTION [RESULTS]] ...\n"
    "\n"
    "Reads the test-description file (.tdc) that the compiler wrote for a script and the\n"
    "results file that its harness wrote when it ran, and reports every verdict.\n"
    "\n"
    "Files are taken in order: a description file, then its results file. When the\n"
    "argument after a description file ends in .tdc too, or there is none, the results\n"
    "file is the description file's name with the extension .rio.\n"
    "\n"
    "Options:\n"
    "  --junit FILE    also write JUnit XML to FILE (a test case per test pass)\n"
    "  --html FILE     also write a standalone HTML page to FILE\n"
    "  --color         colour the text report; --no-color: never (default: when\n"
    "                  standard output is a terminal)\n"
    "  --quiet, -q     no text report on standard output\n"
    "  --help, -h      this text; --version: the version\n"
    "\n"
    "Exit status: 0 when every verdict passed, 1 when a verdict failed, 2 when an\n"
    "input cannot be read or does not fit its description (the message names the\n"
    "file and the line), or the command line is wrong.\n";

bool endsWith(const std::string& s, const std::string& tail) {
  return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

// The modification time of a file as an ISO 8601 local time; empty if none.
std::string modified(const std::string& path) {
  struct stat st {};
  if (stat(path.c_str(), &st) != 0) return {};
  std::tm local {};
  if (!localtime_r(&st.st_mtime, &local)) return {};
  char buf[32];
  return std::strftime(buf, sizeof buf, "%Y-%m-%dT%H:%M:%S", &local) ? buf : std::string();
}

int usage(const std::string& why) {
  std::cerr << "zentareport: " << why << " (zentareport --help tells the usage)\n";
  return 2;
}

bool loadRun(const std::string& tdcPath, const std::string& rioPath, Run& run) {
  Problem problem;
  std::string text;
  Description description;
  Results results;
  const bool ok = readFile(tdcPath, text, problem) && readDescription(text, tdcPath, description, problem) &&
                  readFile(rioPath, text, problem) && readResults(text, rioPath, results, problem) &&
                  joinRun(description, results, run, problem);
  if (!ok) {
    std::cerr << "zentareport: " << printable(formatProblem(problem)) << "\n";
    return false;
  }
  run.timestamp = modified(rioPath);
  return true;
}

bool writeTo(const std::string& path, void (*writer)(std::ostream&, const std::vector<Run>&),
             const std::vector<Run>& runs) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (out) writer(out, runs);
  out.close();
  if (!out) {
    std::cerr << "zentareport: " << printable(formatProblem({path, 0, "IMPECRFIC", "cannot write the file"})) << "\n";
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  std::string junit, html;
  int colour = -1;  // -1: when standard output is a terminal
  bool quiet = false;
  std::vector<std::string> files;
  bool options = true;
  for (int k = 1; k < argc; ++k) {
    const std::string a = argv[k];
    auto value = [&](const std::string& name, std::string& into) {
      if (a == name) {
        if (k + 1 >= argc) return false;
        into = argv[++k];
      } else {
        into = a.substr(name.size() + 1);
      }
      return !into.empty();
    };
    if (!options || a.empty() || a[0] != '-' || a == "-") {
      files.push_back(a);
    } else if (a == "--") {
      options = false;
    } else if (a == "--help" || a == "-h") {
      std::cout << kUsage;
      return 0;
    } else if (a == "--version") {
      std::cout << "zentareport " ZENTA_REPORT_VERSION "\n";
      return 0;
    } else if (a == "--junit" || a.rfind("--junit=", 0) == 0) {
      if (!value("--junit", junit)) return usage("--junit needs a file name");
    } else if (a == "--html" || a.rfind("--html=", 0) == 0) {
      if (!value("--html", html)) return usage("--html needs a file name");
    } else if (a == "--color" || a == "--colour") {
      colour = 1;
    } else if (a == "--no-color" || a == "--no-colour") {
      colour = 0;
    } else if (a == "--quiet" || a == "-q") {
      quiet = true;
    } else {
      return usage("unknown option " + a);
    }
  }
  if (files.empty()) return usage("no description file named");

  std::vector<Run> runs;
  bool readable = true;
  for (std::size_t k = 0; k < files.size(); ++k) {
    const std::string& tdc = files[k];
    std::string rio;
    if (k + 1 < files.size() && !endsWith(files[k + 1], ".tdc")) {
      rio = files[++k];
    } else if (endsWith(tdc, ".tdc")) {
      rio = tdc.substr(0, tdc.size() - 4) + ".rio";
    } else {
      return usage("no results file named for " + tdc);
    }
    runs.emplace_back();
    if (!loadRun(tdc, rio, runs.back())) readable = false;
  }
  if (!readable) return 2;

  if (!quiet) writeText(std::cout, runs, colour < 0 ? isatty(STDOUT_FILENO) != 0 : colour == 1);
  std::cout.flush();
  if (!junit.empty() && !writeTo(junit, writeJunit, runs)) return 2;
  if (!html.empty() && !writeTo(html, writeHtml, runs)) return 2;
  return totalsOf(runs).failed == 0 ? 0 : 1;
}
