// The walk over the variables of an element. Each variable comes with the
// analyser's expansion (model/components.h): structures framed by their
// open and close records, arrays by theirs around their element, and the
// elementary components with their values. The walk writes, in order:
//
//   structure   "J" line, OPEN_BRA_CPP ... components ... "P" line, CLOSE_BRA_CPP
//   array       SET_MODE_TAB_CPP, one loop per dimension over I1, I2, ...,
//               the element inside the innermost loop, the loop ends,
//               RUPT_CPP, UNSET_MODE_TAB_CPP (an array of arrays is one
//               bracket around its nested loops)
//   element     "E12" position line, "V" line, then its initialisation and
//               check code
//
// A slice in the variable's name (`t[2..4]`, the bounds an ARRAY statement
// gives) is a loop of its own, outside the loops of the expansion; the
// analyser numbered those after the slices.
//
// Loops go to the initialisation part when the variable initialises
// something, and to the check part unless NOEDIT. Value lists given to a
// whole array become one conditional expression of the index variables.
#include "generator/variables.h"

#include <algorithm>
#include <cctype>
#include <map>

#include "analyser/basic/dialect.h"
#include "analyser/interface.h"
#include "cmdline/settings.h"
#include "diag/report.h"
#include "generator/checks.h"
#include "generator/dynamic.h"
#include "generator/frame.h"
#include "model/script_language.h"
#include "model/store.h"
#include "model/variable.h"
#include "output/description.h"
#include "output/sources.h"
#include "output/tdc.h"
#include "support/text.h"

namespace zenta::generator {
namespace {

namespace desc = zenta::output::description;

int g_indexUsed = 0;

std::string trimmed(const std::string& text) {
  std::size_t b = 0, e = text.size();
  while (b < e && std::isspace(static_cast<unsigned char>(text[b]))) ++b;
  while (e > b && std::isspace(static_cast<unsigned char>(text[e - 1]))) --e;
  return text.substr(b, e - b);
}

std::size_t literalEnd(const std::string& text, std::size_t i) {
  const char quote = text[i];
  for (++i; i < text.size(); ++i) {
    if (text[i] == '\\')
      ++i;
    else if (text[i] == quote)
      return i + 1;
  }
  return text.size();
}

// The position of a top-level ".." in a bracket's content, or npos.
std::size_t rangeMark(const std::string& content) {
  int depth = 0;
  for (std::size_t i = 0; i < content.size(); ++i) {
    const char c = content[i];
    if (c == '"' || c == '\'') {
      i = literalEnd(content, i) - 1;
    } else if (c == '(' || c == '[' || c == '{') {
      ++depth;
    } else if (c == ')' || c == ']' || c == '}') {
      --depth;
    } else if (depth == 0 && c == '.' && i + 1 < content.size() && content[i + 1] == '.') {
      return i;
    }
  }
  return std::string::npos;
}

bool integerLiteral(const std::string& text, long long* value = nullptr) {
  const std::string t = trimmed(text);
  if (t.empty()) return false;
  std::size_t i = t[0] == '-' || t[0] == '+' ? 1 : 0;
  if (i >= t.size()) return false;
  for (std::size_t k = i; k < t.size(); ++k)
    if (!std::isdigit(static_cast<unsigned char>(t[k]))) return false;
  if (t.size() - i > 18) return false;
  if (value) *value = std::stoll(t);
  return true;
}

// The number k of an index variable I<k>; 0 for any other text.
int indexNumber(const std::string& index) {
  if (index.size() < 2 || index.size() > 6 || index[0] != 'I') return 0;
  for (std::size_t i = 1; i < index.size(); ++i)
    if (!std::isdigit(static_cast<unsigned char>(index[i]))) return 0;
  return std::stoi(index.substr(1));
}

// A loop bound as the loop header takes it: integer literals as written,
// anything else through the runtime's integer conversion.
std::string loopBound(const std::string& text) {
  const std::string t = trimmed(text);
  return integerLiteral(t) ? t : "ZENTA_INT(" + t + ")";
}

// A C type word given with the statement, for a variable the analyser did
// not type: its class, class word and C type text.
bool classifyDeclaredType(const std::string& given, int& cls, std::string& word, std::string& cType) {
  std::string t;
  for (char c : trimmed(given)) {
    if (std::isspace(static_cast<unsigned char>(c))) {
      if (!t.empty() && t.back() != ' ') t += ' ';
    } else {
      t += c;
    }
  }
  if (t.empty()) return false;
  cType = t;
  const bool pointer = t.back() == '*';
  const bool array = t.find('[') != std::string::npos;
  std::string base = t.substr(0, std::min(t.find('*'), t.find('[')));
  base = trimmed(base);
  const bool charLike =
      base == "char" || base == "signed char" || base == "unsigned char" || base == "wchar_t";
  if (pointer || array) {
    if (charLike) {
      cls = 4;
      word = "chaine";
      cType = pointer ? "char *" : "";
    } else {
      cls = 6;
      word = "pointeur";
    }
    return true;
  }
  const bool modern = analyser::dialectAtLeast(analyser::Dialect::Cxx11);
  if (modern && (base == "std::string" || base == "std::string_view")) {
    cls = 10;
    word = "chaine";
  } else if (modern && base == "bool") {
    cls = 1;
    word = "booleen";
  } else if (base == "char" || base == "signed char" || base == "wchar_t") {
    cls = 2;
    word = "caractere";
  } else if (base == "float" || base == "double" || base == "long double") {
    cls = 3;
    word = base == "float" ? "float" : base == "double" ? "double" : "longdouble";
  } else if (base.rfind("unsigned", 0) == 0 || base == "bool" || base == "size_t") {
    cls = 0;
    word = "unsigned";
  } else if (base == "int" || base == "short" || base == "long" || base == "long long" || base == "signed" ||
             base == "short int" || base == "long int" || base == "long long int" || base == "signed int") {
    cls = 0;
    word = "entier";
  } else {
    cls = 8;
    word.clear();
  }
  return true;
}

bool startsList(const std::string& value) {
  const std::string t = trimmed(value);
  return !t.empty() && t.front() == '{';
}

// One open loop of the walk.
struct Loop {
  std::string index;  // I<k>
  int number = 0;     // k
  std::string lower, upper;
};

// One open array bracket.
struct ArrayFrame {
  int line = 0;
  bool bracket = false;  // this record opened the bracket (the first of its group)
  int depth = 0;         // the number of the group's first loop
};

class VariableWalk {
 public:
  explicit VariableWalk(const model::VariableDescription& d) : d_(d) {}
  void run();

 private:
  void openLoop(const std::string& index, const std::string& lower, const std::string& upper);
  void closeLoop();
  void closeInnermost();
  void element(const model::ComponentRecord& c);
  std::string display(const std::string& access) const;
  std::string code(const std::string& access) const { return withIndexVariables(access, slices_.size()); }
  std::string arrayValue(const std::string& value) const;
  void checkSliceBounds(const Slice& s) const;

  const model::VariableDescription& d_;
  std::vector<Slice> slices_;
  std::vector<Loop> loops_;
  std::vector<ArrayFrame> arrays_;
  std::vector<int> structures_;
  std::vector<bool> nesting_;  // the open structures (false) and arrays (true), outermost first
  bool initLoops_ = false;
  DynamicValues dynamic_;  // the value texts of a dynamic INIT or EV IN
};

void VariableWalk::openLoop(const std::string& index, const std::string& lower, const std::string& upper) {
  Loop l;
  l.index = index;
  l.number = indexNumber(index);
  l.lower = trimmed(lower);
  l.upper = trimmed(upper);
  g_indexUsed = std::max(g_indexUsed, l.number);
  long long a = 0, b = 0;
  const bool descending = integerLiteral(l.lower, &a) && integerLiteral(l.upper, &b) && a > b;
  const std::string header = loopHeader(index, loopBound(l.lower), loopBound(l.upper), descending);
  if (initLoops_) writeSplit(header);
  if (!noEdit()) writeElementEpilogue(header);
  loops_.push_back(l);
}

// Closes the innermost open structure (with the bare "P" line) or array.
void VariableWalk::closeInnermost() {
  const bool array = nesting_.back();
  nesting_.pop_back();
  if (!array) {
    closeStructure(desc::writeStructureClose(std::string()));
    structures_.pop_back();
    return;
  }
  closeLoop();
  const ArrayFrame f = arrays_.back();
  arrays_.pop_back();
  if (f.bracket) {
    loopBreak(f.depth);
    closeArray(f.line);
  }
}

void VariableWalk::closeLoop() {
  if (initLoops_) writeSplit("}");
  if (!noEdit()) writeElementEpilogue("}");
  if (!loops_.empty()) loops_.pop_back();
}

// The access text as the description shows it: every index variable of an
// open loop written as its range.
std::string VariableWalk::display(const std::string& access) const {
  std::string out = access;
  for (const Loop& l : loops_) {
    const std::string index = "[" + l.index + "]";
    const std::string range = "[" + l.lower + ".." + l.upper + "]";
    for (std::size_t at = out.find(index); at != std::string::npos; at = out.find(index, at + range.size()))
      out.replace(at, index.size(), range);
  }
  return out;
}

// A value list given to a whole array: one expression of the index
// variables of the open loops, outermost first.
std::string VariableWalk::arrayValue(const std::string& value) const {
  if (!startsList(value) || loops_.empty()) return value;
  std::vector<analyser::ArrayBound> bounds;
  for (const Loop& l : loops_) {
    analyser::ArrayBound b;
    if (l.lower != "0") b.lowerImage = l.lower;
    long long v = 0;
    if (integerLiteral(l.lower, &v)) b.lower = v;
    if (integerLiteral(l.upper, &v)) b.upper = v;
    bounds.push_back(b);
  }
  const bool french = model::scriptLanguage() != model::LangEnglish;
  const std::optional<std::string> chain = analyser::arrayValueExpression(value, bounds, 1, french);
  return chain ? *chain : value;
}

// The two bounds of a slice must be of an integer or character type, and of
// the same one.
void VariableWalk::checkSliceBounds(const Slice& s) const {
  if (!cmdline::settings().analysis || (integerLiteral(s.low) && integerLiteral(s.high))) return;
  const auto classOf = [](const std::string& text, analyser::TypeClass& out) {
    const analyser::ExpressionTree tree = analyser::parseExpression(text);
    if (!tree) return false;
    const analyser::Type* type = analyser::typeExpression(tree);
    if (type == nullptr) return false;
    out = analyser::typeClass(type, false);
    return true;
  };
  analyser::TypeClass low, high;
  const bool lowTyped = classOf(s.low, low), highTyped = classOf(s.high, high);
  bool bad = false;
  if (lowTyped && low.value != 0 && low.value != 2) {
    diag::warning("TYPEBORNE", s.low);
    bad = true;
  }
  if (highTyped && high.value != 0 && high.value != 2) {
    diag::warning("TYPEBORNE", s.high);
    bad = true;
  }
  if (!bad && lowTyped && highTyped && low.word != high.word)
    diag::warning("TYPESMISM", low.word + " , " + high.word);
}

void VariableWalk::element(const model::ComponentRecord& c) {
  const model::VariableDescription& d = d_;
  const std::string access = code(c.access);
  // INIT IN and INIT FROM lists and ranges, and EV IN lists, are values of
  // the loops of dynamic initialisation: expressions of the loop index.
  std::string init = d.initForm == model::InitValue ? trimmed(c.init) : dynamic_.init;
  std::string ev = dynamicExpectedValue(d) ? dynamic_.ev : trimmed(c.ev);
  if (d.evForm && !init.empty()) ev = init;
  std::string min = trimmed(c.min), max = trimmed(c.max);
  std::string delta = d.deltaKind != model::DeltaNone ? trimmed(d.deltaText) : std::string();

  // The description line, from the values as the script wrote them.
  int file = d.fileNumber, line = d.scriptLine;
  if (line <= 0) {
    file = 0;
    line = 0;
    if (const output::SourceFrame* f = output::currentSource()) {
      file = f->includeNumber;
      line = f->line;
    }
  }
  output::tdc::writePosition("E12", file, line);
  const int formatKind = c.formatKind >= 0 ? c.formatKind : d.formatKind;
  std::string text = display(c.access) + " RA=" + formatPart(d.evForm, c.typeClass, formatKind, c.size) + ",";
  if (!dynamic_.initDisplay.empty())
    text += dynamic_.initDisplay;
  else if (!init.empty())
    text += "INIT=" + init;
  if (!dynamic_.evDisplay.empty()) {
    text += dynamic_.evDisplay;
  } else if (!ev.empty()) {
    text += " VA=" + ev;
    if (!delta.empty()) text += " +/- " + delta + (d.deltaKind == model::DeltaPercentage ? "%" : "");
  } else if (!min.empty() || !max.empty()) {
    text += " VA=" + min + "<=VA<=" + max;
  }
  text += ",";
  const int n = desc::writeVariable(text);

  // The values as the harness uses them: INIT and VA named in the others,
  // lists of whole arrays made into expressions of the index variables.
  const std::string evWithInit = replaceValueWords(ev, init, "");
  min = replaceValueWords(min, init, evWithInit);
  max = replaceValueWords(max, init, evWithInit);
  delta = replaceValueWords(delta, init, evWithInit);
  ev = arrayValue(evWithInit);
  init = arrayValue(init);
  min = arrayValue(min);
  max = arrayValue(max);

  ExpectedValue expected;
  expected.ev = ev;
  expected.min = min;
  expected.max = max;
  expected.delta = delta;
  expected.deltaKind = delta.empty() ? 0 : d.deltaKind;
  expected.floating = c.typeClass == 3;
  const BoundTexts bounds = boundTexts(expected);

  ElementaryVariable v;
  v.expression = access;
  v.init = init;
  v.minimum = bounds.minimum;
  v.maximum = bounds.maximum;
  v.range = bounds.range;
  v.line = n;
  v.type = typeDescriptor(c.typeClass, c.classWord, c.cType, formatKind);
  v.type.convertInit = c.scopedEnumeration;
  v.checkMode = 1;
  v.record = !init.empty();
  v.noInit = init.empty();
  v.pointerAcknowledged = d.initDoubleEqual;
  writeCheckCode(v);
}

void VariableWalk::run() {
  const model::VariableDescription& d = d_;
  std::vector<model::ComponentRecord> components = d.components;
  if (components.empty()) {
    // A variable without the analyser's expansion is one element of the
    // class it was given, or of its declared type.
    model::ComponentRecord c;
    c.typeClass = d.typeClass;
    c.classWord = d.classWord;
    c.cType = d.cType;
    c.size = d.typeSize;
    if (c.typeClass < 0 && !classifyDeclaredType(d.declaredType, c.typeClass, c.classWord, c.cType)) return;
    c.access = d.variableText;
    c.init = d.initText;
    c.ev = d.evText;
    c.min = d.minText;
    c.max = d.maxText;
    components.push_back(c);
  }
  slices_ = findSlices(components.front().access);
  if (isDynamic(d)) {
    const model::ComponentRecord* first = nullptr;
    for (const model::ComponentRecord& c : components)
      if (c.kind == model::ComponentElement && first == nullptr) first = &c;
    const std::string type = first != nullptr && !first->cType.empty() ? first->cType : d.cType;
    const int cls = first != nullptr ? first->typeClass : d.typeClass;
    dynamic_ = generateDynamic(d, type, cls);
  }
  for (const model::ComponentRecord& c : components) {
    const bool initialised = d.initForm == model::InitValue ? !trimmed(c.init).empty() : !dynamic_.init.empty();
    if (c.kind == model::ComponentElement && initialised) initLoops_ = true;
  }

  // The slices of the name: one bracket around their loops.
  ArrayFrame sliceFrame;
  if (!slices_.empty()) {
    sliceFrame.line = output::tdc::current();
    sliceFrame.bracket = true;
    sliceFrame.depth = 1;
    openArray(sliceFrame.line);
    for (std::size_t i = 0; i < slices_.size(); ++i) {
      checkSliceBounds(slices_[i]);
      openLoop("I" + std::to_string(i + 1), slices_[i].low, slices_[i].high);
    }
  }
  bool afterOpenArray = !slices_.empty();
  for (const model::ComponentRecord& c : components) {
    switch (c.kind) {
      case model::ComponentOpenStructure: {
        const int k = desc::writeStructureOpen(display(code(c.access)));
        openStructure(k);
        structures_.push_back(k);
        nesting_.push_back(false);
        break;
      }
      case model::ComponentCloseStructure:
        if (structures_.empty()) break;
        while (nesting_.back()) closeInnermost();
        closeStructure(desc::writeStructureClose(display(code(c.access))));
        structures_.pop_back();
        nesting_.pop_back();
        break;
      case model::ComponentOpenArray: {
        ArrayFrame f;
        f.bracket = !afterOpenArray;
        if (f.bracket) {
          f.line = output::tdc::current();
          f.depth = indexNumber(c.indexVariable);
          openArray(f.line);
        }
        if (!c.sizeKnown) diag::warning("TAITABINC", display(code(c.access)) + "[..]");
        const std::string index =
            indexNumber(c.indexVariable) > 0 ? c.indexVariable : "I" + std::to_string(loops_.size() + 1);
        if (f.bracket) f.depth = indexNumber(index);
        openLoop(index, c.lower, c.upper);
        arrays_.push_back(f);
        nesting_.push_back(true);
        break;
      }
      case model::ComponentCloseArray:
        if (arrays_.empty()) break;
        while (!nesting_.back()) closeInnermost();
        closeInnermost();
        break;
      default:
        element(c);
        break;
    }
    afterOpenArray = c.kind == model::ComponentOpenArray;
  }
  // An expansion left open is closed, so that the harness keeps its braces.
  while (!nesting_.empty()) closeInnermost();
  if (!slices_.empty()) {
    for (std::size_t i = 0; i < slices_.size(); ++i) closeLoop();
    loopBreak(sliceFrame.depth);
    closeArray(sliceFrame.line);
  }
}

void bracketOpen(const char* call, int line) {
  if (noEdit()) return;
  if (!noExcep()) writeElementEpilogue("try {");
  writeElementEpilogue(std::string("zenta_run.") + call + "(" + std::to_string(line) + ");");
}

void bracketClose(const char* call, int line) {
  if (noEdit()) return;
  const std::string k = std::to_string(line);
  writeElementEpilogue(std::string("zenta_run.") + call + "(" + k + ");");
  if (noExcep()) return;
  writeElementEpilogue("} catch (...) {");
  writeElementEpilogue("zenta_run.ERV_CPP(" + k + ");");
  writeElementEpilogue("}");
}

}  // namespace

void openStructure(int line) { bracketOpen("OPEN_BRA_CPP", line); }
void closeStructure(int line) { bracketClose("CLOSE_BRA_CPP", line); }
void openConstantBlock(int line) { bracketOpen("SET_MODE_CST_CPP", line); }
void closeConstantBlock(int line) { bracketClose("UNSET_MODE_CST_CPP", line); }
void openArray(int line) { bracketOpen("SET_MODE_TAB_CPP", line); }
void closeArray(int line) { bracketClose("UNSET_MODE_TAB_CPP", line); }
void loopBreak(int depth) {
  if (!noEdit()) writeElementEpilogue("zenta_run.RUPT_CPP(" + std::to_string(depth) + ");");
}

std::string loopHeader(const std::string& index, const std::string& from, const std::string& to,
                       bool descending) {
  return "for( " + index + "=" + from + ";" + index + (descending ? " >= " : " <= ") + to +
         (descending ? ";--" : ";++") + index + "){";
}

std::vector<Slice> findSlices(const std::string& text) {
  std::vector<Slice> out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '"' || c == '\'') {
      i = literalEnd(text, i) - 1;
      continue;
    }
    if (c != '[') continue;
    // The matching bracket.
    int depth = 0;
    std::size_t j = i;
    for (; j < text.size(); ++j) {
      if (text[j] == '"' || text[j] == '\'') {
        j = literalEnd(text, j) - 1;
      } else if (text[j] == '[' || text[j] == '(' || text[j] == '{') {
        ++depth;
      } else if (text[j] == ']' || text[j] == ')' || text[j] == '}') {
        if (--depth == 0) break;
      }
    }
    if (j >= text.size()) break;
    const std::string content = text.substr(i + 1, j - i - 1);
    const std::size_t mark = rangeMark(content);
    if (mark != std::string::npos) {
      Slice s;
      s.begin = i;
      s.end = j;
      s.low = trimmed(content.substr(0, mark));
      s.high = trimmed(content.substr(mark + 2));
      out.push_back(s);
    }
    i = j;
  }
  return out;
}

std::string withIndexVariables(const std::string& text, std::size_t count) {
  if (count == 0) return text;
  const std::vector<Slice> slices = findSlices(text);
  std::string out;
  std::size_t at = 0;
  for (std::size_t i = 0; i < slices.size() && i < count; ++i) {
    out += text.substr(at, slices[i].begin - at);
    out += "[I" + std::to_string(i + 1) + "]";
    at = slices[i].end + 1;
  }
  return out + text.substr(at);
}

std::string formatPart(bool valueForm, int typeClass, int formatKind, int size) {
  std::string out = std::string("FORM=") + (valueForm ? "N" : "C");
  const int absolute = size < 0 ? -size : size;
  if (typeClass == 0 || typeClass == 6 || typeClass == 11) {
    const int kind = formatKind < 0 ? 6 : formatKind;
    switch (kind) {
      case 0:
        return out + "H" + std::to_string(absolute);
      case 1:
        return out + "D" + std::to_string(absolute);
      case 2:
        return out + "B" + std::to_string(absolute);
      case 3:
        return out + "U" + std::to_string(absolute);
      case 6:
        return out + (size < 0 ? "D" : "U") + std::to_string(absolute);
      case 9:
        return out + "Y" + std::to_string(size);
      default:
        return out;
    }
  }
  if (typeClass == 3) {
    const int kind = formatKind < 0 ? 4 : formatKind;
    if (kind == 4) return out + "F" + std::to_string(absolute);
    if (kind == 5) return out + "E" + std::to_string(absolute);
  }
  return out;
}

void generateVariable(const model::VariableDescription& description) {
  VariableWalk walk(description);
  walk.run();
  // The script's expressions may have named the variable's initial and
  // expected values INIT and VA while it was analysed; those names end with
  // the variable.
  const cmdline::Settings& set = cmdline::settings();
  if (set.analysis && (set.languageIndex == support::kLangC || set.languageIndex == support::kLangCpp))
    analyser::preprocessNativeCode("#undef INIT\n#undef init\n#undef VA\n#undef va", diag::currentFile(),
                                   diag::currentLine(), false);
}

void generateVariables(const model::VariableStore& store) {
  model::forEachVariableInScriptOrder(store, [](const model::VariableNode& node) {
    if (node.description) generateVariable(*node.description);
  });
}

int indexVariablesUsed() { return g_indexUsed; }
void resetVariableGeneration() {
  g_indexUsed = 0;
  resetDynamicGeneration();
}

}  // namespace zenta::generator
