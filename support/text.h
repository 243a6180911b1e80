// Bounded string building, line cutting, hashing and environment lookup.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

namespace zenta::support {

// Bounded builders never write more than this many characters of content.
constexpr std::size_t kBuildLimit = 61440;

// Concatenates into a fixed buffer owned by the caller (at least
// kBuildLimit + 1 bytes). The list ends at its first null entry; empty texts
// add nothing; characters past the limit are dropped; the result is always
// terminated. A null destination, or a source that is the destination itself,
// is the severe "ERRINTFCT".
void buildString(char* destination, std::initializer_list<const char*> texts);
void appendString(char* destination, std::initializer_list<const char*> texts);
// Allocates exactly the concatenation's length plus one (caller releases).
char* buildNewString(std::initializer_list<const char*> texts);
// The same bound, for std::string users.
std::string buildBounded(std::initializer_list<std::string_view> texts);

// Hash of a text: an integer in 0 to 19996 (the empty text hashes to 128).
int hashText(std::string_view text);

// Language indexes that matter to Cut: 0 ADA, 3 C, 6 C++.
constexpr int kLangAda = 0;
constexpr int kLangC = 3;
constexpr int kLangCpp = 6;

// Splits an overlong text at a separator for line wrapping. Returns whether
// a cut was made; on failure piece is empty and rest is the whole text.
bool cut(std::string_view text, std::string_view leadingSeparators, std::string_view trailingSeparators,
         int width, int language, std::string& piece, std::string& rest);

// The value of an environment variable, or nothing when it is unset.
std::optional<std::string> environment(const char* name);
// The value, or the default after the warning "NOLOGIDEF" naming the variable.
std::string environmentValue(const char* name, const std::string& defaultValue);
// The same, copied into a caller's buffer of `size` bytes (cut to fit and
// always terminated); returns whether the variable was defined.
bool environmentValue(const char* name, const char* defaultValue, char* buffer, std::size_t size);

}  // namespace zenta::support
