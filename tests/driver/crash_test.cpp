// The segmentation-violation handler and the start-up environment, in process.
#include <gtest/gtest.h>

#include <sys/mman.h>

#include <csignal>
#include <cstdlib>
#include <stdexcept>
#include <string>

#include "diag/catalogue.h"
#include "diag/report.h"
#include "diag/run_info.h"
#include "driver/startup.h"
#include "tests/testkit/child.h"
#include "tests/testkit/process.h"

namespace {

using namespace zenta;

void cleanupMarker() { std::fputs("cleanup\n", stderr); }

// Reads a page that allows no access: a genuine segmentation violation, a
// few calls deep.
int faultyDepth(volatile int* p, int n) {
  if (n == 0) return *p;
  return faultyDepth(p, n - 1) + 1;
}

volatile int* forbiddenPage() {
  void* page = mmap(nullptr, 4096, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  return page == MAP_FAILED ? nullptr : static_cast<volatile int*>(page);
}

TEST(CrashHandler, SegmentationViolationIsSevereInternalError) {
  testkit::ScratchDir dir;
  const std::string list = dir.file("c.lis");
  auto o = testkit::endOf([&] {
    diag::registerCatalogues();
    diag::setExitCleanup(&cleanupMarker);
    diag::openListFile(list);
    driver::installCrashHandler();
    volatile int* page = forbiddenPage();
    if (!page) std::exit(99);
    std::exit(faultyDepth(page, 3));
  });
  const std::string line = "Quarto-S-INTERNERR,  internal error raised in  Module SFC\n";
  EXPECT_EQ(o.status, 9);
  EXPECT_EQ(o.err, "cleanup\n" + line);
  EXPECT_EQ(testkit::ScratchDir::slurp(list), line);
}

void throwSomething() { throw std::runtime_error("nobody catches this"); }
void escapeException() noexcept {
  void (*volatile call)() = &throwSomething;
  call();
}

TEST(CrashHandler, OtherFaultsAndUncaughtExceptionsTakeTheSameWay) {
  const std::pair<const char*, void (*)()> cases[] = {
      {"SIGSEGV", [] { std::raise(SIGSEGV); }},
      {"SIGFPE", [] { std::raise(SIGFPE); }},
      {"SIGBUS", [] { std::raise(SIGBUS); }},
      // The test framework catches exceptions; a noexcept frame lets this one
      // escape as it would from the program's main.
      {"exception", [] { escapeException(); }},
  };
  for (const auto& [name, fault] : cases) {
    auto o = testkit::endOf([fault] {
      diag::registerCatalogues();
      diag::setExitCleanup(&cleanupMarker);
      driver::installCrashHandler();
      fault();
    });
    EXPECT_EQ(o.status, 9) << name;
    EXPECT_EQ(o.err, "cleanup\nQuarto-S-INTERNERR,  internal error raised in  Module SFC\n") << name;
  }
}

TEST(StartupEnvironment, HeaderLanguageFromZentalan) {
  const std::pair<const char*, int> cases[] = {{nullptr, 2}, {"gb", 2}, {"DE", 2}, {"fr", 0}, {"FA", 1}};
  for (const auto& [value, language] : cases) {
    if (value) setenv("ZENTALAN", value, 1);
    else unsetenv("ZENTALAN");
    diag::setHeaderLanguage(language == 0 ? 2 : 0);  // anything else, to see it change
    driver::readHeaderLanguage();
    EXPECT_EQ(diag::headerLanguage(), language) << (value ? value : "(unset)");
  }
  unsetenv("ZENTALAN");
  diag::setHeaderLanguage(2);
}

TEST(StartupEnvironment, CopyrightWantedUnlessSuppressed) {
  unsetenv("ZENTA_SUPPRESS_COPYRIGHT");
  EXPECT_TRUE(driver::copyrightWanted());
  setenv("ZENTA_SUPPRESS_COPYRIGHT", "", 1);
  EXPECT_FALSE(driver::copyrightWanted());
  unsetenv("ZENTA_SUPPRESS_COPYRIGHT");
}

}  // namespace
