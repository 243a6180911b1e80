// The tokens of a preprocessed text, for comparisons with the host's gcc:
// blanks and line markers ignored.
#pragma once

#include <algorithm>
#include <cctype>
#include <cstring>
#include <string>
#include <vector>

namespace pptest {

struct TokenRules {
  // C++ texts: digraphs are tokens, written in their plain spelling (`<:` is
  // `[`, with `<::` read as `<` `::`), numbers have digit separators, and
  // `->*` and `.*` are single tokens.
  bool cxx = false;
  // Lines that begin with `#pragma` are left out (gcc -E keeps them).
  bool dropPragmaLines = false;
};

inline std::vector<std::string> tokens(const std::string& text, TokenRules rules = {}) {
  static const char* const multi[] = {"...", "<<=", ">>=", "->", "++", "--", "<<", ">>", "<=", ">=",
                                      "==",  "!=",  "&&",  "||", "*=", "/=", "%=", "+=", "-=", "&=",
                                      "^=",  "|=",  "##",  "::"};
  static const char* const cxxMulti[][2] = {{"%:%:", "##"}, {"->*", "->*"}, {".*", ".*"}, {"<:", "["},
                                            {":>", "]"},    {"<%", "{"},     {"%>", "}"},   {"%:", "#"}};
  std::vector<std::string> r;
  std::size_t i = 0;
  bool bol = true;
  auto ident = [](char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '$'; };
  while (i < text.size()) {
    char c = text[i];
    if (c == '\n') {
      bol = true;
      ++i;
      continue;
    }
    if (std::isspace(static_cast<unsigned char>(c))) {
      ++i;
      continue;
    }
    if (bol && (text.compare(i, 6, "#line ") == 0 || (rules.dropPragmaLines && text.compare(i, 7, "#pragma") == 0))) {
      i = text.find('\n', i);
      if (i == std::string::npos) break;
      continue;
    }
    bol = false;
    std::size_t b = i;
    std::string spelling;
    if (std::isdigit(static_cast<unsigned char>(c)) ||
        (c == '.' && i + 1 < text.size() && std::isdigit(static_cast<unsigned char>(text[i + 1])))) {
      ++i;
      while (i < text.size() &&
             (ident(text[i]) || text[i] == '.' ||
              ((text[i] == '+' || text[i] == '-') && std::strchr("eEpP", text[i - 1])) ||
              (rules.cxx && text[i] == '\'' && i + 1 < text.size() && ident(text[i + 1]))))
        ++i;
    } else if (ident(c)) {
      while (i < text.size() && ident(text[i])) ++i;
    } else if (c == '"' || c == '\'') {
      ++i;
      while (i < text.size() && text[i] != c && text[i] != '\n') i += text[i] == '\\' ? 2 : 1;
      i = std::min(i + 1, text.size());
    } else {
      std::size_t len = 1;
      bool found = false;
      const bool lessColons = text.compare(i, 3, "<::") == 0 &&
                              !(i + 3 < text.size() && (text[i + 3] == ':' || text[i + 3] == '>'));
      if (rules.cxx && !lessColons) {
        for (const auto& m : cxxMulti)
          if (text.compare(i, std::strlen(m[0]), m[0]) == 0) {
            len = std::strlen(m[0]);
            spelling = m[1];
            found = true;
            break;
          }
      }
      for (const char* m : multi)
        if (!found && text.compare(i, std::strlen(m), m) == 0) {
          len = std::strlen(m);
          break;
        }
      i += len;
    }
    r.push_back(spelling.empty() ? text.substr(b, i - b) : spelling);
  }
  return r;
}

inline std::string join(const std::vector<std::string>& t) {
  std::string r;
  for (const auto& s : t) r += s + " ";
  return r;
}

// First place where the token lists differ, with some context.
inline std::string difference(const std::vector<std::string>& a, const std::vector<std::string>& b) {
  std::size_t i = 0;
  while (i < a.size() && i < b.size() && a[i] == b[i]) ++i;
  if (i == a.size() && i == b.size()) return {};
  std::size_t from = i > 8 ? i - 8 : 0;
  auto slice = [&](const std::vector<std::string>& v) {
    std::vector<std::string> s(v.begin() + static_cast<long>(std::min(from, v.size())),
                               v.begin() + static_cast<long>(std::min(i + 8, v.size())));
    return join(s);
  };
  return "at token " + std::to_string(i) + "\n  ours: " + slice(a) + "\n  gcc:  " + slice(b);
}

}  // namespace pptest
