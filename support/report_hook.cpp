#include "support/report_hook.h"

#include <cstdio>
#include <cstdlib>

namespace zenta::support {
namespace {
ReportHook g_report = nullptr;
TranslateHook g_translate = nullptr;
}  // namespace

void setReportHook(ReportHook hook) { g_report = hook; }
void setTranslateHook(TranslateHook hook) { g_translate = hook; }

void report(int severity, const char* code, const std::string& argument) {
  if (g_report) {
    g_report(severity, code, argument);
  } else {
    static const char letters[] = "SFEWI";
    char letter = (severity >= 0 && severity <= 4) ? letters[severity] : '?';
    std::fprintf(stderr, "Quarto-%c-%s,   %s\n", letter, code, argument.c_str());
  }
  if (severity == SevSevere || severity == SevFatal) {
    std::fflush(stderr);
    std::fflush(stdout);
    std::_Exit(severity == SevSevere ? 9 : 7);
  }
}

void reportSevere(const char* code, const std::string& argument) {
  report(SevSevere, code, argument);
  std::_Exit(9);  // not reached: severe reports end the run
}

std::string translate(const char* context, const char* text) {
  return g_translate ? g_translate(context, text) : std::string(text);
}

}  // namespace zenta::support
