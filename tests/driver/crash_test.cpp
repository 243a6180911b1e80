// The segmentation-violation handler and the start-up environment, in process.
#include <gtest/gtest.h>

#include <sys/mman.h>

#include <csignal>
#include <cstdlib>
#include <new>
#include <stdexcept>
#include <string>

#include "diag/catalogue.h"
#include "diag/report.h"
#include "diag/run_info.h"
#include "driver/startup.h"
#include "tests/testkit/child.h"
#include "tests/testkit/process.h"

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

// Assertions are checked here whatever the build type.
#undef NDEBUG
#include <assert.h>

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

// The test framework catches exceptions; a noexcept frame lets one escape
// as it would from the program's main.
template <class Fault>
void escape(Fault fault) noexcept {
  fault();
}

// A genuine fault inside the report of the first one.
void cleanupThatFaults() {
  volatile int* page = forbiddenPage();
  if (page) std::exit(faultyDepth(page, 1));
}

// Whatever ends the run from the inside ends it as an internal error, with
// status 9, after the cleanup: faults, aborts (a failed assertion, what the
// C++ runtime makes of an exception nothing catches), exceptions.
TEST(CrashHandler, EveryInternalFaultIsSevereInternalError) {
  const std::string report = "cleanup\nQuarto-S-INTERNERR,  internal error raised in  Module SFC\n";
  const struct {
    const char* name;
    void (*fault)();
    void (*cleanup)();
    std::string err;  // the end of the error stream
  } cases[] = {
      {"SIGSEGV", [] { std::raise(SIGSEGV); }, &cleanupMarker, report},
      {"SIGFPE", [] { std::raise(SIGFPE); }, &cleanupMarker, report},
      {"SIGBUS", [] { std::raise(SIGBUS); }, &cleanupMarker, report},
      {"abort", [] { std::abort(); }, &cleanupMarker, report},
      // The C library writes the assertion before it aborts.
      {"failed assertion", [] {
         volatile int x = 0;
         assert(x > 0);
       }, &cleanupMarker, "Assertion `x > 0' failed.\n" + report},
      {"exception", [] { escape([] { throw std::runtime_error("nobody catches this"); }); }, &cleanupMarker,
       report},
      {"std::bad_alloc", [] { escape([] { throw std::bad_alloc(); }); }, &cleanupMarker, report},
      {"std::length_error", [] {
         escape([] {
           std::string s;
           s.reserve(s.max_size() + 1);
         });
       }, &cleanupMarker, report},
      // A second fault leaves no time for the report; the status stays.
      {"fault while reporting", [] { std::raise(SIGSEGV); }, &cleanupThatFaults, ""},
      {"abort while reporting", [] { std::abort(); }, [] { std::abort(); }, ""},
  };
  for (const auto& c : cases) {
    auto o = testkit::endOf([&c] {
#if defined(__SANITIZE_ADDRESS__)
      // What a crash leaves allocated is no leak of the program.
      __lsan_disable();
#endif
      diag::registerCatalogues();
      diag::setExitCleanup(c.cleanup);
      driver::installCrashHandler();
      c.fault();
    });
    EXPECT_EQ(o.status, 9) << c.name << ": " << o.err;
    EXPECT_TRUE(o.err.size() >= c.err.size() && o.err.compare(o.err.size() - c.err.size(), c.err.size(), c.err) == 0)
        << c.name << ": " << o.err;
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

}  // namespace
