// Reader of the test-description file. Its lines are of three families:
// header and position lines ("E" + number), numbered lines (a tag letter,
// the results line number, a blank and the text) and a few unnumbered
// lines (a tag letter and a name); a numbered line too long for one line
// goes on in lines that begin with "&". The file starts with a comment
// block whose lines begin with "*".
#include "tools/zentareport/description.h"

#include <cctype>
#include <fstream>
#include <iterator>

namespace zenta::report {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isUpper(char c) { return c >= 'A' && c <= 'Z'; }

// A run of at most nine digits from `at`; false when there is none or it is
// longer.
bool readNumber(const std::string& s, std::size_t& at, long& value) {
  const std::size_t start = at;
  value = 0;
  while (at < s.size() && isDigit(s[at])) {
    if (at - start >= 9) return false;
    value = value * 10 + (s[at] - '0');
    ++at;
  }
  return at > start;
}

// "E<tag> <file> <line>": the position lines.
bool readPosition(const std::string& s, std::size_t at, Position& p) {
  long file = 0, line = 0;
  if (at >= s.size() || s[at] != ' ') return false;
  ++at;
  if (!readNumber(s, at, file) || at >= s.size() || s[at] != ' ') return false;
  ++at;
  if (!readNumber(s, at, line) || at != s.size()) return false;
  p.file = static_cast<int>(file);
  p.line = line;
  return true;
}

class Reader {
 public:
  Reader(const std::string& path, Description& out, Problem& problem) : out_(out), problem_(problem) {
    out_ = Description();
    out_.path = path;
  }

  bool line(const std::string& s, long fileLine) {
    fileLine_ = fileLine;
    if (s.empty()) return fail("TDCFORMAT", "an empty line");
    if (s[0] == '*' && !started_) return true;  // the header comment
    started_ = true;
    const bool continues = previousNumbered_;
    previousNumbered_ = false;
    if (s[0] == '&') {
      if (!continues) return fail("TDCFORMAT", "a continuation line (\"&\") that follows no numbered line");
      out_.lines.back().text += s.substr(1);
      previousNumbered_ = true;
      return true;
    }
    if (s[0] == 'U' && s.size() > 1 && !isDigit(s[1])) return true;  // an environment in use: "U" + name
    if (!isUpper(s[0]) || s.size() < 2 || !isDigit(s[1]))
      return fail("TDCFORMAT", "this line has none of the forms of a description file");
    std::size_t at = 1;
    long number = 0;
    if (!readNumber(s, at, number) || (at < s.size() && s[at] != ' '))
      return fail("TDCFORMAT", "a line tag with a malformed number");
    const std::string text = at < s.size() ? s.substr(at + 1) : std::string();
    if (s[0] == 'E') return header(number, s, at, text);
    if (number == 0) return true;  // lines outside the numbering ("R0", "M0", "C0", "H0")
    if (!numbered(s[0], number, text)) return false;
    previousNumbered_ = true;
    return true;
  }

 private:
  bool fail(const char* code, const std::string& text) {
    problem_ = {out_.path, fileLine_, code, text};
    return false;
  }

  bool header(long tag, const std::string& s, std::size_t at, const std::string& text) {
    Position p;
    switch (tag) {
      case 6:  // "E6  name"
        out_.script = text.substr(text.find_first_not_of(' ') == std::string::npos ? text.size()
                                                                                   : text.find_first_not_of(' '));
        return true;
      case 11: {  // "E11 <file> <path>"
        std::size_t k = at + 1;
        long file = 0;
        if (at >= s.size() || !readNumber(s, k, file) || (k < s.size() && s[k] != ' '))
          return fail("TDCFORMAT", "a file line (E11) without its file number");
        out_.files[static_cast<int>(file)] = k < s.size() ? s.substr(k + 1) : std::string();
        return true;
      }
      case 12: case 14: case 15: case 16: case 17:
        if (!readPosition(s, at, p)) return fail("TDCFORMAT", "a position line (E" + std::to_string(tag) +
                                                                    ") without its file and line numbers");
        if (tag == 12) variablePos_ = p;
        if (tag == 14) elementPos_ = p;
        if (tag == 16) testPos_ = p;
        if (tag == 17) servicePos_ = p;
        return true;
      default:
        return true;  // the other header lines carry nothing the report shows
    }
  }

  bool numbered(char tag, long number, const std::string& text) {
    const long expected = static_cast<long>(out_.lines.size()) + 1;
    if (number != expected)
      return fail("TDCNUMERO", "line number " + std::to_string(number) + " where " + std::to_string(expected) +
                                   " should follow");
    DescribedLine d;
    d.tag = tag;
    d.number = number;
    d.text = text;
    d.fileLine = fileLine_;
    switch (tag) {
      case 'O':
        out_.services.push_back({text, number, take(servicePos_), {}});
        service_ = static_cast<int>(out_.services.size()) - 1;
        test_ = element_ = -1;
        break;
      case 'T':
        if (service_ < 0) return fail("TDCFORMAT", "a test line (T) before any service line (O)");
        out_.tests.push_back({text, {}, number, take(testPos_), service_, {}});
        test_ = static_cast<int>(out_.tests.size()) - 1;
        out_.services[service_].tests.push_back(test_);
        element_ = -1;
        break;
      case 'F':
        if (test_ >= 0) out_.tests[test_].family = text;
        break;
      case 'B':
        if (test_ < 0) return fail("TDCFORMAT", "an element line (B) before any test line (T)");
        out_.elements.push_back({text, number, take(elementPos_), test_});
        element_ = static_cast<int>(out_.elements.size()) - 1;
        out_.tests[test_].elements.push_back(element_);
        break;
      case 'V':
      case 'N':
        d.position = take(variablePos_);
        break;
      default:
        break;
    }
    if (tag == 'O') d.position = out_.services.back().position;
    if (tag == 'T') d.position = out_.tests.back().position;
    if (tag == 'B') d.position = out_.elements.back().position;
    d.service = service_;
    d.test = test_;
    d.element = element_;
    out_.lines.push_back(d);
    return true;
  }

  // A position line is used by the first line that it announces.
  static Position take(Position& p) {
    Position out = p;
    p = Position();
    return out;
  }

  Description& out_;
  Problem& problem_;
  long fileLine_ = 0;
  bool started_ = false;
  bool previousNumbered_ = false;
  Position servicePos_, testPos_, elementPos_, variablePos_;
  int service_ = -1, test_ = -1, element_ = -1;
};

}  // namespace

bool readFile(const std::string& path, std::string& text, Problem& problem) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    problem = {path, 0, "IMPOUVFIC", "cannot open the file"};
    return false;
  }
  text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  if (in.bad()) {
    problem = {path, 0, "IMPOUVFIC", "cannot read the file"};
    return false;
  }
  return true;
}

const DescribedLine* Description::line(long number) const {
  if (number < 1 || number > static_cast<long>(lines.size())) return nullptr;
  return &lines[static_cast<std::size_t>(number - 1)];
}

std::string Description::where(const Position& p) const {
  if (p.file < 0) return {};
  const auto f = files.find(p.file);
  std::string name = f != files.end() && !f->second.empty() ? f->second : "<file " + std::to_string(p.file) + ">";
  return name + ":" + std::to_string(p.line);
}

bool readDescription(const std::string& text, const std::string& path, Description& out, Problem& problem) {
  Reader reader(path, out, problem);
  long fileLine = 0;
  std::size_t at = 0;
  while (at < text.size()) {
    std::size_t end = text.find('\n', at);
    if (end == std::string::npos) end = text.size();
    std::string l = text.substr(at, end - at);
    if (!l.empty() && l.back() == '\r') l.pop_back();
    if (!reader.line(l, ++fileLine)) return false;
    at = end + 1;
  }
  if (out.lines.empty()) {
    problem = {path, 0, "TDCFORMAT", "no numbered line: this is not a test-description file"};
    return false;
  }
  return true;
}

std::string variableText(const std::string& lineText) {
  return lineText.substr(0, lineText.find(" RA="));
}

std::string expectedText(const std::string& lineText) {
  const std::size_t ra = lineText.find(" RA=");
  if (ra == std::string::npos) return {};
  for (std::size_t at = lineText.find(" VA", ra); at != std::string::npos; at = lineText.find(" VA", at + 1)) {
    const char next = at + 3 < lineText.size() ? lineText[at + 3] : 0;
    if (next != '=' && next != ' ' && next != '(') continue;
    std::string out = lineText.substr(at + 1);
    if (!out.empty() && out.back() == ',') out.pop_back();
    return out;
  }
  return {};
}

}  // namespace zenta::report
