#include "script/var_qualifiers.h"

#include <regex>

#include "analyser/interface.h"
#include "diag/report.h"
#include "model/script_language.h"
#include "script/analyse.h"
#include "script/keywords.h"
#include "script/var_split.h"

namespace zenta::script {

namespace {

constexpr int kCppLanguage = 6;
constexpr int kMaxRandomCount = 256;
constexpr int kDefaultRandomCount = 10;

std::string bounded(const std::string& text) {
  std::string out;
  model::setBoundedText(out, text);
  return out;
}

// The word of a message-word entry in the current language, without the
// blanks that make it a whole word.
std::string languageWord(MessageWord word) { return trim(messageWord(word)); }

bool isInWord(const std::string& word) { return word == "IN" || word == "DANS"; }
bool isWithWord(const std::string& word) { return word == "WITH" || word == "AVEC"; }

// A text that starts with `(`: the parenthesised part and what follows it.
bool splitParenthesised(const std::string& text, std::string& inside, std::string& after) {
  int depth = 0;
  char quote = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (quote != 0) {
      if (c == '\\') ++i;
      else if (c == quote) quote = 0;
      continue;
    }
    if (c == '"' || c == '\'') quote = c;
    else if (c == '(' || c == '[' || c == '{') ++depth;
    else if ((c == ')' || c == ']' || c == '}') && --depth == 0) {
      inside = trim(std::string_view(text).substr(1, i - 1));
      after = trim(std::string_view(text).substr(i + 1));
      return true;
    }
  }
  return false;
}

// MIN, MAX and DELTA.
bool boundQualifier(const std::string& word, const std::string& text, QualifierState& s, bool& present,
                    std::string& field) {
  if (present) {
    diag::error("DEFMULTIP", word);
    return false;
  }
  if (text.empty() || text[0] != '=') {
    diag::error("EGALABSEN", word);
    return false;
  }
  present = true;
  std::string value = trim(std::string_view(text).substr(1));
  if (value.empty()) {
    diag::error("STX_ERRRA", word);
    return false;
  }
  if (&field == &s.description.deltaText) {
    const bool percentage = value.back() == '%';
    if (percentage) value = trim(std::string_view(value).substr(0, value.size() - 1));
    s.description.deltaKind = percentage ? model::DeltaPercentage : model::DeltaAbsolute;
  }
  return scriptValue(value, s.harnessLanguage, field);
}

bool deltaHandler(const std::string& word, const std::string& text, QualifierState& s) {
  return boundQualifier(word, text, s, s.deltaSeen, s.description.deltaText);
}
bool maxHandler(const std::string& word, const std::string& text, QualifierState& s) {
  return boundQualifier(word, text, s, s.description.maxPresent, s.description.maxText);
}
bool minHandler(const std::string& word, const std::string& text, QualifierState& s) {
  return boundQualifier(word, text, s, s.description.minPresent, s.description.minText);
}

bool evHandler(const std::string& word, const std::string& text, QualifierState& s) {
  model::VariableDescription& d = s.description;
  if (d.evPresent) {
    diag::error("DEFMULTIP", word);
    return false;
  }
  if (text.empty()) {
    diag::error("EGALABSEN", messageWord(MwEv));
    return false;
  }
  std::string first, rest;
  splitWord(text, first, rest);
  rest = trim(rest);
  if (text.compare(0, 2, "==") == 0) {
    d.evPresent = true;
    d.evKind = model::EvDoubleEqual;
    d.evForm = true;
    const std::string ignored = trim(std::string_view(text).substr(2));
    if (!ignored.empty()) diag::information("IGNEXPRES", ignored);
    return true;
  }
  if (text.compare(0, 2, "=>") == 0) {
    d.evPresent = true;
    d.evKind = model::EvArrow;
    // The value form of EV => follows a run option that this compiler does
    // not offer: it stays the plain form.
    d.evForm = false;
    const std::string value = trim(std::string_view(text).substr(2));
    if (value.empty()) {
      diag::error("STX_ERRRA", word);
      return false;
    }
    return scriptValue(value, s.harnessLanguage, d.evArrowText);
  }
  if (text[0] == '=') {
    d.evPresent = true;
    d.evKind = model::EvPlain;
    const std::string value = trim(std::string_view(text).substr(1));
    if (value.empty()) {
      diag::error("STX_ERRRA", word);
      return false;
    }
    return scriptValue(value, s.harnessLanguage, d.evText);
  }
  if (isInWord(first)) {
    d.evPresent = true;
    d.evKind = model::EvInList;
    if (!scriptList(rest, s.harnessLanguage, d.evInList, d.evListCount)) {
      diag::error("LISTEVAIN", rest);
      return false;
    }
    return true;
  }
  if (text[0] == '(') {
    std::string inside, after;
    if (splitParenthesised(text, inside, after)) {
      std::string linkWord, tail;
      splitWord(after, linkWord, tail);
      tail = trim(tail);
      if (isInWord(linkWord)) {
        d.evPresent = true;
        d.evKind = model::EvLinkedIn;
        d.evLinkText = bounded(inside);
        if (!scriptList(tail, s.harnessLanguage, d.evInList, d.evListCount)) {
          diag::error("LISTEVAIN", tail);
          return false;
        }
        return true;
      }
      if (isWithWord(linkWord)) {
        // EV (v) WITH list: the i-th expected value goes with the i-th run
        // of the INIT IN of v, as the list of INIT (v) WITH does.
        d.evPresent = true;
        d.evKind = model::EvLinkedWith;
        d.evLinkText = bounded(inside);
        if (!scriptList(tail, s.harnessLanguage, d.evWithText, d.evListCount)) {
          diag::error("LISTEVAIN", tail);
          return false;
        }
        return true;
      }
    }
  }
  diag::error("STX_ERRRA", word);
  return false;
}

// The count after STEP, NB_TIMES or NB_RANDOM: where it ends, and what
// follows it.
void splitCount(const std::string& text, std::string& count, std::string& tail) {
  count = text;
  tail.clear();
  if (analyser::isOneExpression(text)) return;
  // The longest start that is one expression, cut at a blank; a few tries
  // from the end are enough for what can follow a count.
  constexpr int kTries = 64;
  int tries = 0;
  for (std::size_t i = text.size(); i-- > 1 && tries < kTries;) {
    if (text[i] != ' ' && text[i] != '\t') continue;
    ++tries;
    const std::string head = trim(std::string_view(text).substr(0, i));
    if (!head.empty() && analyser::isOneExpression(head)) {
      count = head;
      tail = trim(std::string_view(text).substr(i));
      return;
    }
  }
}

bool isNumericClass(int c) { return c == 0 || c == 2 || c == 3; }

bool rangeForm(const std::string& body, QualifierState& s) {
  model::VariableDescription& d = s.description;
  const std::string toWord = languageWord(MwTo);
  const std::size_t to = findWord(body, toWord);
  if (to == std::string::npos) {
    diag::error("TOATTENDU", "");
    return false;
  }
  const std::string low = trim(std::string_view(body).substr(0, to));
  const std::string after = trim(std::string_view(body).substr(to + toWord.size()));
  struct KindWord {
    MessageWord word;
    int kind;
  };
  static const KindWord kinds[] = {{MwStep, model::RangeStep},
                                   {MwNbTimes, model::RangeCount},
                                   {MwNbValue, model::RangeCount},
                                   {MwNbRandom, model::RangeRandom}};
  std::size_t at = std::string::npos, length = 0;
  int kind = model::RangeNone;
  for (const KindWord& k : kinds) {
    const std::string w = languageWord(k.word);
    const std::size_t p = findWord(after, w);
    if (p != std::string::npos && (at == std::string::npos || p < at)) {
      at = p;
      length = w.size();
      kind = k.kind;
    }
  }
  if (at == std::string::npos) {
    diag::error("STIMDOMAT", "");
    return false;
  }
  const std::string high = trim(std::string_view(after).substr(0, at));
  std::string tail = trim(std::string_view(after).substr(at + length));
  d.initForm = model::InitFromRange;
  d.initFromPresent = true;
  d.rangeKind = kind;

  // +BOUNDS (or +BORNES) at the end.
  static const std::regex boundsAtEnd[] = {std::regex(R"(\+[ \t]*BORNES[ \t]*$)", std::regex::icase),
                                           std::regex(R"(\+[ \t]*BOUNDS[ \t]*$)", std::regex::icase)};
  const bool english = model::scriptLanguage() == model::LangEnglish;
  std::smatch m;
  bool bounds = false;
  if (std::regex_search(tail, m, boundsAtEnd[english ? 1 : 0])) {
    bounds = true;
    tail = trim(std::string_view(tail).substr(0, static_cast<std::size_t>(m.position(0))));
  }
  if (tail.empty()) {
    if (kind == model::RangeRandom) diag::error("VALHASARD", "");
    else diag::error("STIMDOMAT", "");
    return false;
  }
  std::string count, rest;
  splitCount(tail, count, rest);
  if (!rest.empty() || (bounds && kind != model::RangeRandom)) {
    diag::error("PLUSBOUND", "");
    return false;
  }
  d.boundsFlag = bounds;
  bool ok = scriptValue(low, s.harnessLanguage, d.rangeLow);
  ok = scriptValue(high, s.harnessLanguage, d.rangeHigh) && ok;
  std::string countText = count;
  if (s.harnessLanguage == kCppLanguage)
    countText = analyser::preprocessScriptText(count, diag::currentFile(), diag::currentLine());
  const analyser::ScriptValue v = analyser::analyseScriptExpression(countText, s.harnessLanguage);
  if (!v.wellFormed) return false;
  d.rangeStep = bounded(v.image);
  if (kind == model::RangeStep) return ok;

  // A count: evaluated as a constant, typed to know whether it is a number.
  std::optional<std::int64_t> n;
  if (v.integer) n = v.integer->toInt64();
  const analyser::VariablePeek typed = analyser::peekVariable(v.image);
  const bool numeric = v.integer.has_value() || (typed.typed && isNumericClass(typed.typeClass.value));
  if (kind == model::RangeRandom) {
    if (n && (*n < 0 || *n > kMaxRandomCount)) {
      diag::error("VALUEINCO", "(1<nb_random<256)");
      ++s.toleratedErrors;
      n = kDefaultRandomCount;
      d.rangeStep = std::to_string(kDefaultRandomCount);
    }
    d.randomCount = n ? static_cast<int>(*n) : 0;
  }
  d.rangeValueCount = 0;
  if (n && numeric) {
    if (kind == model::RangeCount && *n >= 2) d.rangeValueCount = static_cast<int>(*n);
    if (kind == model::RangeRandom && *n >= 1) d.rangeValueCount = static_cast<int>(*n) + (bounds ? 2 : 0);
  }
  return ok;
}

bool initHandler(const std::string& word, const std::string& text, QualifierState& s) {
  model::VariableDescription& d = s.description;
  if (d.initPresent) {
    diag::error("DEFMULTIP", "INIT");
    return false;
  }
  std::string first, rest;
  splitWord(text, first, rest);
  rest = trim(rest);
  if (!text.empty() && text[0] == '=') {
    const bool doubleEqual = text.compare(0, 2, "==") == 0;
    d.initPresent = true;
    d.initForm = model::InitValue;
    d.initDoubleEqual = doubleEqual;
    const std::string value = trim(std::string_view(text).substr(doubleEqual ? 2 : 1));
    if (value.empty()) {
      diag::error("INITABSEN", d.variableText);
      return false;
    }
    return scriptValue(value, s.harnessLanguage, d.initText);
  }
  if (isInWord(first)) {
    d.initPresent = true;
    d.initForm = model::InitInList;
    if (!scriptList(rest, s.harnessLanguage, d.initText, d.initListCount)) {
      diag::error("LISTEINIT", rest);
      return false;
    }
    return true;
  }
  if (!first.empty() && first == upper(languageWord(MwFrom))) {
    d.initPresent = true;
    return rangeForm(rest, s);
  }
  if (!text.empty() && text[0] == '(') {
    std::string inside, after;
    if (splitParenthesised(text, inside, after)) {
      std::string linkWord, tail;
      splitWord(after, linkWord, tail);
      if (isWithWord(linkWord)) {
        d.initPresent = true;
        d.initForm = model::InitWithList;
        d.initLinkText = bounded(inside);
        tail = trim(tail);
        if (!scriptList(tail, s.harnessLanguage, d.initText, d.initListCount)) {
          diag::error("LISTEINIT", tail);
          return false;
        }
        return true;
      }
    }
  }
  (void)word;
  diag::error("EGALABSEN", "INIT");
  return false;
}

const QualifierEntry kQualifiers[] = {
    {"DELTA", deltaHandler}, {"INIT", initHandler}, {"MAX", maxHandler},
    {"MIN", minHandler},     {"VA", evHandler},     {"EV", evHandler},
};

}  // namespace

const QualifierEntry* qualifierTable(int& count) {
  count = static_cast<int>(std::size(kQualifiers));
  return kQualifiers;
}

const QualifierEntry* findQualifier(std::string_view word) {
  for (const QualifierEntry& e : kQualifiers)
    if (word == e.word) return &e;
  return nullptr;
}

bool scriptValue(const std::string& text, int harnessLanguage, std::string& image) {
  std::string value = text;
  if (harnessLanguage == kCppLanguage)
    value = analyser::preprocessScriptText(text, diag::currentFile(), diag::currentLine());
  const analyser::ScriptValue v = analyser::analyseScriptExpression(value, harnessLanguage);
  if (!v.wellFormed) return false;
  image = bounded(v.image);
  return true;
}

bool scriptList(const std::string& text, int harnessLanguage, std::string& list, int& count) {
  count = 0;
  if (text.size() < 2) return false;
  const char open = text.front(), close = text.back();
  if (!((open == '(' && close == ')') || (open == '{' && close == '}'))) return false;
  std::vector<std::string> items;
  if (!splitList(std::string_view(text).substr(1, text.size() - 2), items)) return false;
  std::string out(1, open);
  bool ok = true;
  for (const std::string& item : items) {
    std::string image;
    if (item.empty() || !scriptValue(item, harnessLanguage, image)) {
      ok = false;
      continue;
    }
    if (count++ > 0) out += ", ";
    out += image;
  }
  out += close;
  if (!ok) return false;
  list = bounded(out);
  return true;
}

}  // namespace zenta::script
