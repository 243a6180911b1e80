// Interned names of the analyser's tables.
//
// A Name is a handle on an entry of the identifier table: equal texts share
// one entry, so two names are equal exactly when they are the same object. A default-constructed Name is "no
// name" (anonymous structures, unnamed parameters).
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "analyser/basic/identifiers.h"

namespace zenta::analyser {

class Name {
 public:
  Name() = default;

  // The text; empty for no name.
  const std::string& text() const;
  std::string_view view() const { return text(); }
  const char* c_str() const { return text().c_str(); }
  std::size_t size() const { return text().size(); }
  bool empty() const { return p_ == nullptr || p_->text.empty(); }
  explicit operator bool() const { return p_ != nullptr; }

  friend bool operator==(Name a, Name b) { return a.p_ == b.p_; }
  friend bool operator!=(Name a, Name b) { return a.p_ != b.p_; }
  bool operator==(std::string_view t) const { return p_ != nullptr && p_->text == t; }

  const void* identity() const { return p_; }
  Identifier* identifier() const { return p_; }

  explicit Name(Identifier* p) : p_(p) {}

 private:
  Identifier* p_ = nullptr;
};

// The interned name of a text (the same Name for equal texts). The empty text
// is a valid name, distinct from no name.
Name internName(std::string_view text);
// Identity comparison.
inline bool sameName(Name a, Name b) { return a == b; }
// The interned name of a text when it has already been interned, or no name.
Name findName(std::string_view text);
// Number of distinct names interned so far.
std::size_t internedNameCount();

}  // namespace zenta::analyser

template <>
struct std::hash<zenta::analyser::Name> {
  std::size_t operator()(zenta::analyser::Name n) const noexcept {
    return std::hash<const void*>()(n.identity());
  }
};
