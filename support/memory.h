// Checked allocation: every failure ends the run with the severe "ERRINTFCT"
// ("memory overflow"), exit status 9.
#pragma once

#include <cstddef>

namespace zenta::support {

void* allocate(std::size_t size);
void* allocateZeroed(std::size_t count, std::size_t size);
void* reallocate(void* block, std::size_t size);
char* duplicate(const char* text);
void release(void* block);  // a null block is ignored

// Installs a new-handler so that a failed operator new (std::bad_alloc) is
// reported the same way.
void installAllocationFailureHandler();

[[noreturn]] void memoryOverflow();

}  // namespace zenta::support
