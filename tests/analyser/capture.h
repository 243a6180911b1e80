// The messages an analyser stage reports to its hook, captured in order for
// the tests to read.
#pragma once

#include <string>
#include <vector>

namespace analysertest {

struct Message {
  int severity;
  std::string code;
  std::string argument;
  std::string file;
  int line;
};

inline std::vector<Message>& messages() {
  static std::vector<Message> list;
  return list;
}

inline void capture(int severity, const char* code, const std::string& argument, const std::string& file,
                    int line) {
  messages().push_back({severity, code, argument, file, line});
}

// The codes reported, blank-separated.
inline std::string codes() {
  std::string r;
  for (const auto& m : messages()) r += (r.empty() ? "" : " ") + m.code;
  return r;
}

// "CODE:argument" of each message, blank-separated.
inline std::string reported() {
  std::string r;
  for (const auto& m : messages()) r += (r.empty() ? "" : " ") + m.code + ":" + m.argument;
  return r;
}

}  // namespace analysertest
