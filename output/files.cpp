#include "output/files.h"

#include <unistd.h>

#include <array>
#include <cstdlib>
#include <cstring>

#include "diag/report.h"
#include "support/text.h"

namespace zenta::output {

namespace {

constexpr const char* kVersion = "8.3.0.1.342.020";
constexpr std::size_t kHeaderWidth = 72;
constexpr int kGeneratedWidth = 80;

struct Slot {
  std::string path;
  std::FILE* stream = nullptr;
  bool created = false;  // work files: the file exists on disk and is ours
};

struct State {
  std::array<Slot, DestinationCount> slots;
  std::array<std::string, kWorkFileCount> workNames;
  Destination current = Harness;
  OutputContext context;
};

State& state() {
  static State s;
  return s;
}

Slot& slot(Destination d) { return state().slots[static_cast<std::size_t>(d)]; }

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

void appendToToolLog(const std::string& path) {
  const std::string& log = state().context.toolLog;
  if (log.empty()) return;
  const std::string line = toolLogLine(path);
  if (line.empty()) return;  // an ending that is not logged
  std::FILE* f = std::fopen(log.c_str(), "a");
  if (f == nullptr) diag::fatal("IMPOUVFIC", log);
  const bool written = std::fputs(line.c_str(), f) >= 0;
  const bool flushed = std::fflush(f) == 0;
  const bool closed = std::fclose(f) == 0;
  if (!written || !flushed) diag::fatal("IMPECRFIC", log);
  if (!closed) diag::fatal("IMPFERFIC", log);
}

void writeRaw(Destination d, std::string_view text) {
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

void createOutput(Destination d, const std::string& path) {
  Slot& s = slot(d);
  if (s.stream != nullptr) {
    std::fclose(s.stream);
    s.stream = nullptr;
  }
  s.path = path;
  std::FILE* f = std::fopen(path.c_str(), "w+");
  if (f == nullptr) diag::fatal("IMPOUVFIC", path);
  s.stream = f;
  s.created = true;
  appendToToolLog(path);
}

void openOutput(Destination d, const std::string& path, const char* commentStart, const char* commentEnd) {
  createOutput(d, path);
  if (commentStart == nullptr) return;
  const OutputContext& c = state().context;
  const std::string start = commentStart;
  const std::string end = commentEnd == nullptr ? "" : commentEnd;
  for (const std::string& line : headerCommentLines({c.headerLanguage, c.commandText, path, c.runDate})) {
    writeRaw(d, start + line + end);
  }
}

bool isOpen(Destination d) { return slot(d).stream != nullptr; }
const std::string& pathOf(Destination d) { return slot(d).path; }
std::FILE* streamOf(Destination d) { return slot(d).stream; }

void closeOutput(Destination d, bool remove) {
  Slot& s = slot(d);
  if (s.stream == nullptr) return;
  std::FILE* f = s.stream;
  s.stream = nullptr;
  const bool flushed = std::fflush(f) == 0;
  const bool closed = std::fclose(f) == 0;
  if (!flushed) diag::fatal("IMPECRFIC", s.path);
  if (!closed) diag::fatal("IMPFERFIC", s.path);
  if (remove) {
    s.created = false;
    if (::unlink(s.path.c_str()) != 0) diag::fatal("IMPFERFIC", s.path);
  }
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
  if (slot(d).stream == nullptr) return;
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
  for (int i = 0; i < kWorkFileCount; ++i) {
    state().workNames[static_cast<std::size_t>(i)] = temporaryBase + static_cast<char>('a' + i) + ".tmp";
  }
  installWorkFileCleanup();
}

const std::string& workFileName(int letterIndex) {
  static const std::string none;
  if (letterIndex < 0 || letterIndex >= kWorkFileCount) return none;
  return state().workNames[static_cast<std::size_t>(letterIndex)];
}

bool openWorkFiles(int section) {
  const std::vector<int>* files = sectionFiles(section);
  if (files == nullptr) return false;
  for (int letter : *files) {
    const std::string& name = workFileName(letter);
    if (name.empty()) diag::severe("ERRINTFCT", "OpenWorkFiles");
    createOutput(workFile(letter), name);
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
    const Destination d = workFile(letter);
    Slot& s = slot(d);
    if (s.stream == nullptr) continue;
    if (std::fflush(s.stream) != 0) diag::fatal("IMPECRFIC", s.path);
    if (std::fseek(s.stream, 0, SEEK_SET) != 0) diag::fatal("IMPRESFIC", s.path);
    char* buffer = nullptr;
    std::size_t capacity = 0;
    ssize_t length;
    while ((length = ::getline(&buffer, &capacity, s.stream)) >= 0) {
      std::size_t n = static_cast<std::size_t>(length);
      if (n > 0 && buffer[n - 1] == '\n') --n;
      writeCurrent(std::string_view(buffer, n));
    }
    std::free(buffer);
    if (std::ferror(s.stream)) diag::fatal("IMPRESFIC", s.path);
    closeOutput(d, true);
  }
  return true;
}

void closeAndDeleteWorkFiles() {
  // The order is a, b, g, c, d, e, f, h; i, j and k follow when used.
  // This also runs from the crash handler: the names go first (unlink is
  // safe there), the streams after.
  static constexpr int order[] = {0, 1, 6, 2, 3, 4, 5, 7, 8, 9, 10};
  for (int letter : order) {
    Slot& s = slot(workFile(letter));
    if (s.created) {
      ::unlink(s.path.c_str());
      s.created = false;
    }
  }
  for (int letter : order) {
    Slot& s = slot(workFile(letter));
    if (s.stream != nullptr) {
      std::fclose(s.stream);
      s.stream = nullptr;
    }
  }
  if (isWorkFile(state().current)) state().current = Harness;
}

void installWorkFileCleanup() { diag::setExitCleanup(&closeAndDeleteWorkFiles); }

void resetOutputsForTests() {
  for (Slot& s : state().slots) {
    if (s.stream != nullptr) std::fclose(s.stream);
    s = Slot{};
  }
  for (std::string& n : state().workNames) n.clear();
  state().current = Harness;
  state().context = OutputContext{};
}

}  // namespace zenta::output
