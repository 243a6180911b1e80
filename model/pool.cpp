#include "model/pool.h"

#include <array>
#include <map>
#include <vector>

#include "diag/report.h"

namespace zenta::model {
namespace {

struct Pool {
  std::vector<std::string> texts;
  std::map<std::string, int, std::less<>> index;
  std::size_t characters = 0;
  unsigned generation = 1;
};

std::array<Pool, kLevelCount>& pools() {
  static std::array<Pool, kLevelCount> p;
  return p;
}

bool validLevel(int level) { return level >= 0 && level < kLevelCount; }

const std::string* lookup(Handle h) {
  if (!h.valid() || !validLevel(h.pool)) return nullptr;
  const Pool& p = pools()[static_cast<std::size_t>(h.pool)];
  if (p.generation != h.generation) return nullptr;
  if (static_cast<std::size_t>(h.index) >= p.texts.size()) return nullptr;
  return &p.texts[static_cast<std::size_t>(h.index)];
}

}  // namespace

Handle intern(int level, std::string_view value) {
  if (!validLevel(level)) {
    diag::error("ERRINTFCT", "INTERN_POOL");
    return {};
  }
  Pool& p = pools()[static_cast<std::size_t>(level)];
  auto found = p.index.find(value);
  if (found != p.index.end()) return Handle{level, found->second, p.generation};
  if (p.characters + value.size() + 1 > kPoolCapacity) diag::severe("DEBORUBAN", std::to_string(level));
  p.texts.emplace_back(value);
  const int at = static_cast<int>(p.texts.size() - 1);
  p.index.emplace(std::string(value), at);
  p.characters += value.size() + 1;
  return Handle{level, at, p.generation};
}

std::string text(Handle h) {
  const std::string* t = lookup(h);
  return t ? *t : std::string();
}

int compare(Handle a, Handle b) {
  const std::string* ta = lookup(a);
  const std::string* tb = lookup(b);
  const std::string empty;
  return (ta ? *ta : empty).compare(tb ? *tb : empty);
}

void emptyPool(int level) {
  if (!validLevel(level)) return;
  Pool& p = pools()[static_cast<std::size_t>(level)];
  p.texts.clear();
  p.index.clear();
  p.characters = 0;
  ++p.generation;
}

std::size_t poolSize(int level) {
  return validLevel(level) ? pools()[static_cast<std::size_t>(level)].texts.size() : 0;
}

void resetPools() {
  for (int l = 0; l < kLevelCount; ++l) emptyPool(l);
}

}  // namespace zenta::model
