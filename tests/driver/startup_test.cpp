#include <gtest/gtest.h>

#include "tests/testkit/process.h"

namespace {

TEST(Startup, MissingQuartodirIsFatalBeforeAnything) {
  for (const std::optional<std::string>& value : {std::optional<std::string>{}, std::optional<std::string>{""}}) {
    testkit::ScratchDir dir;
    auto r = testkit::run({testkit::stageBin("zentaprepro"), "t.ptu", "t.cc"}, {{"QUARTODIR", value}},
                          dir.path().string());
    EXPECT_EQ(r.status, 7);
    EXPECT_EQ(r.err, "Fatal Error: please setup QUARTODIR environment variable.\n");
    EXPECT_EQ(r.out, "");
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
  }
}

}  // namespace
