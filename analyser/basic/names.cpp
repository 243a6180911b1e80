#include "analyser/basic/names.h"

#include <unordered_set>

namespace zenta::analyser {
namespace {

struct TextHash {
  using is_transparent = void;
  std::size_t operator()(std::string_view t) const noexcept { return std::hash<std::string_view>()(t); }
};

// Nodes of an unordered_set never move, so the address of a stored string is
// a stable identity for the whole run.
std::unordered_set<std::string, TextHash, std::equal_to<>>& store() {
  static std::unordered_set<std::string, TextHash, std::equal_to<>> names;
  return names;
}

const std::string kNoText;

}  // namespace

const std::string& Name::text() const { return p_ ? *p_ : kNoText; }

Name internName(std::string_view text) {
  auto& names = store();
  auto it = names.find(text);
  if (it == names.end()) it = names.emplace(text).first;
  return Name(&*it);
}

Name findName(std::string_view text) {
  auto& names = store();
  auto it = names.find(text);
  return it == names.end() ? Name() : internName(text);
}

std::size_t internedNameCount() { return store().size(); }

}  // namespace zenta::analyser
