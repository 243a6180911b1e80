#include "analyser/ast/arena.h"

namespace zenta::analyser {

namespace {
constexpr std::size_t kBlockSize = 64 * 1024;
}  // namespace

Arena::~Arena() {
  for (auto it = destructors_.rbegin(); it != destructors_.rend(); ++it) it->destroy(it->object);
}

void* Arena::allocateSlow(std::size_t size, std::size_t align) {
  allocated_ += size;
  // A large request gets a block of its own; the current block stays in use.
  if (size + align > kBlockSize / 4) {
    blocks_.push_back(std::make_unique_for_overwrite<char[]>(size + align));
    const auto p = (reinterpret_cast<std::uintptr_t>(blocks_.back().get()) + (align - 1)) & ~std::uintptr_t(align - 1);
    return reinterpret_cast<void*>(p);
  }
  blocks_.push_back(std::make_unique_for_overwrite<char[]>(kBlockSize));
  next_ = blocks_.back().get();
  end_ = next_ + kBlockSize;
  const auto p = (reinterpret_cast<std::uintptr_t>(next_) + (align - 1)) & ~std::uintptr_t(align - 1);
  next_ = reinterpret_cast<char*>(p + size);
  return reinterpret_cast<void*>(p);
}

}  // namespace zenta::analyser
