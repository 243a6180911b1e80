#include "shelf.h"

Shelf::Shelf() : capacity(10) {}

bool Shelf::add(const std::string &kind, int n) {
  if (total() + n > capacity) return false;
  counts.push_back(n);
  stock[kind] += n;
  if (!label.empty()) label += ",";
  label += kind;
  return true;
}

int Shelf::take(const std::string &kind, int n) {
  std::map<std::string, int>::iterator it = stock.find(kind);
  if (it == stock.end()) return 0;
  const int taken = it->second < n ? it->second : n;
  it->second -= taken;
  if (it->second == 0) stock.erase(it);
  counts.push_back(-taken);
  return taken;
}

std::size_t Shelf::kinds() const { return stock.size(); }
std::size_t Shelf::entries() const { return counts.size(); }
int Shelf::total() const {
  int sum = 0;
  for (std::map<std::string, int>::const_iterator it = stock.begin(); it != stock.end(); ++it) sum += it->second;
  return sum;
}
int Shelf::count_of(const char *kind) const {
  std::map<std::string, int>::const_iterator it = stock.find(kind);
  return it == stock.end() ? 0 : it->second;
}
int Shelf::entry(std::size_t position) const { return position < counts.size() ? counts[position] : 0; }
const char *Shelf::text() const { return label.c_str(); }
