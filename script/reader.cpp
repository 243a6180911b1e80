#include "script/reader.h"

#include <vector>

#include "analyser/interface.h"
#include "cmdline/settings.h"
#include "diag/report.h"
#include "generator/skeleton.h"
#include "output/files.h"
#include "output/sources.h"
#include "script/analyse.h"
#include "script/keywords.h"
#include "script/structure.h"

namespace zenta::script {
namespace {

struct Reader {
  bool pending = false;
  bool reuseLine = false;
  bool endOfInput = false;
  bool noStatementYet = true;
  std::string line;
  std::string statement;
  // The line of the including file that ended an include-PTU statement, by
  // frame depth.
  std::vector<std::string> savedLines;
  std::vector<bool> hasSaved;

  std::string native;
  bool nativeCollected = false;
  int nativeFirstLine = 0;
  int nativeLastLine = 0;
};

Reader g_reader;

// Trace 2: a statement line is copied to the harness as a comment.
void traceStatementLine(const std::string& physical) {
  if (!cmdline::traceOn(2)) return;
  const output::CommentDelimiters d = output::commentDelimiters(passArguments().harnessLanguage);
  const std::string opener = d.start ? d.start : "";
  std::string text = opener + " " + physical + " ";
  if (d.end && *d.end) {
    text += d.end;
  } else if (opener == "//") {
    // A line comment that ends with a backslash, blanks or not, would take
    // the next harness line with it: the opener closes it instead.
    const std::size_t last = physical.find_last_not_of(" \t\r");
    if (last != std::string::npos && physical[last] == '\\') text += opener;
  }
  generator::genTraceComment(text);
}

void echo(const std::string& physical) {
  if (diag::listFileOpen()) diag::writeToListFile(physical + "\n");
}

void saveLine(const std::string& text) {
  const int depth = output::sourceDepth();
  if (depth <= 0) return;
  const auto d = static_cast<std::size_t>(depth);
  if (g_reader.savedLines.size() < d) {
    g_reader.savedLines.resize(d);
    g_reader.hasSaved.resize(d, false);
  }
  g_reader.savedLines[d - 1] = text;
  g_reader.hasSaved[d - 1] = true;
}

bool takeSavedLine(std::string& text) {
  const int depth = output::sourceDepth();
  if (depth <= 0) return false;
  const auto d = static_cast<std::size_t>(depth);
  if (g_reader.hasSaved.size() < d || !g_reader.hasSaved[d - 1]) return false;
  text = g_reader.savedLines[d - 1];
  g_reader.savedLines[d - 1].clear();
  g_reader.hasSaved[d - 1] = false;
  return true;
}

void clearSavedAtCurrentDepth() {
  std::string ignored;
  takeSavedLine(ignored);
}

// A native-code line outside a statement: '#' collected and written, '@'
// written only, '!' collected only.
void nativeLine(const std::string& trimmed) {
  const char marker = trimmed[0];
  const std::string code = trimmed.substr(1);
  const BlockState& b = blockState();
  if ((marker == '#' || marker == '!') && analysisAllowed() && !generator::generationSuppressed()) {
    const output::SourceFrame* frame = output::currentSource();
    collectNativeCode(code, frame ? frame->line : diag::currentLine());
  }
  if ((marker == '#' || marker == '@') && !b.segmentOpen && !b.stubDefinitionOpen) generator::genNativeLine(code);
  if (cmdline::traceOn(3) && b.elementOpen) handleComment(trimmed);
}

// The reader's position: the current frame's file and line.
std::string readerFile() {
  const output::SourceFrame* frame = output::currentSource();
  return frame ? frame->path : diag::currentFile();
}
int readerLine() {
  const output::SourceFrame* frame = output::currentSource();
  return frame ? frame->line : diag::currentLine();
}

// The statement's messages carry its first line in the IDE message form
// while its handler runs; the classic prefix keeps the reader's position.
struct StatementSpan {
  StatementSpan() { diag::statementHandledAt(diag::currentFile(), diag::currentLine()); }
  ~StatementSpan() { diag::endStatement(); }
  StatementSpan(const StatementSpan&) = delete;
  StatementSpan& operator=(const StatementSpan&) = delete;
};

void dispatchPending() {
  g_reader.pending = false;
  const std::string statement = trim(g_reader.statement);
  g_reader.statement.clear();
  if (statement.empty()) {
    diag::endStatement();
    return;
  }
  const StatementSpan span;
  g_reader.noStatementYet = false;
  if (isIncludePtu(statement)) {
    // The line that ended the statement waits in the including frame until
    // the included file ends.
    const int depth = output::sourceDepth();
    saveLine(g_reader.line);
    dispatchStatement(statement);
    if (output::sourceDepth() > depth) {
      g_reader.line.clear();
      g_reader.reuseLine = false;
    } else {
      clearSavedAtCurrentDepth();
    }
    return;
  }
  dispatchStatement(statement);
}

void startStatement(const std::string& physical) {
  diag::beginStatement(readerFile(), readerLine());
  traceStatementLine(physical);
  std::string code, comment;
  splitComment(trim(physical), "--", passArguments().harnessLanguage, code, comment);
  g_reader.statement = trim(code);
  g_reader.pending = true;
}

void processLine() {
  const std::string physical = g_reader.line;
  const std::string t = trim(physical);
  if (!g_reader.pending) {
    echo(physical);
    if (t.empty()) {
      generator::genNativeLine(physical);
      return;
    }
    if (t[0] == '#' || t[0] == '@' || t[0] == '!') {
      nativeLine(t);
      return;
    }
    startStatement(physical);
    return;
  }
  if (t.empty()) {
    g_reader.reuseLine = true;
    dispatchPending();
    return;
  }
  if (t[0] == '&') {
    diag::extendStatement(readerLine());
    echo(physical);
    traceStatementLine(physical);
    std::string code, comment;
    splitComment(std::string_view(t).substr(1), "--", passArguments().harnessLanguage, code, comment);
    const std::string part = trim(code);
    if (g_reader.statement.size() + 1 + part.size() >= kLineLimit) {
      std::string shown = g_reader.statement.substr(0, 60);
      if (g_reader.statement.size() > 60) shown += "...";
      diag::fatal("LINETOLON", shown);
    }
    g_reader.statement += " ";
    g_reader.statement += part;
    return;
  }
  if (t.size() >= 2 && t[0] == '-' && t[1] == '-') {
    echo(physical);
    return;
  }
  g_reader.reuseLine = true;
  dispatchPending();
}

}  // namespace

bool splitComment(std::string_view line, std::string_view opener, int harnessLanguage, std::string& code,
                  std::string& comment) {
  code.clear();
  comment.clear();
  std::size_t i = 0;
  while (i < line.size()) {
    const char c = line[i];
    if (c == '"') {
      std::size_t j = i + 1;
      while (j < line.size() && line[j] != '"') j += (line[j] == '\\') ? 2 : 1;
      i = std::min(j + 1, line.size());
      continue;
    }
    if (c == '\'') {
      if (harnessLanguage == 0) {
        if (i + 2 < line.size() && line[i + 2] == '\'') {
          i += 3;
          continue;
        }
        if (i + 3 < line.size() && line[i + 1] == '\\') {
          i += 4;
          continue;
        }
        ++i;
        continue;
      }
      std::size_t j = i + 1;
      while (j < line.size() && line[j] != '\'') j += (line[j] == '\\') ? 2 : 1;
      i = std::min(j + 1, line.size());
      continue;
    }
    if (!opener.empty() && line.substr(i, opener.size()) == opener) {
      code = std::string(line.substr(0, i));
      comment = std::string(line.substr(i + opener.size()));
      return true;
    }
    ++i;
  }
  code = std::string(line);
  return false;
}

bool isIncludePtu(std::string_view statement) {
  std::string word, rest;
  splitWord(trim(statement), word, rest);
  if (word != "INCLUDE" && word != "INCLURE") return false;
  std::string second, tail;
  splitWord(trim(rest), second, tail);
  return second == "PTU";
}

void readScript() {
  while (!g_reader.endOfInput) {
    if (!g_reader.reuseLine) {
      if (!output::readSourceLine(g_reader.line)) {
        if (g_reader.pending && isIncludePtu(g_reader.statement)) {
          // The include is performed at once; the reader then goes on with
          // the included file, and back here when it ends.
          g_reader.line.clear();
        } else if (output::sourceDepth() <= 1) {
          g_reader.endOfInput = true;
          break;
        } else {
          output::closeCurrentSource();
          if (!takeSavedLine(g_reader.line)) g_reader.line.clear();
          const output::SourceFrame* frame = output::currentSource();
          if (frame) diag::setCurrentFile(frame->path);
        }
      }
    }
    g_reader.reuseLine = false;
    processLine();
  }
  if (g_reader.pending && !trim(g_reader.statement).empty()) {
    g_reader.line.clear();
    dispatchPending();
  }
  g_reader.pending = false;
  if (g_reader.noStatementYet) diag::fatal("AUCUNMETA", "");
}

void collectNativeCode(const std::string& code, int line) {
  if (!g_reader.nativeCollected) {
    g_reader.native = code;
    g_reader.nativeCollected = true;
    g_reader.nativeFirstLine = line;
  } else {
    const int distance = line > g_reader.nativeLastLine ? line - g_reader.nativeLastLine : 1;
    g_reader.native.append(static_cast<std::size_t>(distance), '\n');
    g_reader.native += code;
  }
  g_reader.nativeLastLine = line;
}

const std::string& collectedNativeCode() { return g_reader.native; }

void handOnNativeCode() {
  if (!g_reader.nativeCollected) return;
  BlockState& b = blockState();
  // The analyser's messages move the message position; the statement's own
  // messages must carry the script's position again.
  const std::string file = diag::currentFile();
  const int line = diag::currentLine();
  if (b.nativeAnalysis) {
    collectNativeCode(" ", g_reader.nativeLastLine + 1);
    const output::SourceFrame* frame = output::currentSource();
    g_reader.native =
        analyser::preprocessNativeCode(g_reader.native, frame ? frame->path : diag::currentFile(),
                                       g_reader.nativeFirstLine, analysisAllowed() && !b.stubDefinitionOpen);
  }
  if (!b.stubDefinitionOpen) {
    g_reader.native.clear();
    g_reader.nativeCollected = false;
    const output::SourceFrame* frame = output::currentSource();
    diag::setCurrentFile(frame ? frame->path : file);
  } else {
    diag::setCurrentFile(file);
  }
  diag::setCurrentLine(line);
}

std::string takeStubNativeCode() {
  std::string code = g_reader.native;
  g_reader.native.clear();
  g_reader.nativeCollected = false;
  return code;
}

void resetReader() { g_reader = Reader{}; }

}  // namespace zenta::script
