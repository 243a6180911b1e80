#include "tools/zentareport/escape.h"

namespace zenta::report {

namespace {

// The code point of the valid UTF-8 sequence at `at` and its length; 0
// when the bytes there are not one.
int decode(const std::string& s, std::size_t at, unsigned long& cp) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
  const unsigned char c = byte(at);
  int length = 0;
  unsigned long min = 0;
  if (c < 0x80) {
    cp = c;
    return 1;
  }
  if ((c & 0xE0) == 0xC0) {
    length = 2, cp = c & 0x1F, min = 0x80;
  } else if ((c & 0xF0) == 0xE0) {
    length = 3, cp = c & 0x0F, min = 0x800;
  } else if ((c & 0xF8) == 0xF0) {
    length = 4, cp = c & 0x07, min = 0x10000;
  } else {
    return 0;
  }
  if (at + static_cast<std::size_t>(length) > s.size()) return 0;
  for (int k = 1; k < length; ++k) {
    const unsigned char t = byte(at + static_cast<std::size_t>(k));
    if ((t & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (t & 0x3F);
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
  return length;
}

void encode(unsigned long cp, std::string& out) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// Calls `f` with each code point of the text read as by toUtf8.
template <typename F>
void eachCodePoint(const std::string& text, F f) {
  for (std::size_t at = 0; at < text.size();) {
    unsigned long cp = 0;
    const int n = decode(text, at, cp);
    if (n == 0) {
      cp = static_cast<unsigned char>(text[at]);
      at += 1;
    } else {
      at += static_cast<std::size_t>(n);
    }
    f(cp);
  }
}

}  // namespace

std::string toUtf8(const std::string& text) {
  std::string out;
  eachCodePoint(text, [&](unsigned long cp) { encode(cp, out); });
  return out;
}

std::string markup(const std::string& text) {
  std::string out;
  eachCodePoint(text, [&](unsigned long cp) {
    switch (cp) {
      case '&': out += "&amp;"; return;
      case '<': out += "&lt;"; return;
      case '>': out += "&gt;"; return;
      case '"': out += "&quot;"; return;
      case '\'': out += "&#39;"; return;
      case '\t': out += "&#9;"; return;
      case '\n': out += "&#10;"; return;
      case '\r': out += "&#13;"; return;
      default: break;
    }
    if (cp < 0x20 || cp == 0x7F || cp == 0xFFFE || cp == 0xFFFF) cp = 0xFFFD;
    encode(cp, out);
  });
  return out;
}

std::string printable(const std::string& text) {
  std::string out;
  eachCodePoint(text, [&](unsigned long cp) {
    if (cp < 0x20 || (cp >= 0x7F && cp < 0xA0)) cp = '?';
    encode(cp, out);
  });
  return out;
}

}  // namespace zenta::report
