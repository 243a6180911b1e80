// Reader of the results file. Each record has a shape, a string of field
// letters: N a number, S a quoted text, W a bare word, X a value (quoted or
// bare); the letters after "?" are optional.
#include "tools/zentareport/results.h"

#include <cstring>

namespace zenta::report {

namespace {

struct Shape {
  const char* keyword;
  const char* fields;
};

const Shape kShapes[] = {
    {"OPF", "S"},      {"OP", "NS"},      {"TS", "NS"},      {"REP", "NN"},     {"INIT", "NWX"},
    {"CHECK", "NWWXX?X"}, {"EXCEP", "NWN?S"}, {"LIST", "NWW?S"}, {"BRA", "NW"},     {"TAB", "NW"},
    {"CST", "NW"},     {"RUPT", "N"},     {"STUB", "NN"},    {"CHRONO", "NN"},  {"END", "NNN"},
};

bool isNumber(const std::string& s) {
  if (s.empty() || s.size() > 18) return false;
  for (char c : s)
    if (c < '0' || c > '9') return false;
  return true;
}

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Splits a record into its fields; an empty text with `error` set when a
// quoted text is malformed.
std::vector<Field> split(const std::string& line, std::string& error) {
  std::vector<Field> out;
  std::size_t at = 0;
  while (at < line.size()) {
    if (line[at] == ' ') {
      error = "two blanks in a row, or a blank at the end";
      return {};
    }
    Field f;
    if (line[at] == '"') {
      f.quoted = true;
      ++at;
      bool closed = false;
      while (at < line.size()) {
        const char c = line[at++];
        if (c == '"') {
          closed = true;
          break;
        }
        if (c != '\\') {
          f.text += c;
          continue;
        }
        if (at >= line.size()) break;
        const char e = line[at++];
        if (e == '"' || e == '\\') {
          f.text += e;
        } else if (e == 'n') {
          f.text += '\n';
        } else if (e == 'x' && at + 1 < line.size() && hexDigit(line[at]) >= 0 && hexDigit(line[at + 1]) >= 0) {
          f.text += static_cast<char>(hexDigit(line[at]) * 16 + hexDigit(line[at + 1]));
          at += 2;
        } else {
          error = "an unknown escape in a quoted text";
          return {};
        }
      }
      if (!closed) {
        error = "a quoted text without its closing quote";
        return {};
      }
      if (at < line.size() && line[at] != ' ') {
        error = "a quoted text followed by more than a blank";
        return {};
      }
    } else {
      const std::size_t end = line.find(' ', at);
      f.text = line.substr(at, end == std::string::npos ? std::string::npos : end - at);
      at = end == std::string::npos ? line.size() : end;
      if (f.text.find('"') != std::string::npos) {
        error = "a quote inside a bare field";
        return {};
      }
    }
    out.push_back(f);
    if (at < line.size()) {
      ++at;  // the blank
      if (at == line.size()) {
        error = "a blank at the end";
        return {};
      }
    }
  }
  return out;
}

// Whether the fields fit the shape; the fault otherwise.
bool fits(const std::vector<Field>& fields, const char* shape, std::string& error) {
  std::size_t k = 0;
  bool optional = false;
  for (const char* s = shape; *s; ++s) {
    if (*s == '?') {
      optional = true;
      continue;
    }
    if (k >= fields.size()) {
      if (optional) return true;
      error = "too few fields";
      return false;
    }
    const Field& f = fields[k++];
    const bool ok = (*s == 'N' && !f.quoted && isNumber(f.text)) || (*s == 'S' && f.quoted) ||
                    (*s == 'W' && !f.quoted && !f.text.empty()) || (*s == 'X' && (f.quoted || !f.text.empty()));
    if (!ok) {
      error = std::string("field ") + std::to_string(k) +
              (*s == 'N' ? " is not a number" : *s == 'S' ? " is not a quoted text" : " is not a word");
      return false;
    }
  }
  if (k < fields.size()) {
    error = "too many fields";
    return false;
  }
  return true;
}

}  // namespace

long Record::numberAt(std::size_t k) const {
  if (k >= fields.size() || fields[k].quoted || !isNumber(fields[k].text)) return 0;
  return std::stol(fields[k].text);
}

long Record::number() const { return numberAt(0); }

bool readResults(const std::string& text, const std::string& path, Results& out, Problem& problem) {
  out = Results();
  out.path = path;
  auto fail = [&](long line, const char* code, const std::string& what) {
    problem = {path, line, code, what};
    return false;
  };
  if (text.empty()) return fail(0, "RESTRONQU", "the results file is empty: the harness did not run");
  long fileLine = 0;
  bool ended = false;
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t end = text.find('\n', at);
    ++fileLine;
    if (end == std::string::npos)
      return fail(fileLine, "RESTRONQU", "the last record is cut short (no line feed): the file is truncated");
    std::string line = text.substr(at, end - at);
    at = end + 1;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.find('\0') != std::string::npos) return fail(fileLine, "RESFORMAT", "a null character in a record");
    if (fileLine == 1) {
      if (line.rfind("ZRIO ", 0) != 0) return fail(1, "RESVERSIO", "not a results file: it does not begin with \"ZRIO 1\"");
      if (line != "ZRIO 1") return fail(1, "RESVERSIO", "results format \"" + line.substr(5) + "\" is not known (1 is)");
      continue;
    }
    if (ended) return fail(fileLine, "RESFORMAT", "a record after the END record");
    const std::size_t blank = line.find(' ');
    Record r;
    r.keyword = line.substr(0, blank);
    r.fileLine = fileLine;
    const Shape* shape = nullptr;
    for (const Shape& s : kShapes)
      if (r.keyword == s.keyword) shape = &s;
    if (!shape) return fail(fileLine, "RESFORMAT", "unknown record \"" + r.keyword.substr(0, 40) + "\"");
    std::string error;
    if (blank != std::string::npos) {
      r.fields = split(line.substr(blank + 1), error);
      if (!error.empty()) return fail(fileLine, "RESFORMAT", r.keyword + " record: " + error);
      if (r.fields.empty()) return fail(fileLine, "RESFORMAT", r.keyword + " record: a blank at the end");
    }
    if (!fits(r.fields, shape->fields, error)) return fail(fileLine, "RESFORMAT", r.keyword + " record: " + error);
    if (r.keyword == "END") {
      ended = true;
      out.checks = r.numberAt(0);
      out.passed = r.numberAt(1);
      out.failed = r.numberAt(2);
    }
    out.records.push_back(std::move(r));
  }
  if (!ended)
    return fail(fileLine, "RESTRONQU",
                "the results stop before their END record: the harness did not finish (it crashed, or the file "
                "is truncated)");
  return true;
}

}  // namespace zenta::report
