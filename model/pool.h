// Scope levels and their text pools.
//
// Names and short texts of the test model are interned in the pool of the
// scope level that made them (0 program, 1 service, 2 test, 3 element). A
// pool is emptied when its level closes, so a handle must not outlive its
// level. Handles of one pool compare by the order of their texts.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace zenta::model {

enum Level { LevelProgram = 0, LevelService = 1, LevelTest = 2, LevelElement = 3 };
constexpr int kLevelCount = 4;

// Capacity of one pool in characters; past it the run stops with the severe
// "DEBORUBAN".
constexpr std::size_t kPoolCapacity = 16 * 1024 * 1024;

struct Handle {
  int pool = -1;   // level of the pool; -1: no text
  int index = -1;  // position in the pool
  unsigned generation = 0;  // the pool's generation when interned
  bool valid() const { return pool >= 0 && index >= 0; }
};

// Interns a text in the pool of a level (one copy per distinct text).
Handle intern(int level, std::string_view text);
// The text of a handle; empty for an invalid handle or one whose pool has
// been emptied since (checked by a generation counter).
std::string text(Handle h);
// Orders two handles by their texts (negative, zero, positive).
int compare(Handle a, Handle b);
// Empties the pool of a level; every handle into it becomes stale.
void emptyPool(int level);
// Number of distinct texts in a pool.
std::size_t poolSize(int level);

// Empties every pool; for tests and for a new run.
void resetPools();

}  // namespace zenta::model
