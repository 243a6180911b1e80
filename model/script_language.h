// The language of the test script: 0 French ("FR"), 1 French with accented
// message words ("FA"), 2 English ("GB"). It starts from ZENTALAN and may be
// switched once by the first language-specific keyword of the script; the
// generator's comment words and the messages that quote keywords follow it.
#pragma once

namespace zenta::model {

enum ScriptLanguage { LangFrench = 0, LangFrenchAccented = 1, LangEnglish = 2 };

int scriptLanguage();
void setScriptLanguage(int language);
// Whether the one automatic switch is still allowed.
bool scriptLanguageOpen();
void setScriptLanguageOpen(bool open);
// Reads ZENTALAN (upper-cased "FR", "FA" or "GB"; anything else gives 2) and
// reopens the language.
void initScriptLanguageFromEnvironment();

}  // namespace zenta::model
