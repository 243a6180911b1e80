// Native code handed to the C/C++ analyser by the generator (the runtime
// header's include line, and later the declarations that the harness adds),
// so that the analyser knows the declarations the harness relies on.
//
// By default the text goes to the analyser's preprocessor (when the include
// analysis is on); tests install a feed of their own.
#pragma once

#include <string>

namespace zenta::generator {

using AnalyserFeed = void (*)(const std::string& text);
// A null feed puts the default back.
void setAnalyserFeed(AnalyserFeed feed);
// Hands the text to the installed feed, at the current script line.
void feedAnalyser(const std::string& text);

}  // namespace zenta::generator
