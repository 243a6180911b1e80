// The initialisation and check code of one elementary variable, chosen by
// its type class:
//
//   class  values                        check call               initial-value record
//   0      integers, unsigned ('u')      EDV_INTEGER/UNSIGNED     PTU_INTEGER/UNSIGNED
//   1      booleans                      EDV_INTEGER (long)       PTU_BOOLEAN
//   2      characters                    EDV_CHAR                 PTU_CHAR
//   3      float, double ('d'),          EDV_FLOAT/DOUBLE/        PTU_FLOAT/DOUBLE/
//          long double ('l')             LONG_DOUBLE              LONG_DOUBLE
//   4      strings                       EDV_STR                  through INI_STR
//   5 7 8  anything else                 EDV_INTEGER (long)       PTU_INTEGER
//   6      pointers                      EDV_POINTER              none
//   9      string classes                EDV_STR                  none (assigned like pointers)
//   10     std::string, std::string_view EDV_STR on a copy        INI_STR of a copy, no
//                                        of the characters        destination (assigned)
//
// The initial value of a scoped enumeration is converted to its C type: no
// integer converts to it implicitly.
#include "generator/checks.h"

#include <cctype>

#include "analyser/interface.h"
#include "diag/report.h"
#include "generator/frame.h"

namespace zenta::generator {
namespace {

std::string upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

std::string withoutLeadingBlanks(const std::string& text) {
  std::size_t b = 0;
  while (b < text.size() && (text[b] == ' ' || text[b] == '\t')) ++b;
  return text.substr(b);
}

std::string trimmed(const std::string& text) {
  std::size_t b = 0, e = text.size();
  while (b < e && std::isspace(static_cast<unsigned char>(text[b]))) ++b;
  while (e > b && std::isspace(static_cast<unsigned char>(text[e - 1]))) --e;
  return text.substr(b, e - b);
}

bool hasOperator(const std::string& text) {
  return text.find_first_of("!%&*+-/:<=>?|~") != std::string::npos;
}

std::string base(int index) {
  switch (index) {
    case 0:
      return ",16";
    case 2:
      return ",2";
    default:
      return ",10";
  }
}

// The characters of a standard string or string view, null-terminated, for
// as long as the full expression lasts.
std::string characters(const std::string& expression) { return "::std::string(" + expression + ").c_str()"; }

bool integerLike(int typeClass) {
  return typeClass == 0 || typeClass == 1 || typeClass == 5 || typeClass == 7 || typeClass == 8;
}

bool isWordChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '$'; }

// The end of a string or character literal that starts at i.
std::size_t literalEnd(const std::string& text, std::size_t i) {
  const char quote = text[i];
  for (++i; i < text.size(); ++i) {
    if (text[i] == '\\') {
      ++i;
    } else if (text[i] == quote) {
      return i + 1;
    }
  }
  return text.size();
}

// Whether a text is made of numbers, operators, brackets and blanks only:
// a constant expression that the script's analysis may fold without
// reporting anything about names it does not know.
bool numericExpression(const std::string& text) {
  bool digit = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (std::isdigit(static_cast<unsigned char>(c)) ||
        (c == '.' && i + 1 < text.size() && std::isdigit(static_cast<unsigned char>(text[i + 1])))) {
      digit = true;
      // A number with its suffixes, exponent and hexadecimal digits.
      while (i + 1 < text.size()) {
        const char n = text[i + 1];
        const char p = text[i];
        if (isWordChar(n) || n == '.' || ((n == '+' || n == '-') && (p == 'e' || p == 'E'))) {
          ++i;
          continue;
        }
        break;
      }
      continue;
    }
    if (isWordChar(c) || c == '"' || c == '\'' || c == '[' || c == ']' || c == '{' || c == '}' || c == ',' ||
        c == '.' || c == ';' || c == '#' || c == '\\')
      return false;
  }
  return digit;
}

}  // namespace

TypeDescriptor typeDescriptor(int typeClass, const std::string& classWord, const std::string& cType,
                              int formatKind) {
  TypeDescriptor t;
  t.typeClass = typeClass;
  t.cType = cType;
  t.word = classWord.empty() ? 0 : static_cast<char>(std::tolower(static_cast<unsigned char>(classWord[0])));
  t.baseIndex = formatKind;
  return t;
}

bool isExceptionVariable(const std::string& expression) {
  std::string t = trimmed(expression);
  while (!t.empty() && (t.front() == '(' || t.front() == '*')) t = trimmed(t.substr(1));
  std::size_t e = 0;
  while (e < t.size() && isWordChar(t[e])) ++e;
  return e > 0 && upper(t.substr(0, e)) == "EXCEPTION";
}

std::string stringPieces(const std::string& value) {
  const std::string t = trimmed(value);
  if (t.size() < 2 || t.front() != '"') return value;
  std::vector<std::string> pieces;
  std::size_t i = 0;
  while (i < t.size()) {
    if (t[i] != '"') return value;
    const std::size_t end = literalEnd(t, i);
    pieces.push_back(t.substr(i, end - i));
    i = end;
    while (i < t.size() && std::isspace(static_cast<unsigned char>(t[i]))) ++i;
  }
  std::string out;
  for (const std::string& p : pieces) out += (out.empty() ? "" : ",") + p;
  return out;
}

CheckCode checkCode(const ElementaryVariable& v, bool noEdit, bool noExcep) {
  CheckCode code;
  const std::string expression = withoutLeadingBlanks(v.expression);
  const bool exception = isExceptionVariable(expression);
  const int cls = v.type.typeClass;
  const std::string line = v.offset + "+" + std::to_string(v.line);
  const std::string b = base(v.type.baseIndex);
  const bool unsignedInteger = cls == 0 && v.type.word == 'u';

  // ---- check
  if (!noEdit && !(exception && noExcep)) {
    std::string minimum = v.minimum, maximum = v.maximum;
    const std::string p = v.checkMode == 1 && (!v.range || !minimum.empty() || !maximum.empty()) ? "1" : "0";
    if (v.range && minimum.empty() && maximum.empty()) {
      if (integerLike(cls)) {
        minimum = maximum = "0";
      } else if (cls == 2) {
        minimum = maximum = "' '";
      } else if (cls == 4 || cls == 9 || cls == 10) {
        minimum = maximum = "\"\"";
      } else if (cls == 6) {
        minimum = "NIL";
      }
    }
    const std::string flag = v.range ? ",1," : ",0,";
    std::string f;
    if (cls == 2) {
      f = "zenta_run.EDV_CHAR_CPP(" + p + flag + "(char)(" + expression + ")," + line + ",(char)(" + minimum +
          "),(char)(" + maximum + "));";
    } else if (cls == 3) {
      const std::string t = v.type.word == 'd'   ? "(double)("
                            : v.type.word == 'l' ? "(long double)("
                                                 : "(float)(";
      const std::string fn = v.type.word == 'd'   ? "zenta_run.EDV_DOUBLE_CPP("
                             : v.type.word == 'l' ? "zenta_run.EDV_LONG_DOUBLE_CPP("
                                                  : "zenta_run.EDV_FLOAT_CPP(";
      f = fn + p + (v.range ? ",1," : ",0, ") + t + expression + ")," + line + "," + t + minimum + ")" + "," +
          t + maximum + ")" + ");";
    } else if (cls == 4 || cls == 9 || cls == 10) {
      f = "zenta_run.EDV_STR_CPP(" + p + flag + "(const char *)(" + (cls == 10 ? characters(expression) : expression) + ")," + line +
          ",zenta_run.CONCAT_STR_CPP(" + stringPieces(minimum) + ",(char *)0),zenta_run.CONCAT_STR_CPP(" +
          stringPieces(maximum) + ",(char *)0));";
    } else if (cls == 6) {
      const std::string word = upper(trimmed(minimum));
      const std::string value = word == "NIL" || word == "NONIL" ? word : minimum;
      f = "zenta_run.EDV_POINTER_CPP(" + p + flag + "(void*)(" + expression + ")," + line + ",(void*)(" +
          value + "));";
    } else {
      std::string c;
      if (cls == 0 && !v.type.cType.empty() && v.type.cType != "long") {
        c = "(" + v.type.cType + ")";
        if (hasOperator(minimum)) minimum = "(" + minimum + ")";
        if (hasOperator(maximum)) maximum = "(" + maximum + ")";
      }
      const std::string cast = unsignedInteger ? "(unsigned long)(" : "(long)(";
      const std::string fn = unsignedInteger ? "zenta_run.EDV_UNSIGNED_CPP(" : "zenta_run.EDV_INTEGER_CPP(";
      f = fn + p + flag + cast + expression + ")," + line + b + ", " + cast + c + minimum + ")" + ", " +
          cast + c + maximum + ")" + ");";
    }
    if (!noExcep) code.check.push_back("try {");
    code.check.push_back(f);
    if (!noExcep) code.check.push_back(" } catch (...) { }");
  }

  // ---- initialisation and its record
  if (v.noInit || (exception && noExcep)) return code;
  const bool record = v.record && !noEdit;
  if (cls == 4) {
    code.initialisation.push_back("zenta_run.INI_STR_CPP((char *)(" + expression +
                                  (record ? "), 1, " : "), 0, ") + line + " , zenta_run.CONCAT_STR_CPP(" +
                                  stringPieces(v.init) + ",(char *)0));");
    return code;
  }
  if (cls == 6 || cls == 9) {
    const std::string word = upper(trimmed(v.init));
    if (word == "NIL") {
      code.initialisation.push_back(expression + " = (" + v.type.cType + ")NIL;");
    } else if (word == "NONIL") {
      if (!v.pointerAcknowledged) diag::warning("POINOINIT", expression);
    } else {
      code.initialisation.push_back(expression + " = (" + v.type.cType + ")(" + v.init + ");");
    }
    return code;
  }
  if (v.type.convertInit && !v.type.cType.empty())
    code.initialisation.push_back(expression + " = (" + v.type.cType + ")(" + v.init + ");");
  else
    code.initialisation.push_back(expression + " = " + v.init + ";");
  if (!record) return code;
  if (cls == 10) {
    code.initialisation.push_back("zenta_run.INI_STR_CPP((char *)0, 1, " + line + " , " + characters(expression) + ");");
    return code;
  }
  std::string r;
  switch (cls) {
    case 0:
      r = unsignedInteger ? "zenta_run.PTU_UNSIGNED_CPP((unsigned long)("
                          : "zenta_run.PTU_INTEGER_CPP((long)(";
      r += expression + ")," + line + b + ");";
      break;
    case 1:
      r = "zenta_run.PTU_BOOLEAN_CPP(" + expression + "," + line + ");";
      break;
    case 2:
      r = "zenta_run.PTU_CHAR_CPP((char)(" + expression + ")," + line + ");";
      break;
    case 3:
      r = v.type.word == 'd'   ? "zenta_run.PTU_DOUBLE_CPP((double)("
          : v.type.word == 'l' ? "zenta_run.PTU_LONG_DOUBLE_CPP((long double)("
                               : "zenta_run.PTU_FLOAT_CPP((float)(";
      r += expression + ")," + line + ");";
      break;
    default:
      r = "zenta_run.PTU_INTEGER_CPP((long)(" + expression + ")," + line + b + ");";
      break;
  }
  code.initialisation.push_back(r);
  return code;
}

void writeCheckCode(const ElementaryVariable& variable) {
  const CheckCode code = checkCode(variable, noEdit(), noExcep());
  for (const std::string& l : code.initialisation) writeSplit(l);
  for (const std::string& l : code.check) writeElementEpilogue(l);
}

// ------------------------------------------------------------------ bounds

std::string folded(const std::string& text) {
  if (!numericExpression(text)) return text;
  const analyser::ScriptValue value = analyser::analyseScriptExpression(text, 6);
  if (!value.wellFormed) return text;
  if (value.kind != analyser::ScriptValueKind::Integer && value.kind != analyser::ScriptValueKind::Real)
    return text;
  return value.image;
}

namespace {

// The value of a numeric constant expression, when it is one.
bool constantValue(const std::string& text, double& out) {
  if (!numericExpression(text)) return false;
  const analyser::ScriptValue value = analyser::analyseScriptExpression(text, 6);
  if (!value.wellFormed) return false;
  if (value.kind == analyser::ScriptValueKind::Integer && value.integer) {
    out = value.integer->toDouble();
    return true;
  }
  if (value.kind == analyser::ScriptValueKind::Real && value.real) {
    out = value.real->toDouble();
    return true;
  }
  return false;
}

}  // namespace

BoundTexts boundTexts(const ExpectedValue& value) {
  BoundTexts out;
  if (!value.ev.empty()) {
    if (value.deltaKind == 0 || value.delta.empty()) {
      out.minimum = out.maximum = value.ev;
      return out;
    }
    std::string d = value.delta;
    if (value.deltaKind == 1) d = "(" + d + ")*(" + value.ev + ")/" + (value.floating ? "100.0" : "100");
    const std::string absolute = d + ">=0?" + d + ":-(" + d + ")";
    out.minimum = folded("(" + value.ev + ") - (" + absolute + ")");
    out.maximum = folded("(" + value.ev + ") + (" + absolute + ")");
    out.range = true;
    return out;
  }
  out.minimum = value.min;
  out.maximum = value.max;
  out.range = true;
  double low = 0, high = 0;
  if (!value.min.empty() && !value.max.empty() && constantValue(value.min, low) &&
      constantValue(value.max, high) && low > high)
    diag::warning("MINMAXVAL");
  return out;
}

std::string replaceValueWords(const std::string& text, const std::string& init, const std::string& ev) {
  const auto replacement = [](const std::string& value) {
    const std::string t = trimmed(value);
    bool token = !t.empty();
    for (char c : t)
      if (!isWordChar(c) && c != '.') token = false;
    return token ? t : "(" + t + ")";
  };
  std::string out;
  std::size_t i = 0;
  while (i < text.size()) {
    const char c = text[i];
    if (c == '"' || c == '\'') {
      const std::size_t end = literalEnd(text, i);
      out += text.substr(i, end - i);
      i = end;
      continue;
    }
    if (isWordChar(c)) {
      std::size_t e = i;
      while (e < text.size() && isWordChar(text[e])) ++e;
      const std::string word = text.substr(i, e - i);
      const bool member =
          i > 0 && (text[i - 1] == '.' || (i > 1 && text[i - 1] == '>' && text[i - 2] == '-'));
      if (!member && (word == "INIT" || word == "init") && !trimmed(init).empty())
        out += replacement(init);
      else if (!member && (word == "VA" || word == "va") && !trimmed(ev).empty())
        out += replacement(ev);
      else
        out += word;
      i = e;
      continue;
    }
    out += c;
    ++i;
  }
  return out;
}

}  // namespace zenta::generator
