#include "support/memory.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <limits>
#include <new>

#include "support/report_hook.h"

// Under AddressSanitizer an impossible request must come back as a null
// result, as it does with the plain C library, so that the checked
// allocation sees it.
extern "C" const char* __asan_default_options() { return "allocator_may_return_null=1"; }

namespace zs = zenta::support;

namespace {

volatile std::size_t g_absurd = std::numeric_limits<std::size_t>::max() / 2;

TEST(Memory, BlocksAreUsable) {
  auto* zeroed = static_cast<unsigned char*>(zs::allocateZeroed(100, 4));
  for (int i = 0; i < 400; ++i) ASSERT_EQ(zeroed[i], 0);
  auto* grown = static_cast<unsigned char*>(zs::reallocate(zeroed, 100000));
  grown[99999] = 1;
  zs::release(grown);
  char* copy = zs::duplicate("text");
  EXPECT_STREQ(copy, "text");
  zs::release(copy);
  EXPECT_EQ(zs::duplicate(nullptr), nullptr);
  zs::release(nullptr);
  void* empty = zs::allocate(0);
  EXPECT_NE(empty, nullptr);
  zs::release(empty);
}

TEST(MemoryDeathTest, ExhaustionIsSevere) {
  EXPECT_EXIT(zs::allocate(g_absurd), testing::ExitedWithCode(9), "ERRINTFCT.*memory overflow");
  EXPECT_EXIT(zs::allocateZeroed(g_absurd, 16), testing::ExitedWithCode(9), "ERRINTFCT.*memory overflow");
  EXPECT_EXIT(
      {
        void* block = zs::allocate(16);
        zs::reallocate(block, g_absurd);
      },
      testing::ExitedWithCode(9), "ERRINTFCT.*memory overflow");
  // The parameter is translated.
  EXPECT_EXIT(
      {
        zs::setTranslateHook(+[](const char* context, const char* text) { return std::string(context) + "/" + text; });
        zs::allocate(g_absurd);
      },
      testing::ExitedWithCode(9), "ERRINTFCT.*Error Parameter/memory overflow");
}

TEST(MemoryDeathTest, FailedNewIsSevereOnceTheHandlerIsInstalled) {
  EXPECT_EXIT(
      {
        zs::installAllocationFailureHandler();
        std::new_handler handler = std::get_new_handler();
        if (handler) handler();
        std::_Exit(0);
      },
      testing::ExitedWithCode(9), "ERRINTFCT.*memory overflow");
#ifdef __SANITIZE_ADDRESS__
  GTEST_SKIP() << "the sanitizer's operator new never calls the new-handler";
#endif
  EXPECT_EXIT(
      {
        zs::installAllocationFailureHandler();
        char* p = new char[g_absurd];
        p[0] = 1;
        delete[] p;
      },
      testing::ExitedWithCode(9), "ERRINTFCT.*memory overflow");
}

std::string g_seen;
void recorder(int severity, const char* code, const std::string& argument) {
  g_seen = std::to_string(severity) + code + ":" + argument;
}

TEST(ReportHookDeathTest, ForwardsToInstalledHookAndSevereEnds) {
  zs::setReportHook(&recorder);
  zs::report(zs::SevWarning, "NOLOGIDEF", "HOME");
  EXPECT_EQ(g_seen, "3NOLOGIDEF:HOME");
  zs::setReportHook(nullptr);
  EXPECT_EXIT(zs::reportSevere("ERRINTFCT", "x"), testing::ExitedWithCode(9), "ERRINTFCT");
}

}  // namespace
