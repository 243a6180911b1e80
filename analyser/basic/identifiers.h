// The analyser's one identifier table.
//
// Every name that the preprocessor, the lexers and the parsers meet is
// interned here once for the run: equal texts give the same Identifier, whose
// address is its identity. An entry also carries what each stage needs to
// know of the name at once, without a second lookup: the macro it names for
// the preprocessor, its keyword token for the lexers, the declarations of it
// in the symbol tables, and a few free flags.
//
// Entries are allocated in blocks and never move or die; the table of slots
// grows by doubling, so lookups stay one probe on average however many names
// a translation unit has.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace zenta::analyser {

namespace pp {
struct Macro;
}
struct NameEntries;

struct Identifier {
  std::string text;
  std::uint32_t hash = 0;
  // Token code of the word when it is a keyword of the analysed language; 0
  // otherwise. Set by the lexers when they start.
  std::uint16_t keyword = 0;
  // Bits for the lexers and parsers (a registered type modifier, ...).
  std::uint16_t flags = 0;
  // The macro that the name stands for in the preprocessor, or null.
  pp::Macro* macro = nullptr;
  // The symbols and tags declared with this name: one record per symbol
  // table that holds any (analyser/ast/symbols.h), null when none. Lookups
  // start here, so they cost the declarations of the name alone.
  NameEntries* entries = nullptr;
};

class IdentifierTable {
 public:
  IdentifierTable();
  IdentifierTable(const IdentifierTable&) = delete;
  IdentifierTable& operator=(const IdentifierTable&) = delete;

  // FNV-1a: short identifiers dominate, and it needs no tail handling. The
  // seed and the step are public so that a scanner can hash a name while it
  // reads it.
  static constexpr std::uint32_t kHashSeed = 2166136261u;
  static constexpr std::uint32_t hashStep(std::uint32_t h, unsigned char c) noexcept {
    return (h ^ c) * 16777619u;
  }
  static std::uint32_t hashOf(std::string_view text) noexcept {
    std::uint32_t h = kHashSeed;
    for (unsigned char c : text) h = hashStep(h, c);
    return h;
  }

  // The entry of `text`, made when it is new. `hash` must be hashOf(text).
  Identifier* get(std::string_view text, std::uint32_t hash);
  Identifier* get(std::string_view text) { return get(text, hashOf(text)); }
  // The entry of `text` when it exists, else null.
  Identifier* find(std::string_view text, std::uint32_t hash) const;
  Identifier* find(std::string_view text) const { return find(text, hashOf(text)); }

  std::size_t size() const { return count_; }

  // Calls f(Identifier&) for every entry, in no particular order.
  template <class F>
  void forEach(F f) {
    for (auto& block : blocks_)
      for (std::size_t i = 0; i < block.used; ++i) f(block.items[i]);
  }

 private:
  struct Block {
    std::unique_ptr<Identifier[]> items;
    std::size_t used = 0;
    std::size_t capacity = 0;
  };
  Identifier* allocate();
  void grow();

  std::vector<Identifier*> slots_;  // open addressing, linear probing
  std::size_t mask_ = 0;
  std::size_t count_ = 0;
  std::vector<Block> blocks_;
};

// The process-wide table of the analyser (one analysis runs at a time).
IdentifierTable& identifiers();

}  // namespace zenta::analyser
