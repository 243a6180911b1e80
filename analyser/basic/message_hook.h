// How the analyser speaks to the rest of the compiler: one message hook for
// every diagnostic, and one translator for the few texts it builds itself.
// Nothing below the analyser interface knows the compiler's catalogue; the
// interface installs both.
#pragma once

#include <string>

namespace zenta::analyser {

// The one callback through which every diagnostic leaves the analyser:
// severity (0 internal, 1 fatal, 2 error, 3 warning, 4 information), the
// message code of the analyser catalogue, the argument (%2 of the text), and
// the file and line it is about (empty and 0 when none).
using MessageHook = void (*)(int severity, const char* code, const std::string& argument,
                             const std::string& file, int line);

// Translation of a text of the analyser's own (an argument such as "else or
// elif"), by context and text. Without a translator the text is kept.
using TextTranslator = std::string (*)(const char* context, const char* text);
void setTextTranslator(TextTranslator translator);
std::string translateText(const char* context, const char* text);

}  // namespace zenta::analyser
