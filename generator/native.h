// Native code handed to the C/C++ analyser by the generator (the runtime
// header's include line, and later the declarations that the harness adds),
// so that the analyser knows the declarations the harness relies on.
//
// The analyser's entry for native code is installed by the layer that drives
// the analysis of the script; without it the text is not analysed.
#pragma once

#include <string>

namespace zenta::generator {

using AnalyserFeed = void (*)(const std::string& text);
void setAnalyserFeed(AnalyserFeed feed);
// Hands the text to the installed feed, at the current script line.
void feedAnalyser(const std::string& text);

}  // namespace zenta::generator
