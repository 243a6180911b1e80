#include "output/sources.h"

#include <QDir>
#include <QFileInfo>
#include <QString>

#include <sys/stat.h>

#include <algorithm>
#include <memory>

#include "cmdline/filenames.h"
#include "diag/report.h"
#include "output/files.h"
#include "output/tdc.h"

namespace zenta::output {

namespace {

struct State {
  std::vector<std::unique_ptr<SourceFrame>> stack;
  std::unique_ptr<SourceFrame> separate;  // the parked separate source file
  std::vector<std::string> opened;        // paths as given, in order
  std::vector<std::string> openedKeys;    // the same, resolved, for comparison
  int includeCounter = 1;
};

State& state() {
  static State s;
  return s;
}

QString fromLocal8(const std::string& s) { return QString::fromLocal8Bit(s.data(), static_cast<qsizetype>(s.size())); }

// The identity of a path: canonical when the file exists, else the cleaned
// absolute path, so that "./a.h" and "a.h" are the same file.
std::string pathKey(const std::string& path) {
  const QFileInfo info(fromLocal8(path));
  QString key = info.canonicalFilePath();
  if (key.isEmpty()) key = QDir::cleanPath(info.absoluteFilePath());
  return key.toLocal8Bit().toStdString();
}

const char* kindName(FileKind kind) {
  switch (kind) {
    case F_INC: return "F_INC";
    case F_SOURCE: return "F_SOURCE";
    case F_PTU: return "F_PTU";
  }
  return "?";
}

void showPosition(const SourceFrame* frame) {
  if (frame == nullptr) return;
  diag::setCurrentFile(frame->path);
  diag::setCurrentLine(frame->line);
}

void closeFrame(SourceFrame& frame) {
  if (frame.stream != nullptr) {
    std::fclose(frame.stream);
    frame.stream = nullptr;
  }
}

void forgetPath(const std::string& path) {
  State& s = state();
  const std::string key = pathKey(path);
  for (std::size_t i = s.openedKeys.size(); i-- > 0;) {
    if (s.openedKeys[i] == key) {
      s.openedKeys.erase(s.openedKeys.begin() + static_cast<std::ptrdiff_t>(i));
      s.opened.erase(s.opened.begin() + static_cast<std::ptrdiff_t>(i));
      return;
    }
  }
}

}  // namespace

std::string fullPath(const std::string& path) {
  const QFileInfo info(fromLocal8(path));
  if (!info.exists()) return {};
  return QDir::cleanPath(info.absoluteFilePath()).toLocal8Bit().toStdString();
}

bool openSource(const std::string& path, FileKind kind) {
  State& s = state();
  const std::string key = pathKey(path);
  if (std::find(s.openedKeys.begin(), s.openedKeys.end(), key) != s.openedKeys.end()) {
    diag::warning("LIGNTRAIT", path);
    return false;
  }
  struct stat st {};
  std::FILE* stream = nullptr;
  if (::stat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode)) stream = std::fopen(path.c_str(), "r");
  if (stream == nullptr) diag::fatal("IMPOUVFIC", path);

  s.opened.push_back(path);
  s.openedKeys.push_back(key);
  auto frame = std::make_unique<SourceFrame>();
  frame->path = path;
  frame->stream = stream;
  frame->line = -1;
  frame->kind = kind;
  const bool first = s.stack.empty();
  if (!first) {
    frame->includeNumber = s.includeCounter++;
    tdc::writeLine("E11 " + std::to_string(frame->includeNumber) + " " + fullPath(path));
  }
  s.stack.push_back(std::move(frame));
  if (first) makeWorkFileNames(cmdline::temporaryBase());
  showPosition(s.stack.back().get());
  return true;
}

SourceFrame* currentSource() { return state().stack.empty() ? nullptr : state().stack.back().get(); }
int sourceDepth() { return static_cast<int>(state().stack.size()); }

bool readLine(std::FILE* stream, std::string& line) {
  line.clear();
  if (stream == nullptr) return false;
  char buffer[kMaxSourceLine];
  if (std::fgets(buffer, static_cast<int>(sizeof buffer), stream) == nullptr) return false;
  line = buffer;
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
  return true;
}

bool readSourceLine(std::string& line) {
  SourceFrame* frame = currentSource();
  if (frame == nullptr) {
    line.clear();
    return false;
  }
  if (!readLine(frame->stream, line)) return false;
  frame->line = std::max(frame->line, 0) + 1;
  diag::setCurrentLine(frame->line);
  return true;
}

void rewindCurrentSource() {
  SourceFrame* frame = currentSource();
  if (frame == nullptr || frame->stream == nullptr) return;
  std::clearerr(frame->stream);
  if (std::fseek(frame->stream, 0, SEEK_SET) != 0) diag::fatal("IMPRESFIC", frame->path);
  frame->line = 0;
  showPosition(frame);
}

void closeCurrentSource() {
  State& s = state();
  if (s.stack.empty()) return;
  SourceFrame& frame = *s.stack.back();
  closeFrame(frame);
  // The test script leaves the list when it closes; includes stay in it so
  // that a file read once is never read again.
  if (frame.kind == F_PTU) forgetPath(frame.path);
  s.stack.pop_back();
  showPosition(currentSource());
}

bool fileOperation(FileAction action, FileKind kind, const std::string& path) {
  if (kind != F_INC && kind != F_SOURCE) {
    const std::string name = (kind == F_PTU) ? kindName(kind) : std::to_string(static_cast<int>(kind));
    diag::severe("ERRINTFCT", "MAJ_FIC / " + name + " : type enum fic inconnu, ou operation interdite ");
  }
  switch (action) {
    case A_OUVRIR:
      return openSource(path, kind);
    case A_FERMER_SAUV:
      if (kind == F_SOURCE && separateSourceOpen()) {
        closeSeparateSource();
        return true;
      }
      if (currentSource() != nullptr && currentSource()->kind == kind) {
        closeCurrentSource();
        return true;
      }
      return false;
    case A_RESETER:
      if (currentSource() == nullptr || currentSource()->kind != kind) return false;
      rewindCurrentSource();
      return true;
    case A_OUVRIR_ECR:
    case A_FERMER_DEL:
      diag::severe("ERRINTFCT",
                   std::string("MAJ_FIC / ") + kindName(kind) + " : type enum fic inconnu, ou operation interdite ");
  }
  diag::severe("ERRINTFCT", std::string("MAJ_FIC / ") + kindName(kind) + " : action demandee inconnue");
}

void parkSeparateSource() {
  State& s = state();
  if (s.stack.empty() || s.stack.back()->kind != F_SOURCE) return;
  s.separate = std::move(s.stack.back());
  s.stack.pop_back();
  showPosition(currentSource());
}

bool separateSourceOpen() { return state().separate != nullptr; }

void closeSeparateSource() {
  State& s = state();
  if (s.separate) {
    closeFrame(*s.separate);
    s.separate.reset();
    return;
  }
  // Not parked yet: it is still on the stack.
  if (!s.stack.empty() && s.stack.back()->kind == F_SOURCE) closeCurrentSource();
}

const std::vector<std::string>& openedPaths() { return state().opened; }

void resetSourcesForTests() {
  State& s = state();
  for (auto& frame : s.stack) closeFrame(*frame);
  if (s.separate) closeFrame(*s.separate);
  s = State{};
}

}  // namespace zenta::output
