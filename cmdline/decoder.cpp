#include "cmdline/decoder.h"

#include <sys/stat.h>

#include <QRegularExpression>
#include <QString>

#include <cctype>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <string_view>

#include "diag/catalogue.h"

namespace zenta::cmdline {
namespace {

const char* const kMessages[DecoderMessageCount] = {
    "Arg value too small,",
    "Arg value too large,",
    "Arg length too small,",
    "Arg length too large,",
    "Too many arguments invalid argument,",
    "List forbidden invalid argument,",
    "Unknown option,",
    "Invalid character following option,",
    "An option can't be used twice,",
    "Mandatory argument for this option,",
    "No argument for this option,",
    "List forbidden invalid option,",
    "Argument missing,",
    "Ambiguous option,",
    "Unknown value of option,",
    "Ambiguous value of option,",
    "Illegal combination of command elements,",
    "File not found",
    "Command analysis: No memory left",
    "Command analysis",
    "Internal error, bad option name",
    "Option file refers to itself,",
    "Option files nested too deeply,",
    "Option file too large,",
};

constexpr char kListSeparator = ',';
constexpr char kValueSeparator = '=';

char upper(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }

bool isNameChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

// 0: no match; 1: `typed` is a proper prefix of `name`; 2: the whole name.
// Letter case is ignored.
int matchName(std::string_view typed, std::string_view name) {
  if (typed.empty() || name.empty() || typed.size() > name.size()) return 0;
  for (std::size_t i = 0; i < typed.size(); ++i)
    if (upper(typed[i]) != upper(name[i])) return 0;
  return typed.size() == name.size() ? 2 : 1;
}

bool startsWithCaseless(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i)
    if (upper(text[i]) != upper(prefix[i])) return false;
  return true;
}

// Translation of a text that may come from the user: a text that is not
// valid UTF-8 (or holds a NUL byte) is shown as it stands, byte for byte.
std::string translateText(const char* context, const std::string& text) {
  if (text.empty() || text.find('\0') != std::string::npos) return text;
  const QByteArray bytes(text.data(), static_cast<qsizetype>(text.size()));
  if (QString::fromUtf8(bytes).toUtf8() != bytes) return text;
  return diag::translate(context, text.c_str());
}

// Parses like atol, but saturates instead of overflowing.
long parseNumber(const std::string& text, char type) {
  const long hi = type == 'I' ? INT_MAX : LONG_MAX;
  const long lo = type == 'I' ? INT_MIN : LONG_MIN;
  std::size_t i = 0;
  while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  long value = 0;
  for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
    const int digit = text[i] - '0';
    if (!negative) {
      if (value > (hi - digit) / 10) return hi;
      value = value * 10 + digit;
    } else {
      if (value < (lo + digit) / 10) return lo;
      value = value * 10 - digit;
    }
  }
  return value;
}

// The form "-option=file" (or "/OPTION=file", any letter case).
bool isOptionFileForm(const std::string& arg) {
  return arg.size() >= 8 && (arg[0] == '-' || arg[0] == '/') &&
         startsWithCaseless(std::string_view(arg).substr(1), "option=");
}

// Splits at each list separator not preceded by a backslash.
std::vector<std::string> splitList(const std::string& text) {
  std::vector<std::string> pieces(1);
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == kListSeparator && !(i > 0 && text[i - 1] == '\\')) {
      pieces.emplace_back();
    } else {
      pieces.back() += text[i];
    }
  }
  return pieces;
}

void writeToStderr(const std::string& line) {
  std::fwrite(line.data(), 1, line.size(), stderr);
  std::fflush(stderr);
}

}  // namespace

const char* decoderMessageText(int number) {
  return number >= 0 && number < DecoderMessageCount ? kMessages[number] : "";
}

Decoder::Decoder(CommandDescriptor descriptor) : d_(std::move(descriptor)), sink_(writeToStderr) {}

bool Decoder::fail(int message, const std::string& offending) {
  error_.message = message;
  error_.offending = offending;
  std::string line = diag::translate("CAB", "Quartolab") + " ";
  if (message == MsgNoMemory) {
    line += diag::translate("CAB", decoderMessageText(message));
  } else {
    line += diag::translate("CAB", decoderMessageText(MsgCommandAnalysis)) + " : " +
            diag::translate("CAB", decoderMessageText(message));
    if (!offending.empty()) line += " " + translateText("Command-line", offending);
  }
  QString usage = QString::fromStdString(translateText("Command-line", d_.usage[kEnglish]));
  static const QRegularExpression xtLine(QStringLiteral("\t\\[-XT.*\n"));
  usage.remove(xtLine);
  line += usage.toStdString() + "\n";
  error_.line = line;
  if (sink_) sink_(line);
  return false;
}

std::string Decoder::expandEnvironment(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    const char c = text[i];
    if (c == '$') {
      std::size_t j = i + 1;
      while (j < text.size() && isNameChar(text[j])) ++j;
      if (j > i + 1) {
        const char* v = std::getenv(text.substr(i + 1, j - i - 1).c_str());
        out += v ? std::string(v) : text.substr(i, j - i);
        i = j;
        continue;
      }
    } else if (c == '%') {
      std::size_t j = i + 1;
      while (j < text.size() && isNameChar(text[j])) ++j;
      if (j > i + 1 && j < text.size() && text[j] == '%') {
        if (const char* v = std::getenv(text.substr(i + 1, j - i - 1).c_str())) {
          out += v;
          i = j + 1;
          continue;
        }
      }
    }
    out += c;
    ++i;
  }
  return out;
}

int Decoder::decode(int argc, char** argv) {
  std::vector<std::string> args;
  for (int i = 0; i < argc && argv; ++i)
    if (argv[i]) args.emplace_back(argv[i]);
  return decode(args);
}

int Decoder::decode(const std::vector<std::string>& arguments) {
  try {
    if (!expand(arguments)) return 1;
    if (!analyse()) return 1;
    if (!finish()) return 1;
    return 0;
  } catch (const std::bad_alloc&) {
    fail(MsgNoMemory, {});
    return 1;
  }
}

// ---------------------------------------------------------------------------
// Expansion pass

bool Decoder::expand(const std::vector<std::string>& in) {
  expanded_.clear();
  expanded_.push_back(in.empty() ? d_.programName : in[0]);
  for (std::size_t i = 1; i < in.size(); ++i) {
    const std::string& arg = in[i];
    if (!arg.empty() && arg[0] == '@') {
      if (!readOptionFile(expandEnvironment(arg.substr(1)), 1, expanded_)) return false;
    } else if (isOptionFileForm(arg)) {
      if (!readOptionFile(expandEnvironment(arg.substr(8)), 1, expanded_)) return false;
    } else {
      expanded_.push_back(expandEnvironment(arg));
    }
  }
  return true;
}

bool Decoder::readOptionFile(const std::string& name, int depth, std::vector<std::string>& out) {
  if (depth > kMaxOptionFileDepth) return fail(MsgOptionFileTooDeep, name);
  if (name.empty() || name.find('\0') != std::string::npos) return fail(MsgFileNotFound, name);
  char* real = ::realpath(name.c_str(), nullptr);
  if (!real) return fail(MsgFileNotFound, name);
  const std::string canonical = real;
  std::free(real);
  for (const std::string& open : fileChain_)
    if (open == canonical) return fail(MsgOptionFileRecursive, name);
  // Only regular files: a device or a pipe could block or never end.
  struct stat st;
  if (::stat(canonical.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return fail(MsgFileNotFound, name);
  FILE* f = std::fopen(canonical.c_str(), "rb");
  if (!f) return fail(MsgFileNotFound, name);
  fileChain_.push_back(canonical);

  std::string token;
  bool inToken = false;   // a token has begun (possibly an empty quoted one)
  bool quoted = false;
  bool lineStart = true;  // only blanks since the start of the line
  bool ok = true;
  auto getByte = [&]() -> int {
    const int c = std::fgetc(f);
    if (c != EOF && ++fileBytes_ > kMaxOptionFileBytes) return -2;
    return c;
  };
  auto emit = [&]() -> bool {
    if (!inToken) return true;
    inToken = false;
    std::string raw;
    raw.swap(token);
    if (isOptionFileForm(raw)) return readOptionFile(expandEnvironment(raw.substr(8)), depth + 1, out);
    out.push_back(expandEnvironment(raw));
    return true;
  };

  for (;;) {
    int c = getByte();
    if (c == -2) {
      ok = fail(MsgOptionFileTooLarge, name);
      break;
    }
    if (c == EOF) break;
    if (c == '#' && !quoted && lineStart && !inToken) {
      while ((c = getByte()) != EOF && c != -2 && c != '\n') {
      }
      if (c == -2) {
        ok = fail(MsgOptionFileTooLarge, name);
        break;
      }
      if (c == EOF) break;
      lineStart = true;
      continue;
    }
    if (c == '\\') {
      int n = getByte();
      if (n == -2) {
        ok = fail(MsgOptionFileTooLarge, name);
        break;
      }
      if (n == '\r') {
        const int m = std::fgetc(f);
        if (m != '\n' && m != EOF) std::ungetc(m, f);
        else if (m == '\n') ++fileBytes_;
        n = '\n';
      }
      if (n == '\n') {  // backslash-newline joins the lines
        lineStart = !inToken;
        continue;
      }
      token += '\\';
      if (n != EOF) token += static_cast<char>(n);
      inToken = true;
      lineStart = false;
      if (n == EOF) break;
      continue;
    }
    if (c == '"') {
      quoted = !quoted;
      inToken = true;
      lineStart = false;
      continue;
    }
    if (c == '\0') {  // NUL bytes never reach an argument
      if (!quoted && !(ok = emit())) break;
      continue;
    }
    if (!quoted && (c == ' ' || c == '\t' || c == '\r' || c == '\n')) {
      if (!(ok = emit())) break;
      if (c == '\n') lineStart = true;
      continue;
    }
    token += static_cast<char>(c);
    inToken = true;
    lineStart = false;
  }
  if (ok) ok = emit();
  std::fclose(f);
  fileChain_.pop_back();
  return ok;
}

// ---------------------------------------------------------------------------
// Analysis pass

bool Decoder::analyse() {
  nextPositional_ = 0;
  for (std::size_t i = 1; i < expanded_.size(); ++i) {
    const std::string& arg = expanded_[i];
    if (!arg.empty() && (arg[0] == '-' || arg[0] == '/')) {
      bool notAnOption = false;
      if (!analyseOption(arg, arg[0] == '/', notAnOption)) return false;
      if (!notAnOption) continue;
    }
    if (!analysePositional(arg)) return false;
  }
  return true;
}

// An argument that begins with "/" and matches no option is taken as a
// positional argument: on this system "/" begins absolute paths.
bool Decoder::analyseOption(const std::string& arg, bool slash, bool& notAnOption) {
  const std::size_t eq = arg.find(kValueSeparator);
  const std::string namePart = arg.substr(1, eq == std::string::npos ? std::string::npos : eq - 1);

  struct Candidate {
    int option;
    bool negated;
  };
  std::vector<Candidate> partial;
  int found = -1;
  bool negated = false;
  for (int col = 0; col < 3 && found < 0; ++col) {
    for (int i = 0; i < static_cast<int>(d_.options.size()) && found < 0; ++i) {
      const OptionDescriptor& o = d_.options[static_cast<std::size_t>(i)];
      for (int neg = 0; neg < (o.negatable ? 2 : 1); ++neg) {
        if (o.names[col].empty()) continue;
        const std::string name = neg ? "NO" + o.names[col] : o.names[col];
        const int m = matchName(namePart, name);
        if (m == 2) {
          found = i;
          negated = neg != 0;
          break;
        }
        if (m == 1) {
          bool known = false;
          for (const Candidate& c : partial) known = known || (c.option == i && c.negated == (neg != 0));
          if (!known) partial.push_back({i, neg != 0});
        }
      }
    }
  }
  if (found < 0) {
    if (partial.size() > 1) return fail(MsgAmbiguousOption, arg);
    if (partial.size() == 1) {
      found = partial[0].option;
      negated = partial[0].negated;
    }
  }
  if (found < 0) {
    // A whole option name followed by something other than "=".
    bool followed = false;
    for (const OptionDescriptor& o : d_.options)
      for (int col = 0; col < 3; ++col)
        for (int neg = 0; neg < (o.negatable ? 2 : 1); ++neg) {
          const std::string name = neg ? "NO" + o.names[col] : o.names[col];
          if (!name.empty() && namePart.size() > name.size() && startsWithCaseless(namePart, name))
            followed = true;
        }
    if (slash) {
      notAnOption = true;
      return true;
    }
    return fail(followed ? MsgInvalidCharacter : MsgUnknownOption, arg);
  }

  OptionDescriptor& o = d_.options[static_cast<std::size_t>(found)];
  if (o.given != 0 && !(o.takesValue && o.value.list)) return fail(MsgOptionTwice, arg);
  o.given = negated ? -1 : +1;
  const bool hasEq = eq != std::string::npos;
  const std::string valueText = hasEq ? arg.substr(eq + 1) : std::string();
  if (negated || !o.takesValue) {
    if (hasEq) return fail(MsgNoArgument, arg);
    return true;
  }
  if (valueText.empty()) {
    if (o.allowed.empty()) return fail(MsgMandatoryArgument, arg);
    std::string shown = hasEq ? arg.substr(0, eq) : arg;
    shown += "=";
    for (std::size_t k = 0; k < o.allowed.size(); ++k)
      shown += (k ? "|" : "") + o.allowed[k].names[kEnglish];
    return fail(MsgMandatoryArgument, shown);
  }
  const std::vector<std::string> pieces = splitList(valueText);
  if (pieces.size() > 1 && !o.value.list) return fail(MsgOptionListForbidden, arg);
  for (const std::string& piece : pieces)
    if (!addValue(o.value, piece, arg, o.allowed.empty() ? nullptr : &o.allowed)) return false;
  return true;
}

bool Decoder::analysePositional(const std::string& arg) {
  if (d_.positionals.empty()) return fail(MsgTooManyArguments, arg);
  const bool beyond = nextPositional_ >= d_.positionals.size();
  ArgumentDescriptor& p = d_.positionals[beyond ? d_.positionals.size() - 1 : nextPositional_];
  ++nextPositional_;
  if (beyond && !p.list) return fail(MsgTooManyArguments, arg);
  const std::vector<std::string> pieces = splitList(arg);
  if (pieces.size() > 1 && !p.list) return fail(MsgArgumentListForbidden, arg);
  for (const std::string& piece : pieces)
    if (!addValue(p, piece, arg, nullptr)) return false;
  return true;
}

bool Decoder::addValue(ArgumentDescriptor& target, std::string piece, const std::string& arg,
                       std::vector<AllowedValue>* allowed) {
  Value v;
  if (target.type == 'I' || target.type == 'L') {
    v.number = parseNumber(piece, target.type);
    if (v.number < target.lower) return fail(MsgValueTooSmall, arg);
    if (v.number > target.upper) return fail(MsgValueTooLarge, arg);
    v.text = piece;
  } else {
    std::string unescaped;
    unescaped.reserve(piece.size());
    for (std::size_t i = 0; i < piece.size(); ++i) {
      if (piece[i] == '\\' && i + 1 < piece.size() && piece[i + 1] == kListSeparator) continue;
      unescaped += piece[i];
    }
    const long length = static_cast<long>(unescaped.size());
    if (length < target.lower) return fail(MsgLengthTooSmall, arg);
    if (length > target.upper) return fail(MsgLengthTooLarge, arg);
    v.text = std::move(unescaped);
  }
  if (allowed) {
    int found = -1;
    std::vector<int> partial;
    for (int col = 0; col < 3 && found < 0; ++col) {
      for (int k = 0; k < static_cast<int>(allowed->size()); ++k) {
        const int m = matchName(v.text, (*allowed)[static_cast<std::size_t>(k)].names[col]);
        if (m == 2) {
          found = k;
          break;
        }
        if (m == 1) {
          bool known = false;
          for (int p : partial) known = known || p == k;
          if (!known) partial.push_back(k);
        }
      }
    }
    if (found < 0) {
      if (partial.size() > 1) return fail(MsgAmbiguousValue, arg);
      if (partial.empty()) return fail(MsgUnknownValue, arg);
      found = partial[0];
    }
    AllowedValue& a = (*allowed)[static_cast<std::size_t>(found)];
    a.selected = true;
    v.text = a.names[kEnglish];
  }
  target.values.push_back(std::move(v));
  return true;
}

bool Decoder::finish() {
  for (const ArgumentDescriptor& p : d_.positionals)
    if (p.values.empty() && !p.optional) return fail(MsgArgumentMissing, p.names[kEnglish]);
  for (OptionDescriptor& o : d_.options) {
    if (o.given == 0) {
      if (o.defaultOn) o.given = +1;
      else if (o.negatable) o.given = -1;
    }
    if (!o.allowed.empty() && o.defaultValue > 0 && o.defaultValue <= static_cast<int>(o.allowed.size())) {
      bool any = false;
      for (const AllowedValue& a : o.allowed) any = any || a.selected;
      if (!any) {
        const std::string name = o.allowed[static_cast<std::size_t>(o.defaultValue - 1)].names[kEnglish];
        if (!addValue(o.value, name, "-" + o.names[kEnglish] + "=" + name, &o.allowed)) return false;
      }
    }
  }
  for (const CombinationRule& r : d_.combinations) {
    if (elementHolds(r.first) && elementHolds(r.second))
      return fail(MsgIllegalCombination, elementName(r.first) + " and " + elementName(r.second));
  }
  return true;
}

bool Decoder::elementHolds(const CombinationElement& e) const {
  bool present = false;
  const auto index = static_cast<std::size_t>(e.index);
  switch (e.kind) {
    case CombinationElement::Option:
      present = index < d_.options.size() && d_.options[index].given > 0;
      break;
    case CombinationElement::Positional:
      present = index < d_.positionals.size() && !d_.positionals[index].values.empty();
      break;
    case CombinationElement::AllowedValueOf:
      present = index < d_.options.size() &&
                static_cast<std::size_t>(e.valueIndex) < d_.options[index].allowed.size() &&
                d_.options[index].allowed[static_cast<std::size_t>(e.valueIndex)].selected;
      break;
  }
  return e.present ? present : !present;
}

std::string Decoder::elementName(const CombinationElement& e) const {
  const auto index = static_cast<std::size_t>(e.index);
  switch (e.kind) {
    case CombinationElement::Option:
      return index < d_.options.size() ? d_.options[index].names[kEnglish] : std::string();
    case CombinationElement::Positional:
      return index < d_.positionals.size() ? d_.positionals[index].names[kEnglish] : std::string();
    case CombinationElement::AllowedValueOf:
      if (index < d_.options.size() && static_cast<std::size_t>(e.valueIndex) < d_.options[index].allowed.size())
        return d_.options[index].allowed[static_cast<std::size_t>(e.valueIndex)].names[kEnglish];
      return {};
  }
  return {};
}

// ---------------------------------------------------------------------------
// Queries

int Decoder::optionIndex(const std::string& name) {
  for (std::size_t i = 0; i < d_.options.size(); ++i) {
    if (d_.options[i].names[kEnglish] == name) {
      const int position = static_cast<int>(i) + 1;
      const int given = d_.options[i].given;
      return given > 0 ? position : given < 0 ? -position : 0;
    }
  }
  fail(MsgBadOptionName, name);
  return 0;
}

const std::vector<Value>& Decoder::optionValues(int position) const {
  static const std::vector<Value> none;
  const long p = position < 0 ? -static_cast<long>(position) : position;
  if (p < 1 || p > static_cast<long>(d_.options.size())) return none;
  return d_.options[static_cast<std::size_t>(p - 1)].value.values;
}

const Value* Decoder::optionValue(int position, int k) const {
  const std::vector<Value>& values = optionValues(position);
  if (k < 1 || k > static_cast<int>(values.size())) return nullptr;
  return &values[static_cast<std::size_t>(k - 1)];
}

const Value* Decoder::positionalValue(int n, int k) const {
  if (n < 1 || n > static_cast<int>(d_.positionals.size())) return nullptr;
  const std::vector<Value>& values = d_.positionals[static_cast<std::size_t>(n - 1)].values;
  if (k < 1 || k > static_cast<int>(values.size())) return nullptr;
  return &values[static_cast<std::size_t>(k - 1)];
}

}  // namespace zenta::cmdline
