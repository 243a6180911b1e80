#include "support/memory.h"

#include <cstdlib>
#include <cstring>
#include <new>

#include "support/report_hook.h"

namespace zenta::support {

void memoryOverflow() { reportSevere("ERRINTFCT", translate("Error Parameter", "memory overflow")); }

void* allocate(std::size_t size) {
  // A zero-byte request still gets a distinct block, so that a null result
  // always means exhaustion.
  void* block = std::malloc(size == 0 ? 1 : size);
  if (!block) memoryOverflow();
  return block;
}

void* allocateZeroed(std::size_t count, std::size_t size) {
  if (count == 0 || size == 0) {
    count = 1;
    size = 1;
  }
  // calloc refuses a product that does not fit in size_t.
  void* block = std::calloc(count, size);
  if (!block) memoryOverflow();
  return block;
}

void* reallocate(void* block, std::size_t size) {
  void* moved = std::realloc(block, size == 0 ? 1 : size);
  if (!moved) memoryOverflow();
  return moved;
}

char* duplicate(const char* text) {
  if (!text) return nullptr;
  std::size_t length = std::strlen(text);
  char* copy = static_cast<char*>(allocate(length + 1));
  std::memcpy(copy, text, length + 1);
  return copy;
}

void release(void* block) {
  if (block) std::free(block);
}

namespace {
void newHandler() { memoryOverflow(); }
}  // namespace

void installAllocationFailureHandler() { std::set_new_handler(&newHandler); }

}  // namespace zenta::support
