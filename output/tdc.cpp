#include "output/tdc.h"

#include <cctype>

#include "output/files.h"

namespace zenta::output::tdc {

namespace {

struct State {
  int counter = 1;
  bool suspended = false;
  int saved = 1;
};

State& state() {
  static State s;
  return s;
}

}  // namespace

void writeLine(std::string_view text) {
  if (state().suspended) return;
  output::writeLine(Description, text);
}

int current() { return state().counter; }

int nextNumber() { return state().counter++; }

void setCurrent(int number) { state().counter = number; }

int writeNumbered(char tag, std::string_view text) {
  const int number = nextNumber();
  std::string line(1, tag);
  line += std::to_string(number);
  line += ' ';
  line += text;
  writeLine(line);
  return number;
}

void beginSuspension() {
  if (state().suspended) return;
  state().suspended = true;
  state().saved = state().counter;
}

void endSuspension() {
  if (!state().suspended) return;
  state().suspended = false;
  state().counter = state().saved;
}

bool suspended() { return state().suspended; }

std::string sourceCode(const std::string& base) {
  const std::size_t n = base.size();
  if (n <= 3) return {};
  const auto digit = [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; };
  if (!digit(base[n - 3]) || !digit(base[n - 2])) return {};
  return base.substr(n - 3);
}

std::vector<std::string> openingLines(const OpeningInfo& info) {
  return {
      "E11 0 " + info.scriptFullPath,
      "C0 " + info.commandText,
      "H0 " + info.runDate,
      "E7 " + (info.target.empty() ? std::string("indefinie") : info.target),
      "E8 " + info.version,
      "E9 " + info.languageName + " " + std::to_string(info.languageCompanion),
      "E6  " + info.scriptBase,
      "E4  " + info.sourceBase,
      "E5  " + sourceCode(info.sourceBase),
  };
}

void writeOpeningLines(const OpeningInfo& info) {
  for (const std::string& line : openingLines(info)) writeLine(line);
}

void writePosition(const char* tag, int fileNumber, int line) {
  writeLine(std::string(tag) + " " + std::to_string(fileNumber) + " " + std::to_string(line));
}

void resetDescription() { state() = State{}; }

}  // namespace zenta::output::tdc
