#include "cmdline/filenames.h"

#include <QDir>
#include <QFileInfo>
#include <QString>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "cmdline/settings.h"
#include "diag/report.h"

namespace zenta::cmdline {

namespace {

struct ExtensionEntry {
  const char* defaultText;
  const char* variable;
};

constexpr ExtensionEntry kExtensions[] = {
    {"tdc", "ZENTATDC"}, {"ro", "ZENTARO"},   {"rio", "ZENTARIO"}, {"ri2", "ZENTARIO2"},
    {"ptu", "ZENTAPTU"}, {"seg", "ZENTASEG"}, {"lis", "ZENTALIS"}, {"smb", "ZENTASMB"},
    {"def", "ZENTADEF"}, {"c", "ZENTAEXC"},   {"h", "ZENTAEXH"},   {"cc", "ZENTACPP"},
    {"rod", "ZENTAROD"}, {"ddt", "ZENTADDT"}, {"mdt", "ZENTAMDT"}, {"i", "ZENTAEXI"},
};
constexpr int kExtensionCount = static_cast<int>(sizeof kExtensions / sizeof kExtensions[0]);

constexpr const char* kSourceExtensions[] = {"ada", "pas", "plm", "c", "asm", "", "cc", "mod"};

std::string local8(const QString& s) { return s.toLocal8Bit().toStdString(); }
QString fromLocal8(const std::string& s) { return QString::fromLocal8Bit(s.data(), static_cast<qsizetype>(s.size())); }

// A directory text ending with exactly one "/".
std::string withSlash(std::string directory) {
  if (directory.empty()) return "./";
  if (directory.back() != '/') directory += '/';
  return directory;
}

FileNames& store() {
  static FileNames names;
  return names;
}

// A path whose last part can only be a directory: it ends with "/", or its
// last part is "." or "..". Derived names would be hidden files such as
// ".cc" or ".lis".
bool namesADirectory(const std::string& path) {
  if (path.empty()) return false;
  const std::size_t slash = path.rfind('/');
  const std::string last = slash == std::string::npos ? path : path.substr(slash + 1);
  return last.empty() || last == "." || last == "..";
}

}  // namespace

std::string extension(int index) {
  if (index < 0 || index >= kExtensionCount) return std::to_string(index);
  const char* value = std::getenv(kExtensions[index].variable);
  if (value == nullptr || *value == '\0') return kExtensions[index].defaultText;
  std::string text(value);
  const std::size_t keep = index == ExtResults2 ? 2 : 3;
  if (text.size() > keep) text.resize(keep);
  return text;
}

std::string languageSourceExtension(int languageIndex) {
  constexpr int count = static_cast<int>(sizeof kSourceExtensions / sizeof kSourceExtensions[0]);
  if (languageIndex < 0 || languageIndex >= count) return {};
  return kSourceExtensions[languageIndex];
}

PathParts splitPath(const std::string& path) {
  const QFileInfo info(fromLocal8(path));
  PathParts parts;
  parts.directory = withSlash(local8(info.path()));
  const std::string name = local8(info.fileName());
  const std::size_t dot = name.rfind('.');
  if (dot == std::string::npos) {
    parts.base = name;
  } else {
    parts.base = name.substr(0, dot);
    parts.extension = name.substr(dot + 1);
  }
  return parts;
}

FileNames deriveNames(const NameInputs& in) {
  FileNames n;

  // 1. The test script.
  PathParts script = splitPath(in.testScript);
  if (script.extension.empty()) script.extension = extension(ExtScript);
  const std::string& S = script.base;
  const std::string& T = script.extension;

  // 2. The harness; its directory is normalised.
  PathParts harness = splitPath(in.harness);
  const std::string D = withSlash(local8(QDir::cleanPath(fromLocal8(harness.directory))));
  const std::string& B = harness.base;
  std::string X = harness.extension;
  if (X.empty()) X = languageSourceExtension(in.languageIndex);

  // 3. Results file: RIONAME replaces the name only.
  n.resultsName = in.rioName.empty() ? B + "." + extension(ExtResults) : in.rioName;
  n.resultsPath = (in.resultsDirectory.empty() ? D : withSlash(in.resultsDirectory)) + n.resultsName;

  // 4-10.
  n.descriptionPath = D + B + "." + extension(ExtDescription);
  n.harnessBase = B;
  n.harnessDirectory = D;
  n.configHeaderPath = D + "zenta_cfg.h";
  n.alternateHarnessPath = D + "ne_" + B + "." + X;
  n.intermediatePath = (in.compilerSystem == SysNt ? D : std::string()) + B + ".i" + X.substr(0, 2);
  n.segmentPath = D + B + "." + extension(ExtSegment);
  n.listFile = S + "." + extension(ExtList);

  // 11-12.
  n.scriptDirectory = script.directory;
  n.scriptBase = S;
  n.scriptPath = script.directory + S + "." + T;
  n.harnessPath = D + B + "." + X;
  n.scriptFileName = S + "." + T;

  // 13. TSF and its cross-reference names.
  if (!in.tsfFile.empty()) {
    PathParts tsf = splitPath(in.tsfFile);
    if (tsf.extension.empty()) tsf.extension = "tsf";
    n.tsfPath = tsf.directory + tsf.base + "." + tsf.extension;
    n.crossReference1 = tsf.directory + tsf.base + ".xrd";
    n.crossReference2 = tsf.base + ".xrd";
  }
  return n;
}

void deriveAllNames() {
  const Settings& s = settings();
  // No file can be made of a directory: refused as a file that cannot be
  // opened, before the list file (named after the script) exists.
  for (const std::string* path : {&s.testScript, &s.harness}) {
    if (namesADirectory(*path)) diag::fatal("IMPOUVFIC", *path);
  }
  if (s.tsf && namesADirectory(s.tsfFile)) diag::fatal("IMPOUVFIC", s.tsfFile);
  NameInputs in;
  in.testScript = s.testScript;
  in.harness = s.harness;
  in.resultsDirectory = s.resultsDirectory;
  in.languageIndex = s.languageIndex;
  in.rioName = s.rioName;
  in.compilerSystem = s.compilerSystem;
  in.tsfFile = s.tsf ? s.tsfFile : std::string();
  store() = deriveNames(in);
}

const FileNames& names() { return store(); }
FileNames& mutableNames() { return store(); }

std::string temporaryBase() {
  char name[64];
  const unsigned long seconds = static_cast<unsigned long>(std::time(nullptr)) % 43200UL;
  std::snprintf(name, sizeof name, "at%lx_%lx.tmp", seconds, static_cast<unsigned long>(getpid()));
  std::string directory;
  if (const char* temp = std::getenv("TEMP"); temp != nullptr && *temp != '\0') {
    directory = temp;
  } else if (const char* tmpdir = std::getenv("TMPDIR"); tmpdir != nullptr && *tmpdir != '\0') {
    directory = tmpdir;
  } else {
    directory = "/tmp";
  }
  if (directory.back() != '/') directory += '/';
  return directory + name;
}

}  // namespace zenta::cmdline
