#include "driver/dependencies.h"

#include <QDir>
#include <QFileInfo>
#include <QString>

#include <cstdio>
#include <unordered_set>

#include "analyser/interface.h"
#include "cmdline/filenames.h"
#include "cmdline/settings.h"
#include "diag/report.h"
#include "generator/frame.h"
#include "output/depfile.h"
#include "output/sources.h"

namespace zenta::driver {

namespace {

// Absolute and cleaned, from the working directory of the run: build tools
// compare the paths of a dependency file as text.
std::string absolutePath(const std::string& path) {
  const QFileInfo info(QString::fromLocal8Bit(path.data(), static_cast<qsizetype>(path.size())));
  return QDir::cleanPath(info.absoluteFilePath()).toLocal8Bit().toStdString();
}

// The outputs the processing chain kept: a run that ends in a fatal message
// after them leaves none behind, as a run with errors does, so that no build
// takes them for up to date.
void removeKeptOutputs() {
  const cmdline::FileNames& n = cmdline::names();
  for (const std::string& path : {n.harnessPath, n.alternateHarnessPath, n.descriptionPath, n.tsfPath,
                                  generator::classDeclarationPath()})
    if (!path.empty()) std::remove(path.c_str());
}

}  // namespace

std::vector<std::string> runDependencies() {
  std::vector<std::string> all;
  std::unordered_set<std::string> seen;
  const auto add = [&](const std::string& path) {
    if (path.empty()) return;
    std::string full = absolutePath(path);
    if (seen.insert(full).second) all.push_back(std::move(full));
  };
  add(cmdline::names().scriptPath);
  for (const std::string& p : output::openedPaths()) add(p);
  for (const std::string& p : output::notedDependencies()) add(p);
  for (const std::string& p : analyser::analysedFiles()) add(p);
  return all;
}

void writeRunDependencies() {
  const std::string& path = cmdline::settings().dependencyFile;
  if (path.empty() || diag::errorCount() != 0) return;
  if (!output::writeDependencyFile(path, absolutePath(cmdline::names().harnessPath), runDependencies())) {
    removeKeptOutputs();
    diag::fatal("IMPOUVFIC", path);
  }
}

}  // namespace zenta::driver
