#include "generator/native.h"

#include "analyser/interface.h"
#include "cmdline/settings.h"
#include "diag/report.h"

namespace zenta::generator {
namespace {

// By default the text goes through the analyser's preprocessor, which hands
// it on to the declaration analysis.
void analyse(const std::string& text) {
  if (!cmdline::settings().analysis) return;
  analyser::preprocessNativeCode(text, diag::currentFile(), diag::currentLine());
}

AnalyserFeed g_feed = analyse;
}  // namespace

void setAnalyserFeed(AnalyserFeed feed) { g_feed = feed ? feed : analyse; }

void feedAnalyser(const std::string& text) { g_feed(text); }

}  // namespace zenta::generator
