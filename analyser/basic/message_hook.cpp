#include "analyser/basic/message_hook.h"

namespace zenta::analyser {

namespace {
TextTranslator g_translator = nullptr;
}

void setTextTranslator(TextTranslator translator) { g_translator = translator; }

std::string translateText(const char* context, const char* text) {
  return g_translator ? g_translator(context, text) : std::string(text);
}

}  // namespace zenta::analyser
