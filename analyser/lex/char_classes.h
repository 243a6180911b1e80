// Byte classes of the lexers, one table read per test.
#pragma once

#include <array>
#include <cstdint>

namespace zenta::analyser::lex {

enum : std::uint8_t {
  kBlankClass = 1,   // blank, tab, carriage return, form feed, vertical tab
  kStartClass = 2,   // identifier start: letters, `_`, `$`
  kPartClass = 4,    // identifier part: start and digits
  kDigitClass = 8,   // decimal digit
  kHexClass = 16,    // hexadecimal digit
};

constexpr std::array<std::uint8_t, 256> makeCharClasses() {
  std::array<std::uint8_t, 256> t{};
  for (unsigned char c : {' ', '\t', '\r', '\f', '\v'}) t[c] = kBlankClass;
  for (int c = 'a'; c <= 'z'; ++c) t[c] = kStartClass | kPartClass;
  for (int c = 'A'; c <= 'Z'; ++c) t[c] = kStartClass | kPartClass;
  t['_'] = t['$'] = kStartClass | kPartClass;
  for (int c = '0'; c <= '9'; ++c) t[c] = kPartClass | kDigitClass | kHexClass;
  for (int c = 'a'; c <= 'f'; ++c) t[c] |= kHexClass;
  for (int c = 'A'; c <= 'F'; ++c) t[c] |= kHexClass;
  return t;
}

inline constexpr std::array<std::uint8_t, 256> kCharClasses = makeCharClasses();

inline bool hasClass(char c, std::uint8_t cls) { return (kCharClasses[static_cast<unsigned char>(c)] & cls) != 0; }
inline bool isBlank(char c) { return hasClass(c, kBlankClass); }
inline bool isIdentStart(char c) { return hasClass(c, kStartClass); }
inline bool isIdentPart(char c) { return hasClass(c, kPartClass); }
inline bool isDigit(char c) { return hasClass(c, kDigitClass); }
inline bool isHexDigit(char c) { return hasClass(c, kHexClass); }

}  // namespace zenta::analyser::lex
