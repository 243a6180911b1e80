// Helpers of the preprocessor tests: a capturing message hook, a fresh
// preprocessor per run, and output without line markers.
#pragma once

#include <gtest/gtest.h>

#include "tests/analyser/capture.h"

#include <string>
#include <vector>

#include "analyser/lex/preprocessor.h"

namespace pptest {

using analysertest::capture;
using analysertest::codes;
using analysertest::Message;
using analysertest::messages;

// A preprocessor set up from scratch (no environment include directories).
inline void fresh(const std::vector<std::string>& defines = {}, const std::vector<std::string>& dirs = {},
                  bool traditional = false, bool pedantic = false) {
  using namespace zenta::analyser;
  messages().clear();
  resetPreprocessor();
  setPreprocessorHook(capture);
  init_preprocessor(pedantic, traditional, 0, defines, dirs, std::string(), preprocessorMacroTable(), false);
  for (const auto& d : dirs) {
    std::string out;
    preprocess_text("#pragma zenta incl_std " + d, true, std::string(), 0, out, preprocessorMacroTable(),
                    capture);
  }
}

// Preprocesses a text (named `file`, first line 1) in the current state.
inline std::string run(const std::string& text, const std::string& file = "t.c", bool force = false) {
  using namespace zenta::analyser;
  std::string out;
  preprocess_text(text, force, file, 0, out, preprocessorMacroTable(), capture);
  return out;
}

// The output without its line markers.
inline std::string body(const std::string& out) {
  std::string r;
  std::size_t i = 0;
  while (i < out.size()) {
    std::size_t nl = out.find('\n', i);
    std::size_t end = nl == std::string::npos ? out.size() : nl + 1;
    if (out.compare(i, 6, "#line ") != 0) r.append(out, i, end - i);
    i = end;
  }
  return r;
}

// The output without markers, blanks reduced to single spaces, trimmed.
inline std::string flat(const std::string& out) {
  std::string b = body(out), r;
  bool blank = false;
  for (char c : b) {
    if (c == ' ' || c == '\t' || c == '\n') {
      blank = true;
      continue;
    }
    if (blank && !r.empty()) r += ' ';
    blank = false;
    r += c;
  }
  return r;
}

// Fresh preprocessor, one text, flattened output.
inline std::string expand(const std::string& text) {
  fresh();
  return flat(run(text));
}

inline const Message* find(const std::string& code) {
  for (const auto& m : messages())
    if (m.code == code) return &m;
  return nullptr;
}

}  // namespace pptest
