#include "generator/native.h"

namespace zenta::generator {
namespace {
AnalyserFeed g_feed = nullptr;
}  // namespace

void setAnalyserFeed(AnalyserFeed feed) { g_feed = feed; }

void feedAnalyser(const std::string& text) {
  if (g_feed) g_feed(text);
}

}  // namespace zenta::generator
