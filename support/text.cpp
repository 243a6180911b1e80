#include "support/text.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>

#include "support/memory.h"
#include "support/report_hook.h"

namespace zenta::support {

namespace {

// Appends the texts to destination, whose content is `length` characters
// long, keeping the content within kBuildLimit characters.
void appendBounded(char* destination, std::size_t length, std::initializer_list<const char*> texts,
                   const char* routine) {
  for (const char* text : texts) {
    if (!text) break;
    if (text == destination) reportSevere("ERRINTFCT", routine);
  }
  for (const char* text : texts) {
    if (!text) break;
    if (length >= kBuildLimit) break;
    std::size_t room = kBuildLimit - length;
    std::size_t size = strnlen(text, room);
    std::memcpy(destination + length, text, size);
    length += size;
  }
  destination[length] = '\0';
}

}  // namespace

void buildString(char* destination, std::initializer_list<const char*> texts) {
  if (!destination) reportSevere("ERRINTFCT", "xstrcpy (2)");
  appendBounded(destination, 0, texts, "xstrcpy");
}

void appendString(char* destination, std::initializer_list<const char*> texts) {
  if (!destination) reportSevere("ERRINTFCT", "xstrcat (2)");
  appendBounded(destination, std::strlen(destination), texts, "xstrcat");
}

char* buildNewString(std::initializer_list<const char*> texts) {
  std::size_t total = 0;
  for (const char* text : texts) {
    if (!text) break;
    total += std::strlen(text);
  }
  char* result = static_cast<char*>(allocate(total + 1));
  std::size_t at = 0;
  for (const char* text : texts) {
    if (!text) break;
    std::size_t size = std::strlen(text);
    std::memcpy(result + at, text, size);
    at += size;
  }
  result[at] = '\0';
  return result;
}

std::string buildBounded(std::initializer_list<std::string_view> texts) {
  std::string result;
  for (std::string_view text : texts) {
    if (result.size() >= kBuildLimit) break;
    result.append(text.substr(0, kBuildLimit - result.size()));
  }
  return result;
}

namespace {

// The first 256 prime numbers, 2 to 1619.
constexpr auto kPrimes = [] {
  std::array<int, 256> primes{};
  int found = 0;
  for (int candidate = 2; found < 256; ++candidate) {
    bool prime = true;
    for (int d = 2; d * d <= candidate; ++d) {
      if (candidate % d == 0) {
        prime = false;
        break;
      }
    }
    if (prime) primes[found++] = candidate;
  }
  return primes;
}();
static_assert(kPrimes[0] == 2 && kPrimes[128] == 727 && kPrimes[152] == 883 && kPrimes[255] == 1619);

int primeAt(long long h) { return kPrimes[static_cast<std::size_t>(((h % 256) + 256) % 256)]; }

}  // namespace

int hashText(std::string_view text) {
  long long h = 128;
  for (char ch : text) {
    int c = static_cast<signed char>(ch);
    h = h + primeAt(h) + c;
    h = h + primeAt(h);
    // Keep the running value small without changing any later index or the
    // result: both depend only on h modulo 256 * 19997.
    h %= 256LL * 19997LL;
  }
  return static_cast<int>(((h % 19997) + 19997) % 19997);
}

bool cut(std::string_view text, std::string_view leadingSeparators, std::string_view trailingSeparators,
         int width, int language, std::string& piece, std::string& rest) {
  const auto fail = [&] {
    piece.clear();
    rest.assign(text);
    return false;
  };
  if (width >= 0 && text.size() <= static_cast<std::size_t>(width)) {
    piece.assign(text);
    rest.clear();
    return true;
  }
  if (width < 0) width = 0;
  const std::size_t limit = static_cast<std::size_t>(width);
  const bool escapes = language == kLangC || language == kLangCpp;
  char quote = 0;             // the quote character of the open quoted stretch
  std::size_t candidate = 0;  // 0: none (a separator at position 0 is no candidate)
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (i >= limit) {
      if (candidate != 0) break;
      // An ADA string literal that runs over the width is split in two
      // concatenated literals.
      if (i == limit && language == kLangAda && quote == '"' && limit > 0) {
        piece.assign(text.substr(0, limit));
        piece += '"';
        rest = "&\"";
        rest.append(text.substr(limit));
        return true;
      }
    }
    const char c = text[i];
    if (quote) {
      if (escapes && c == '\\') {
        ++i;  // the escaped character is ordinary
      } else if (c == quote) {
        quote = 0;
      }
      continue;
    }
    if (c == '"') {
      quote = c;
      continue;
    }
    if (c == '\'') {
      // In ADA a lone quote is an attribute mark; only 'x' is a literal.
      if (language != kLangAda || (i + 2 < text.size() && text[i + 2] == '\'')) quote = c;
      continue;
    }
    const bool separator = leadingSeparators.find(c) != std::string_view::npos ||
                           trailingSeparators.find(c) != std::string_view::npos;
    if (separator && i > 0) {
      candidate = i;
      if (i >= limit) break;  // the first one beyond the width
    }
  }
  if (candidate == 0) return fail();
  const bool leading = leadingSeparators.find(text[candidate]) != std::string_view::npos;
  const std::size_t end = leading ? candidate : candidate + 1;
  if (end == 0 || end >= text.size()) return fail();
  piece.assign(text.substr(0, end));
  rest.assign(text.substr(end));
  return true;
}

std::optional<std::string> environment(const char* name) {
  if (!name) return std::nullopt;
  const char* value = std::getenv(name);
  if (!value) return std::nullopt;
  return std::string(value);
}

std::string environmentValue(const char* name, const std::string& defaultValue) {
  if (auto value = environment(name)) return *value;
  report(SevWarning, "NOLOGIDEF", name ? name : "");
  return defaultValue;
}

bool environmentValue(const char* name, const char* defaultValue, char* buffer, std::size_t size) {
  std::optional<std::string> value = environment(name);
  if (!value) report(SevWarning, "NOLOGIDEF", name ? name : "");
  if (buffer && size > 0) {
    const std::string& text = value ? *value : std::string(defaultValue ? defaultValue : "");
    const std::size_t count = std::min(text.size(), size - 1);
    std::memcpy(buffer, text.data(), count);
    buffer[count] = '\0';
  }
  return value.has_value();
}

}  // namespace zenta::support
