#include "output/description.h"

#include <cctype>
#include <cstdlib>
#include <cstring>

#include "diag/report.h"
#include "output/files.h"
#include "output/tdc.h"
#include "output/tsf.h"
#include "support/text.h"

namespace zenta::output::description {
namespace {

struct Queue {
  std::vector<std::string> comments;
  std::vector<std::string> requirements;
};

struct State {
  Queue queues[3];
  std::string serviceType;
  bool serviceTypePending = false;
};

State& state() {
  static State s;
  return s;
}

std::string trimmed(const std::string& text) {
  std::size_t b = 0, e = text.size();
  while (b < e && std::isspace(static_cast<unsigned char>(text[b]))) ++b;
  while (e > b && std::isspace(static_cast<unsigned char>(text[e - 1]))) --e;
  return text.substr(b, e - b);
}

std::string padded(std::string text, std::size_t width) {
  if (text.size() < width) text.append(width - text.size(), ' ');
  return text;
}

// Writes the queued comments, then the queued requirements, of one level and
// empties its queue.
void flushQueue(Level level) {
  Queue& q = state().queues[level];
  for (const std::string& c : q.comments) tdc::writeNumbered('C', c);
  for (const std::string& r : q.requirements) tdc::writeNumbered('Q', r);
  q.comments.clear();
  q.requirements.clear();
}

}  // namespace

// ---------------------------------------------------------------- header

std::string expandField(const std::string& field) {
  if (field.empty() || field[0] != '$') return field;
  const std::string name = field.substr(1);
  return support::environmentValue(name.c_str(), std::string());
}

std::string versionMismatch(const std::string& strver, const std::string& b, const std::string& origin) {
  if (strver.empty() || b.empty() || strver == b) return {};
  return origin + strver + " / PTU : " + b;
}

void writeHeaderLines(const std::string& a, const std::string& b, const std::string& c, const std::string* d,
                      const std::string& version) {
  tdc::writeLine("E1 " + a);
  tdc::writeLine("E2 " + version);
  tdc::writeLine("E10 " + c);
  if (d)
    tdc::writeLine("E0 " + a + " , " + b + " , " + *d + " , " + c);
  else
    tdc::writeLine("E0 " + a + " , " + b + " , " + c);
}

void writeHeaderStatement(const std::string& a0, const std::string& b0, const std::string& c0,
                          const std::string* d0, const std::string& strver) {
  const std::string a = expandField(a0);
  const std::string b = expandField(b0);
  const std::string c = expandField(c0);
  const std::string mismatch = versionMismatch(strver, b);
  if (!mismatch.empty()) diag::warning("MISMNUVER", mismatch);
  const std::string d = d0 ? expandField(*d0) : std::string();
  writeHeaderLines(a, b, c, d0 ? &d : nullptr, strver.empty() ? b : strver);
}

void writeDefaultServiceType(const std::string& text) { tdc::writeLine("E3 " + text); }

// ------------------------------------------------------------ queues

void queueComment(Level level, const std::string& text) { state().queues[level].comments.push_back(text); }
void queueRequirement(Level level, const std::string& text) {
  state().queues[level].requirements.push_back(text);
}
int writeComment(char tag, const std::string& text) { return tdc::writeNumbered(tag, text); }

void setPendingServiceType(const std::string& text) {
  state().serviceType = text;
  state().serviceTypePending = true;
}
bool serviceTypePending() { return state().serviceTypePending; }

void clearQueues() { state() = State(); }

// ------------------------------------------------ services, tests, elements

int writeServiceHeader(const std::string& name) {
  const int number = tdc::writeNumbered('O', name);
  if (state().serviceTypePending) {
    tdc::writeNumbered('S', state().serviceType);
    state().serviceTypePending = false;
  }
  flushQueue(LevelService);
  return number;
}

TestHeader writeTestHeader(const std::string& name, const std::string& loopCount,
                           const std::vector<std::string>& families) {
  TestHeader header;
  header.testLine = tdc::writeNumbered('T', name);
  flushQueue(LevelTest);
  if (!loopCount.empty()) header.repetitionLine = writeRepetition(loopCount);
  writeFamilies(families);
  return header;
}

void writeFamilies(const std::vector<std::string>& families) {
  for (const std::string& f : families) tdc::writeNumbered('F', f);
  if (!families.empty()) flushQueue(LevelFamily);
}

int writeElementStart(int fileNumber, int line, int elementNumber) {
  tdc::writePosition("E14", fileNumber, line);
  return tdc::writeNumbered('B', std::to_string(elementNumber));
}

// ---------------------------------------- repetitions, variables and lists

bool constantCount(const std::string& text, long* value) {
  const std::string t = trimmed(text);
  if (t.empty()) return false;
  std::size_t i = 0;
  int base = 10;
  if (t.size() > 2 && t[0] == '0' && (t[1] == 'x' || t[1] == 'X')) {
    base = 16;
    i = 2;
  }
  std::size_t end = t.size();
  // Integer suffixes: u, l, ul, ll ...
  while (end > i && std::strchr("uUlL", t[end - 1])) --end;
  if (end == i) return false;
  for (std::size_t k = i; k < end; ++k) {
    const unsigned char ch = static_cast<unsigned char>(t[k]);
    if (base == 10 ? !std::isdigit(ch) : !std::isxdigit(ch)) return false;
  }
  if (value) *value = std::strtol(t.substr(i, end - i).c_str(), nullptr, base);
  return true;
}

int writeRepetition(const std::string& count) {
  const std::string t = trimmed(count);
  return tdc::writeNumbered('R', constantCount(t) ? t : std::string("?"));
}

void writeUnnumberedRepetition(const std::string& count) { tdc::writeLine("R0 " + count); }

int writeLongNumbered(char tag, const std::string& text) {
  constexpr std::size_t kPiece = 132;
  const std::string line = std::string(1, tag) + std::to_string(tdc::current()) + " " + text;
  tdc::writeLine(line.substr(0, kPiece));
  for (std::size_t at = kPiece; at < line.size(); at += kPiece) tdc::writeLine("&" + line.substr(at, kPiece));
  return tdc::nextNumber();
}

int writeVariable(const std::string& text) { return writeLongNumbered('V', text); }

int writeStructureOpen(const std::string& text) { return tdc::writeNumbered('J', text); }

int writeStructureClose(const std::string& text) {
  if (!text.empty()) return tdc::writeNumbered('P', text);
  const int number = tdc::current();
  tdc::writeLine("P" + std::to_string(number));
  return tdc::nextNumber();
}

std::string listText(const std::string& list, int itemCount, const std::string& initialItems,
                     const std::string& expectedItems) {
  return list + "[1.." + std::to_string(itemCount) + "]" + " RA=FORM=CD32" + ", INIT=" +
         (initialItems.empty() ? std::string(" ") : "{" + initialItems + "}") + ", VA=" +
         (expectedItems.empty() ? std::string(" ") : "{" + expectedItems + "}");
}

int writeList(const std::string& text) { return tdc::writeNumbered('N', text); }

int writeDependency(const std::string& text, int testLine) {
  return tdc::writeNumbered('D', text + " " + std::to_string(testLine));
}

std::string includeText(const std::string& name, const std::string& directory, const std::string& includingFile) {
  std::string text = padded(name, 25) + " / " + (directory.empty() ? std::string(34, '-') : directory);
  return padded(text, 85) + " / " + includingFile;
}

int writeInclude(const std::string& text) { return tdc::writeNumbered('I', text); }

void writeStub(int stubCounter, const std::string& block, const std::string& function) {
  tdc::writeLine("M" + std::to_string(stubCounter) + " " + block + " " + function);
  tdc::writeLine("M0");
}

// ------------------------------------------------------------------- TSF

namespace {
struct TsfState {
  std::vector<std::pair<int, int>> tests;  // (t, script line)
  int stubCounter = 0;
};
TsfState& tsfState() {
  static TsfState s;
  return s;
}
void tsfLine(const std::string& text) { tsf::writeLine(text); }
std::string dq(const std::string& text) { return "\"" + text + "\""; }
}  // namespace

void tsfService(int s, const std::string& name, int scriptLine) {
  tsfLine("SI 9");
  tsfLine("IN \"ZNUS\" " + std::to_string(4 * s + 11) + " " + dq(name));
  tsfLine("LK " + std::to_string(scriptLine));
  tsfLine("MS " + std::to_string(4 * s + 10) + " " + dq(name));
}

void tsfTest(int s, int t, const std::string& name, int scriptLine) {
  tsfLine("SI " + std::to_string(4 * s + 11));
  tsfLine("IN \"ZNUT\" " + std::to_string(4 * t + 11) + " \"Test " + name + "\"");
  tsfLine("LK " + std::to_string(scriptLine));
  tsfLine("MS " + std::to_string(4 * t + 10) + " " + dq(name));
  tsfState().tests.emplace_back(t, scriptLine);
}

void tsfStub(const std::string& name, int scriptLine) {
  TsfState& s = tsfState();
  if (s.stubCounter == 0) {
    tsfLine("SI 9");
    tsfLine("IN \"ZNUB\" 3 \"Stubs\"");
  }
  const std::string k = std::to_string(++s.stubCounter);
  tsfLine("LK " + std::to_string(scriptLine));
  tsfLine("SI 3");
  tsfLine("IN \"ZNUB\" " + k + " " + dq(name));
  tsfLine("SI " + k);
}

void tsfEnd(const std::string& crossReference1, const std::string& crossReference2) {
  tsfLine("ID 1 0");
  tsfLine("ED");
  tsfLine("DB \"Kestrel-Tracer\"");
  tsfLine("SO " + tsf::quoted(crossReference1) + " 000 \"xrd\"");
  tsfLine("IN \"File\" 9 " + dq(crossReference2));
  tsfLine("LK 1");
  tsfLine("TX 6 \"Errors detected\"");
  for (const auto& [t, scriptLine] : tsfState().tests) {
    tsfLine("LK \"Test" + std::to_string(scriptLine) + "\"");
    tsfLine("TX " + std::to_string(4 * t + 12) + " \"Test result\"");
  }
  tsfLine("ID 2 0");
  tsfLine("ED");
}

void tsfReset() { tsfState() = TsfState(); }

}  // namespace zenta::output::description
