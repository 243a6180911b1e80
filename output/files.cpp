#include "output/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "diag/report.h"
#include "output/cleanup.h"
#include "support/text.h"

namespace zenta::output {

namespace {

constexpr const char* kVersion = "8.3.0.1.342.020";
constexpr std::size_t kHeaderWidth = 72;
constexpr int kGeneratedWidth = 80;
constexpr std::size_t kWorkFileMemory = 256 * 1024;

// An output file. It is written under a temporary name beside the file it
// becomes, unless its path names a device or a pipe.
struct Slot {
  std::string path;         // as opened: the name the user sees
  std::string finalPath;    // where it goes: the path, or the file its link names
  std::string writtenPath;  // the temporary name, while the output is not in place
  std::FILE* stream = nullptr;
  bool inPlace = false;     // written straight to its path
  unsigned long order = 0;  // opening order, for the tool log
};

// A work file: created once, emptied when its section opens again. Lines
// stay in memory up to a size; beyond it they go to the file.
struct WorkFile {
  std::string path;
  int fd = -1;           // -1 until the file is created
  bool open = false;     // its section is open
  bool spilled = false;  // part of its lines is in the file
  std::string lines;     // lines not yet in the file, each ending with "\n"
};

struct State {
  std::array<Slot, DestinationCount> slots;
  std::array<WorkFile, kWorkFileCount> work;
  Destination current = Harness;
  OutputContext context;
  unsigned long opened = 0;
  std::size_t workMemory = kWorkFileMemory;
};

State& state() {
  static State s;
  return s;
}

Slot& slot(Destination d) { return state().slots[static_cast<std::size_t>(d)]; }
WorkFile& work(Destination d) { return state().work[static_cast<std::size_t>(d - WorkA)]; }

std::string padded(const std::string& text, std::size_t width) {
  return text.size() >= width ? text : text + std::string(width - text.size(), ' ');
}

// A framed header line: "* " text " *", cut at 68 then 65 columns.
void framed(const std::string& text, int language, std::vector<std::string>& lines) {
  std::string piece, rest;
  if (!support::cut(text, "/", " ,", 68, language, piece, rest)) {
    lines.push_back("* " + padded(text, 68) + " *");
    return;
  }
  lines.push_back("* " + padded(piece, 68) + " *");
  while (!rest.empty()) {
    std::string next;
    if (!support::cut(rest, "/", " ,", 65, language, piece, next)) {
      lines.push_back("*   " + padded(rest, 66) + " *");
      break;
    }
    lines.push_back("*   " + padded(piece, 66) + " *");
    rest = next;
  }
}

bool endsWith(const std::string& text, const char* ending) {
  const std::size_t n = std::strlen(ending);
  return text.size() >= n && text.compare(text.size() - n, n, ending) == 0;
}

// The tool log, opened for appending. Failure to open is "IMPOUVFIC" with
// the log's name.
class ToolLog {
 public:
  explicit ToolLog(const std::string& name) : name_(name) {
    file_ = std::fopen(name.c_str(), "a");
    if (file_ == nullptr) diag::fatal("IMPOUVFIC", name);
  }
  ~ToolLog() {
    if (file_ != nullptr) std::fclose(file_);
  }
  ToolLog(const ToolLog&) = delete;
  ToolLog& operator=(const ToolLog&) = delete;
  void write(const std::string& line) {
    if (std::fputs(line.c_str(), file_) < 0) fail("IMPECRFIC");
  }
  void close() {
    std::FILE* f = file_;
    file_ = nullptr;
    const bool flushed = std::fflush(f) == 0;
    const bool closed = std::fclose(f) == 0;
    if (!flushed) fail("IMPECRFIC");
    if (!closed) fail("IMPFERFIC");
  }

 private:
  [[noreturn]] void fail(const char* code) {
    if (file_ != nullptr) std::fclose(file_);
    file_ = nullptr;
    diag::fatal(code, name_);
  }
  std::string name_;
  std::FILE* file_ = nullptr;
};

// Opening an output for a logged ending makes sure the tool log can take
// its line later: the log is created now, as it was when it took the line
// at once.
void checkToolLog(const std::string& path) {
  const std::string& log = state().context.toolLog;
  if (log.empty() || toolLogLine(path).empty()) return;
  ToolLog(log).close();
}

std::string directoryOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string fileNameOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// A path that cannot name a file: empty, ending with "/", "." or "..".
bool namesADirectory(const std::string& path) {
  const std::string name = fileNameOf(path);
  return name.empty() || name == "." || name == "..";
}

// Creates the temporary file of an output beside its final path, named for
// the process and the output; a file of that name can only be left by a dead
// run of the same process number.
std::FILE* createTemporary(Destination d, Slot& s, bool keepMode, mode_t mode) {
  char stamp[48];
  std::snprintf(stamp, sizeof stamp, ".%lx-%d.tmp", static_cast<unsigned long>(::getpid()), static_cast<int>(d));
  s.writtenPath = directoryOf(s.finalPath) + "." + fileNameOf(s.finalPath) + stamp;
  rememberForRemoval(d, s.writtenPath);
  int fd = ::open(s.writtenPath.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0 && errno == EEXIST && ::unlink(s.writtenPath.c_str()) == 0) {
    fd = ::open(s.writtenPath.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  }
  if (fd < 0) {
    forgetForRemoval(d);
    s.writtenPath.clear();
    return nullptr;
  }
  if (keepMode) (void)::fchmod(fd, mode);  // the replaced file keeps its permissions
  std::FILE* f = ::fdopen(fd, "w+");
  if (f == nullptr) {
    ::close(fd);
    ::unlink(s.writtenPath.c_str());
    forgetForRemoval(d);
    s.writtenPath.clear();
  }
  return f;
}

// Opens the stream of an output slot for its path; "IMPOUVFIC" on failure.
void openSlot(Destination d, Slot& s) {
  const std::string& path = s.path;
  if (namesADirectory(path)) diag::fatal("IMPOUVFIC", path);
  s.finalPath = path;
  struct stat st {};
  bool exists = ::lstat(path.c_str(), &st) == 0;
  if (exists && S_ISLNK(st.st_mode)) {
    // A link to a file: the file is replaced and the link stays. A link to
    // nothing is replaced by the file.
    char resolved[PATH_MAX];
    exists = ::stat(path.c_str(), &st) == 0 && ::realpath(path.c_str(), resolved) != nullptr;
    if (exists) s.finalPath = resolved;
  }
  if (exists && S_ISDIR(st.st_mode)) diag::fatal("IMPOUVFIC", path);
  if (exists && !S_ISREG(st.st_mode)) {
    // A device or a pipe: nothing to replace, it is written as it stands.
    s.inPlace = true;
    s.stream = std::fopen(path.c_str(), "w+");
    if (s.stream == nullptr) diag::fatal("IMPOUVFIC", path);
    return;
  }
  if (exists && ::access(s.finalPath.c_str(), W_OK) != 0) diag::fatal("IMPOUVFIC", path);
  s.stream = createTemporary(d, s, exists, st.st_mode & 07777);
  if (s.stream == nullptr) diag::fatal("IMPOUVFIC", path);
}

// Flushes and closes the stream of an output.
void closeStream(Slot& s) {
  std::FILE* f = s.stream;
  s.stream = nullptr;
  const bool flushed = std::fflush(f) == 0;
  const bool closed = std::fclose(f) == 0;
  if (!flushed) diag::fatal("IMPECRFIC", s.path);
  if (!closed) diag::fatal("IMPFERFIC", s.path);
}

// Deletes the temporary file of a closed output.
// An output dropped because errors were counted: its temporary file goes,
// and so does what an earlier run left at its name, so that a run with
// errors leaves no harness behind. Devices and pipes written in place are
// left alone.
void discard(Destination d, Slot& s) {
  if (s.inPlace || s.writtenPath.empty()) return;
  const std::string written = s.writtenPath;
  s.writtenPath.clear();
  forgetForRemoval(d);
  if (::unlink(written.c_str()) != 0) diag::fatal("IMPFERFIC", s.path);
  struct stat st {};
  if (::lstat(s.finalPath.c_str(), &st) == 0 && (S_ISREG(st.st_mode) || S_ISLNK(st.st_mode)) &&
      ::unlink(s.finalPath.c_str()) != 0) {
    diag::fatal("IMPFERFIC", s.path);
  }
}

// Puts a closed output in place and logs it.
void putInPlace(Destination d, Slot& s, ToolLog* log) {
  if (!s.inPlace && !s.writtenPath.empty()) {
    if (::rename(s.writtenPath.c_str(), s.finalPath.c_str()) != 0) diag::fatal("IMPFERFIC", s.path);
    s.writtenPath.clear();
    forgetForRemoval(d);
  }
  const std::string line = toolLogLine(s.path);
  if (log != nullptr && !line.empty()) log->write(line);
}

// Writes bytes that are whole lines to a destination.
void writeBytes(Destination d, std::string_view bytes);

// Moves the lines held in memory to the end of the work file.
void spill(WorkFile& w) {
  const char* p = w.lines.data();
  std::size_t left = w.lines.size();
  while (left > 0) {
    const ssize_t n = ::write(w.fd, p, left);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) diag::fatal("IMPECRFIC", w.path);
    p += n;
    left -= static_cast<std::size_t>(n);
  }
  w.lines.clear();
  w.spilled = true;
}

void appendToWork(WorkFile& w, std::string_view bytes, bool newline) {
  w.lines.append(bytes);
  if (newline) w.lines.push_back('\n');
  if (w.lines.size() >= state().workMemory) spill(w);
}

// Empties a work file: the lines in memory go, and the file when it holds any.
void empty(WorkFile& w) {
  w.lines.clear();
  if (!w.spilled) return;
  w.spilled = false;
  if (::ftruncate(w.fd, 0) != 0 || ::lseek(w.fd, 0, SEEK_SET) != 0) diag::fatal("IMPECRFIC", w.path);
}

// Copies the lines of a work file to the current output.
void copyWork(WorkFile& w) {
  if (w.spilled) {
    spill(w);
    if (::lseek(w.fd, 0, SEEK_SET) != 0) diag::fatal("IMPRESFIC", w.path);
    char buffer[64 * 1024];
    for (;;) {
      const ssize_t n = ::read(w.fd, buffer, sizeof buffer);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) diag::fatal("IMPRESFIC", w.path);
      if (n == 0) break;
      writeBytes(state().current, std::string_view(buffer, static_cast<std::size_t>(n)));
    }
  } else {
    writeBytes(state().current, w.lines);
  }
}

void writeBytes(Destination d, std::string_view bytes) {
  if (isWorkFile(d)) {
    WorkFile& w = work(d);
    if (w.open) appendToWork(w, bytes, false);
    return;
  }
  Slot& s = slot(d);
  if (s.stream == nullptr || bytes.empty()) return;
  if (std::fwrite(bytes.data(), 1, bytes.size(), s.stream) != bytes.size() || std::ferror(s.stream)) {
    diag::fatal("IMPECRFIC", s.path);
  }
}

void writeRaw(Destination d, std::string_view text) {
  if (isWorkFile(d)) {
    WorkFile& w = work(d);
    if (w.open) appendToWork(w, text, true);
    return;
  }
  Slot& s = slot(d);
  if (s.stream == nullptr) return;
  if ((!text.empty() && std::fwrite(text.data(), 1, text.size(), s.stream) != text.size()) ||
      std::fputc('\n', s.stream) == EOF || std::ferror(s.stream)) {
    diag::fatal("IMPECRFIC", s.path);
  }
}

// Work files of each section, in merge order (letter indexes).
const std::vector<int>* sectionFiles(int section) {
  static const std::vector<int> s0{0, 1}, s1{2, 3}, s3{4}, s4{5}, s6{7};
  switch (section) {
    case 0: return &s0;
    case 1: return &s1;
    case 3: return &s3;
    case 4: return &s4;
    case 6: return &s6;
    default: return nullptr;
  }
}

}  // namespace

CommentDelimiters commentDelimiters(int languageIndex) {
  static constexpr CommentDelimiters table[] = {
      {"--", ""}, {"(*", "*)"}, {"/*", "*/"}, {"/*", "*/"}, {";", ""}, {"", ""}, {"//", ""}, {"(*", "*)"},
  };
  if (languageIndex < 0 || languageIndex >= 8) return {"", ""};
  return table[languageIndex];
}

std::vector<std::string> headerCommentLines(const HeaderInputs& in) {
  const bool french = in.language == 0 || in.language == 1;
  const std::string stars(kHeaderWidth, '*');
  const std::string empty = "*" + std::string(kHeaderWidth - 2, ' ') + "*";
  const int language = state().context.languageIndex;
  std::vector<std::string> lines;
  lines.push_back(stars);
  framed(std::string(french ? "OUTIL" : "TOOL") + " : " + "Unit Test Compiler" + " VERSION " + kVersion, language,
         lines);
  lines.push_back(empty);
  framed(std::string(french ? "COMMANDE" : "COMMAND") + " : " + in.commandText, language, lines);
  lines.push_back(empty);
  framed(std::string(french ? "FICHIER" : "FILE") + " : " + in.filePath, language, lines);
  lines.push_back(empty);
  framed("DATE : " + in.runDate, language, lines);
  lines.push_back(stars);
  return lines;
}

std::string toolLogLine(const std::string& path) {
  struct Kind {
    const char* ending;
    const char* tag;
  };
  // Letter case counts: ".C" and ".c", ".iC" and ".ic" differ.
  static constexpr Kind kinds[] = {
      {".C", "CPP "},   {".a", "ADA "},   {".ada", "ADA "}, {".adb", "ADA "},  {".ads", "ADA "},
      {".c", "C   "},   {".ic", "C   "},  {".h", "H   "},   {".cc", "CCP "},   {".iC", "CCP "},
      {".ro", "RO  "},  {".cpp", "CPP "}, {".icc", "CPP "}, {".icpp", "CPP "}, {".tdc", "TDC "},
      {".rod", "ROD "}, {".ddt", "DDT "}, {".mdt", "MDT "}, {".tsf", "TSF "},  {".xrd", "XRD "},
  };
  for (const Kind& k : kinds) {
    if (endsWith(path, k.ending)) return std::string(k.tag) + path + "\n";
  }
  return {};
}

void setOutputContext(const OutputContext& context) { state().context = context; }
const OutputContext& outputContext() { return state().context; }

void openOutput(Destination d, const std::string& path, const char* commentStart, const char* commentEnd) {
  if (isWorkFile(d)) diag::severe("ERRINTFCT", "OpenOutput");
  closeOutput(d, false);
  Slot& s = slot(d);
  s = Slot{};
  s.path = path;
  openSlot(d, s);
  s.order = ++state().opened;
  checkToolLog(path);
  if (commentStart == nullptr) return;
  const OutputContext& c = state().context;
  const std::string start = commentStart;
  const std::string end = commentEnd == nullptr ? "" : commentEnd;
  for (const std::string& line : headerCommentLines({c.headerLanguage, c.commandText, path, c.runDate})) {
    writeRaw(d, start + line + end);
  }
}

bool isOpen(Destination d) { return isWorkFile(d) ? work(d).open : slot(d).stream != nullptr; }
const std::string& pathOf(Destination d) { return isWorkFile(d) ? work(d).path : slot(d).path; }
std::FILE* streamOf(Destination d) { return isWorkFile(d) ? nullptr : slot(d).stream; }

void closeOutput(Destination d, bool remove) {
  if (isWorkFile(d)) return;
  Slot& s = slot(d);
  if (s.stream == nullptr) return;
  closeStream(s);
  if (remove) {
    discard(d, s);
    return;
  }
  const std::string& log = state().context.toolLog;
  if (log.empty() || toolLogLine(s.path).empty()) {
    putInPlace(d, s, nullptr);
    return;
  }
  ToolLog logFile(log);
  putInPlace(d, s, &logFile);
  logFile.close();
}

void closeOutputs(std::initializer_list<Closing> closings) {
  std::vector<Destination> kept;
  for (const Closing& c : closings) {
    if (isWorkFile(c.destination)) continue;
    Slot& s = slot(c.destination);
    if (s.stream == nullptr) continue;
    closeStream(s);
    if (c.remove) discard(c.destination, s);
    else kept.push_back(c.destination);
  }
  if (kept.empty()) return;
  std::sort(kept.begin(), kept.end(), [](Destination a, Destination b) { return slot(a).order < slot(b).order; });
  const TerminationSignalsHeld held;
  const std::string& logName = state().context.toolLog;
  bool logged = false;
  for (Destination d : kept) logged = logged || !toolLogLine(slot(d).path).empty();
  if (logName.empty() || !logged) {
    for (Destination d : kept) putInPlace(d, slot(d), nullptr);
    return;
  }
  ToolLog log(logName);
  for (Destination d : kept) putInPlace(d, slot(d), &log);
  log.close();
}

void writeLine(Destination d, std::string_view text) { writeRaw(d, text); }

std::vector<std::string> splitGeneratedLine(std::string_view text, int languageIndex) {
  std::vector<std::string> pieces;
  std::string rest(text);
  std::string leading = " ,;()";
  bool adaComment = false;
  while (true) {
    if (rest.size() <= static_cast<std::size_t>(kGeneratedWidth)) {
      pieces.push_back(rest);
      break;
    }
    std::string piece, next;
    if (!support::cut(rest, leading, "", kGeneratedWidth, languageIndex, piece, next)) {
      pieces.push_back(rest);
      break;
    }
    pieces.push_back(piece);
    if (languageIndex == support::kLangAda && (adaComment || piece.find("--") != std::string::npos)) {
      // Ada comments continue on the next line only behind a new "--".
      adaComment = true;
      leading = " +/*.,;()";
      if (next.size() + 2 >= rest.size()) {  // no progress: keep the rest whole
        pieces.push_back("--" + next);
        break;
      }
      next = "--" + next;
    }
    rest = next;
  }
  return pieces;
}

void writeSplitLine(Destination d, std::string_view text) {
  if (!isOpen(d)) return;
  for (const std::string& piece : splitGeneratedLine(text, state().context.languageIndex)) writeRaw(d, piece);
}

void setCurrentOutput(Destination d) { state().current = d; }
Destination currentOutput() { return state().current; }

void selectOutput(int index) {
  if (index == 1) state().current = Harness;
  else if (index == 0) state().current = AlternateHarness;
}

void writeCurrent(std::string_view text) { writeLine(state().current, text); }
void writeCurrentSplit(std::string_view text) { writeSplitLine(state().current, text); }

void makeWorkFileNames(const std::string& temporaryBase) {
  closeAndDeleteWorkFiles();
  for (int i = 0; i < kWorkFileCount; ++i) {
    state().work[static_cast<std::size_t>(i)].path = temporaryBase + static_cast<char>('a' + i) + ".tmp";
  }
  installExitCleanup();
}

const std::string& workFileName(int letterIndex) {
  static const std::string none;
  if (letterIndex < 0 || letterIndex >= kWorkFileCount) return none;
  return state().work[static_cast<std::size_t>(letterIndex)].path;
}

bool openWorkFiles(int section) {
  const std::vector<int>* files = sectionFiles(section);
  if (files == nullptr) return false;
  for (int letter : *files) {
    const Destination d = workFile(letter);
    WorkFile& w = work(d);
    if (w.path.empty()) diag::severe("ERRINTFCT", "OpenWorkFiles");
    if (w.fd < 0) {
      rememberForRemoval(d, w.path);
      w.fd = ::open(w.path.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
      if (w.fd < 0) {
        forgetForRemoval(d);
        diag::fatal("IMPOUVFIC", w.path);
      }
      w.spilled = false;
      w.lines.clear();
    } else {
      empty(w);
    }
    w.open = true;
  }
  if (section == 0 || section == 1) writeCurrent("");
  return true;
}

bool mergeWorkFiles(int section) {
  const std::vector<int>* files = sectionFiles(section);
  if (files == nullptr) return false;
  for (int letter : *files) {
    if (state().current == workFile(letter)) diag::severe("ERRINTFCT", "MergeWorkFiles");
  }
  for (int letter : *files) {
    WorkFile& w = work(workFile(letter));
    if (!w.open) continue;
    copyWork(w);
    w.open = false;
    empty(w);
  }
  return true;
}

void closeAndDeleteWorkFiles() {
  // The order is a, b, g, c, d, e, f, h; i, j and k follow when used.
  // This also runs from the crash handler: the names go first (unlink is
  // safe there), the files after.
  static constexpr int order[] = {0, 1, 6, 2, 3, 4, 5, 7, 8, 9, 10};
  for (int letter : order) {
    const Destination d = workFile(letter);
    WorkFile& w = work(d);
    if (w.fd >= 0) {
      ::unlink(w.path.c_str());
      forgetForRemoval(d);
    }
  }
  for (int letter : order) {
    WorkFile& w = work(workFile(letter));
    if (w.fd >= 0) ::close(w.fd);
    w.fd = -1;
    w.open = false;
    w.spilled = false;
    std::string().swap(w.lines);
  }
  if (isWorkFile(state().current)) state().current = Harness;
}

void removeUnfinishedFiles() {
  // Names first, as above: every temporary output and work file.
  removeRememberedFiles();
  closeAndDeleteWorkFiles();
  for (Slot& s : state().slots) {
    if (s.stream != nullptr) std::fclose(s.stream);
    s.stream = nullptr;
    s.writtenPath.clear();
  }
}

void installExitCleanup() { diag::setExitCleanup(&removeUnfinishedFiles); }

void setWorkFileMemoryLimitForTests(std::size_t bytes) { state().workMemory = bytes == 0 ? kWorkFileMemory : bytes; }

void resetOutputsForTests() {
  removeUnfinishedFiles();
  for (Slot& s : state().slots) s = Slot{};
  for (WorkFile& w : state().work) w.path.clear();
  state().current = Harness;
  state().context = OutputContext{};
  state().opened = 0;
  state().workMemory = kWorkFileMemory;
}

}  // namespace zenta::output
