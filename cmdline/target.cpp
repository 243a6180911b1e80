#include "cmdline/target.h"

#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "cmdline/settings.h"
#include "diag/report.h"

namespace zenta::cmdline {

namespace {

// Runtime header names, in the order they are tried.
constexpr const char* kRuntimeHeaders[] = {"TP.h", "provado.h"};
constexpr const char* kDefaultReference = "\"TP.h\"";

TargetConfiguration& store() {
  static TargetConfiguration configuration{{}, kDefaultReference, {}, false};
  return configuration;
}

// Whether the path names a regular file that opens for reading (it is closed
// at once). A directory opens on this system, so it is ruled out first.
bool opensForReading(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return false;
  std::FILE* f = std::fopen(path.c_str(), "r");
  if (f == nullptr) return false;
  std::fclose(f);
  return true;
}

std::optional<std::string> variable(const char* name) {
  const char* value = std::getenv(name);
  if (value == nullptr) return std::nullopt;
  return std::string(value);
}

// The path made absolute from the current folder, with "." and ".." parts
// and doubled separators removed (symbolic links are kept as written).
std::string absoluteCleanPath(const std::string& path) {
  std::error_code error;
  const std::filesystem::path absolute = std::filesystem::absolute(path, error);
  if (error) return path;
  return absolute.lexically_normal().string();
}

}  // namespace

TargetConfiguration settleTarget(const TargetInputs& in) {
  TargetConfiguration c;
  if (in.znutgt && !in.znutgt->empty()) {
    c.targetDirectory = *in.znutgt;
  } else if (in.znttgt && !in.znttgt->empty()) {
    c.targetDirectory = *in.znttgt;
  }
  if (!c.targetDirectory.empty()) {
    std::string lib = c.targetDirectory;
    if (lib.back() != '/') lib += '/';
    lib += "lib/";
    for (const char* name : kRuntimeHeaders) {
      const std::string candidate = lib + name;
      if (opensForReading(candidate)) {
        // The harness includes the header from its own folder, so a target
        // directory given relative to the current folder must not reach the
        // reference as it is.
        const std::string path = absoluteCleanPath(candidate);
        c.packageFound = true;
        c.runtimeHeaderPath = path;
        c.runtimeHeader = "\"" + (in.withSeparate ? std::string(name) : path) + "\"";
        break;
      }
    }
  }
  if (!c.packageFound) c.runtimeHeader = kDefaultReference;
  // The override applies after the lookup: a missing package still warns.
  if (in.cppIncludeOverride && !in.cppIncludeOverride->empty()) {
    c.runtimeHeader = "\"" + *in.cppIncludeOverride + "\"";
  }
  return c;
}

void loadTargetConfiguration() {
  TargetInputs in;
  in.znutgt = variable("ZNUTGT");
  in.znttgt = variable("ZNTTGT");
  in.cppIncludeOverride = variable("ZENTACPPINC");
  in.withSeparate = settings().withSeparate;
  store() = settleTarget(in);
  if (!store().packageFound) diag::warning("BADRUNTIM", "");
}

const std::string& runtimeHeaderReference() { return store().runtimeHeader; }
const std::string& targetDirectory() { return store().targetDirectory; }
void setTargetConfigurationForTests(const TargetConfiguration& configuration) { store() = configuration; }

}  // namespace zenta::cmdline
