// A shelf of parts whose state is kept in standard containers: the code
// under test of the container script.
#ifndef SHELF_H
#define SHELF_H

#include <cstddef>
#include <map>
#include <string>
#include <vector>

class Shelf {
 public:
  std::vector<int> counts;
  std::string label;
  std::map<std::string, int> stock;
  int capacity;

  Shelf();
  // Puts n parts of a kind on the shelf; false when the shelf is full.
  bool add(const std::string &kind, int n);
  // Takes up to n parts of a kind; returns how many were taken.
  int take(const std::string &kind, int n);
  std::size_t kinds() const;
  std::size_t entries() const;
  int total() const;
  int count_of(const char *kind) const;
  int entry(std::size_t position) const;
  const char *text() const;
};

#endif
