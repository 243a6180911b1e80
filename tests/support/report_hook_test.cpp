#include "support/report_hook.h"

#include <gtest/gtest.h>

namespace {

std::string g_seen;
void recorder(int severity, const char* code, const std::string& argument) {
  g_seen = std::to_string(severity) + code + ":" + argument;
}

TEST(ReportHook, ForwardsToInstalledHook) {
  zenta::support::setReportHook(&recorder);
  zenta::support::report(zenta::support::SevWarning, "NOLOGIDEF", "HOME");
  EXPECT_EQ(g_seen, "3NOLOGIDEF:HOME");
  zenta::support::setReportHook(nullptr);
}

TEST(ReportHookDeathTest, SevereEndsWithStatusNine) {
  EXPECT_EXIT(zenta::support::reportSevere("ERRINTFCT", "x"), testing::ExitedWithCode(9), "ERRINTFCT");
}

}  // namespace
