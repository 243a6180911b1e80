// Checks a record's fields against a table entry written as
// "key:value|key:value|...": every key named must be present with that value
// (fields the entry does not name are not compared).
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace testkit {

inline void expectFields(const std::map<std::string, std::string>& got, const std::string& entries) {
  for (std::size_t at = 0; at < entries.size();) {
    std::size_t end = entries.find('|', at);
    if (end == std::string::npos) end = entries.size();
    const std::string entry = entries.substr(at, end - at);
    const std::string key = entry.substr(0, entry.find(':'));
    const auto found = got.find(key);
    if (found == got.end()) {
      ADD_FAILURE() << "no field " << key;
    } else {
      EXPECT_EQ(key + ":" + found->second, entry);
    }
    at = end + 1;
  }
}

}  // namespace testkit
