#include "analyser/basic/identifiers.h"

namespace zenta::analyser {

namespace {
constexpr std::size_t kFirstSlots = 4096;
constexpr std::size_t kBlockSize = 1024;
}  // namespace

IdentifierTable::IdentifierTable() : slots_(kFirstSlots, nullptr), mask_(kFirstSlots - 1) {}

Identifier* IdentifierTable::find(std::string_view text, std::uint32_t hash) const {
  for (std::size_t i = hash & mask_;; i = (i + 1) & mask_) {
    Identifier* id = slots_[i];
    if (id == nullptr) return nullptr;
    if (id->hash == hash && id->text == text) return id;
  }
}

Identifier* IdentifierTable::get(std::string_view text, std::uint32_t hash) {
  std::size_t i = hash & mask_;
  for (;; i = (i + 1) & mask_) {
    Identifier* id = slots_[i];
    if (id == nullptr) break;
    if (id->hash == hash && id->text == text) return id;
  }
  Identifier* id = allocate();
  id->text.assign(text.data(), text.size());
  id->hash = hash;
  slots_[i] = id;
  // Kept at most half full so that probe runs stay short.
  if (++count_ * 2 > slots_.size()) grow();
  return id;
}

Identifier* IdentifierTable::allocate() {
  if (blocks_.empty() || blocks_.back().used == blocks_.back().capacity) {
    Block b;
    b.items = std::make_unique<Identifier[]>(kBlockSize);
    b.capacity = kBlockSize;
    blocks_.push_back(std::move(b));
  }
  Block& b = blocks_.back();
  return &b.items[b.used++];
}

void IdentifierTable::grow() {
  std::vector<Identifier*> old(slots_.size() * 2, nullptr);
  old.swap(slots_);
  mask_ = slots_.size() - 1;
  for (Identifier* id : old) {
    if (id == nullptr) continue;
    std::size_t i = id->hash & mask_;
    while (slots_[i] != nullptr) i = (i + 1) & mask_;
    slots_[i] = id;
  }
}

IdentifierTable& identifiers() {
  static IdentifierTable table;
  return table;
}

}  // namespace zenta::analyser
