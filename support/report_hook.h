// Reporting seam of the support library.
//
// The support library sits below the diagnostics module, yet its failures are
// reported as coded messages ("ERRINTFCT", "RUBNOTINI", "NOLOGIDEF", ...). The
// diagnostics module installs its reporter here at start-up; until then a
// report is written to stderr in the plain message form and severe or fatal
// reports still end the process.
#pragma once

#include <string>

namespace zenta::support {

// Severities, numbered as the diagnostics module numbers them.
enum Severity { SevSevere = 0, SevFatal = 1, SevError = 2, SevWarning = 3, SevInformation = 4 };

using ReportHook = void (*)(int severity, const char* code, const std::string& argument);
using TranslateHook = std::string (*)(const char* context, const char* text);

void setReportHook(ReportHook hook);
void setTranslateHook(TranslateHook hook);

// Reports through the installed hook. Severe and fatal reports never return.
void report(int severity, const char* code, const std::string& argument);
[[noreturn]] void reportSevere(const char* code, const std::string& argument);

// Translates a parameter text (for example "memory overflow" in the context
// "Error Parameter"); returns the text unchanged when no hook is installed.
std::string translate(const char* context, const char* text);

}  // namespace zenta::support
