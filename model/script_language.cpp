#include "model/script_language.h"

#include <cctype>
#include <cstdlib>
#include <string>

namespace zenta::model {
namespace {
int g_language = LangEnglish;
bool g_open = true;
}  // namespace

int scriptLanguage() { return g_language; }
void setScriptLanguage(int language) { g_language = language; }
bool scriptLanguageOpen() { return g_open; }
void setScriptLanguageOpen(bool open) { g_open = open; }

void initScriptLanguageFromEnvironment() {
  g_language = LangEnglish;
  g_open = true;
  const char* value = std::getenv("ZENTALAN");
  if (!value) return;
  std::string upper;
  for (const char* p = value; *p; ++p) upper += static_cast<char>(std::toupper(static_cast<unsigned char>(*p)));
  if (upper == "FR") g_language = LangFrench;
  else if (upper == "FA") g_language = LangFrenchAccented;
  else if (upper == "GB") g_language = LangEnglish;
}

}  // namespace zenta::model
