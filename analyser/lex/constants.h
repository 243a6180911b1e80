// Conversion of integer and character constants into constant records.
//
// Integer digits are accumulated in their base (in 64 bits while they fit,
// then in the support library's multi-precision integers) and typed with the
// current target widths: `int`, `long` with one `l`, `long long` with two,
// unsigned with a `u` or when the value needs the sign bit of its width. A
// value wider than its type is reported ("ENTOUTRAN") and truncated to it.
//
// Character constants pack up to (width of int / width of char) characters,
// the first one most significant; every escape of the language is decoded
// and every fault reported.
#pragma once

#include <string>
#include <string_view>

#include "analyser/lex/token.h"

namespace zenta::analyser::lex {

// Where conversion faults go: a function given the message code and its
// argument (the lexer adds severity, file and line).
class ConstantReporter {
 public:
  virtual void report(const char* code, std::string argument) = 0;

 protected:
  ~ConstantReporter() = default;
};

// The integer type that the suffix letters give, and the flags to read them.
struct IntegerSuffix {
  bool isUnsigned = false;
  int longs = 0;  // number of `l`/`L` letters: 0 int, 1 long, 2 or more long long
};

// Reads the suffix letters (`u`, `U`, `l`, `L` in any order) at the start of
// `text`; returns how many there are.
std::size_t scanIntegerSuffix(std::string_view text, IntegerSuffix& suffix);

// Converts `digits` (digits of `base` only, no prefix, at least one) into
// `out`, typed by `suffix`. `text` is the whole constant for the message.
void convertInteger(std::string_view digits, int base, IntegerSuffix suffix, std::string_view text,
                    Constant& out, ConstantReporter& reporter);

// Converts the characters between the quotes of a character constant.
// `closed` tells whether the closing quote was found on the line; `text` is
// the whole constant as written, for messages.
void convertCharacter(std::string_view body, bool wide, bool closed, std::string_view text,
                      Constant& out, ConstantReporter& reporter);

}  // namespace zenta::analyser::lex
