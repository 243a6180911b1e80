// The staged compiler run as a user runs it: the staged package as its
// installation and target, the locale given, and none of the variables that
// would move its files or change its language or messages.
#pragma once

#include <string>
#include <vector>

#include "tests/testkit/process.h"

namespace staged {

inline testkit::EnvChanges environment(const std::string& lang = "C", const testkit::EnvChanges& extra = {}) {
  testkit::EnvChanges env = {{"QUARTODIR", testkit::stageDir()},
                             {"ZNTTGT", testkit::stageDir()},
                             {"LANG", lang},
                             {"ZENTA_SUPPRESS_COPYRIGHT", "1"}};
  for (const char* v : {"ZNUTGT", "ZENTACPPINC", "ZENTALAN", "LC_ALL", "LC_MESSAGES", "LANGUAGE", "ZENTATDC",
                        "ZENTARIO", "ZENTARIO2", "ZENTAPTU", "ZENTALIS", "ZENTACPP"})
    env[v] = std::nullopt;
  for (const auto& [k, v] : extra) env[k] = v;
  return env;
}

// Runs the staged compiler with `args` in the folder `cwd`.
inline testkit::Result compile(const testkit::ScratchDir& cwd, std::vector<std::string> args,
                               const testkit::EnvChanges& env = environment()) {
  args.insert(args.begin(), testkit::stageBin("zentaprepro"));
  return testkit::run(args, env, cwd.path().string());
}

}  // namespace staged
