// The keyword tables of the script language: statement keywords with their
// kinds, the second words of END, INCLUDE and DEFINE, the message words
// quoted in the script language, and the language check.
#pragma once

#include <string>
#include <string_view>

namespace zenta::script {

enum KeywordLanguage { French = 0, English = 1, Both = 2 };

// Statement kinds (the French and English keywords of one statement share one).
enum Kind {
  KConst = 1, KHeader = 2, KService = 3, KEndService = 4, KTest = 5, KEndTest = 6, KFamily = 7,
  KEndFamily = 8, KElement = 9, KEndElement = 10, KVar = 11, KArray = 12, KRegister = 13, KSimul = 14,
  KEndSimul = 15, KElseSimul = 16, KComment = 17, KEnvironment = 18, KEndEnvironment = 19, KUse = 20,
  KSegment = 21, KEndSegment = 22, KSystem = 23, KFar = 24, KEndFar = 25, KNear = 26, KEndNear = 27,
  KBegin = 28, KServiceType = 29, KEnd = 30, KException = 31, KInclude = 32, KDefine = 34, KField = 35,
  KIf = 36, KElse = 37, KEndIf = 38, KStructure = 39, KDeclare = 40, KInitialization = 41,
  KTermination = 42, KAccess = 43, KServiceAccess = 44, KTable = 45, KFormat = 46, KInherit = 47,
  KStub = 48, KInitBase = 49, KNextTest = 59, KSequence = 60, KCoverage = 61, KList = 62,
  KRequirement = 63
};

struct KeywordEntry {
  const char* word;
  int kind;
  bool argumentRequired;
  bool argumentExpected;
  KeywordLanguage language;
};

// The statement keyword table (82 entries, in its stored order).
const KeywordEntry* keywordTable(int& count);
// The entry of an upper-case word, or nullptr (no prefix matching).
const KeywordEntry* findKeyword(std::string_view word);

// Sub-kinds of the words after END.
enum EndWord {
  EndService = 1, EndTest, EndFamily, EndElement, EndSimul, EndEnvironment, EndSegment, EndFar, EndNear,
  EndDefine, EndIf, EndInitialization, EndTermination, EndSequence
};
// Sub-kinds of the words after INCLUDE and DEFINE.
enum IncludeWord { IncludeCode = 0, IncludePtu = 1, IncludeSegment = 2 };
enum DefineWord { DefineStructure = 1, DefineStub = 2 };

struct SecondWordEntry {
  const char* word;
  int subKind;
  KeywordLanguage language;
};
enum SecondWordTable { EndWords = 0, IncludeWords = 1, DefineWords = 2 };
const SecondWordEntry* secondWordTable(SecondWordTable table, int& count);
const SecondWordEntry* findSecondWord(SecondWordTable table, std::string_view word);

// Message words: keywords and fixed phrases quoted by messages, in three
// columns (0 French, 1 French with accents, 2 English).
enum MessageWord {
  MwHeader, MwOrigin, MwBegin, MwRegister, MwConstantName, MwConstantValue, MwService, MwEndService,
  MwEnvironment, MwEndEnvironment, MwDefineStructure, MwField, MwInherit, MwEndDefine, MwDefineStub,
  MwStub, MwTest, MwEndTest, MwFamily, MwEndFamily, MwElement, MwEndElement, MwVar, MwSimul, MwEndSimul,
  MwElseSimul, MwEndIf, MwSystem, MwSegment, MwIncludeSegment, MwEndSegment, MwFar, MwEndFar, MwNear,
  MwEndNear, MwServiceType, MwEnd, MwInclude, MwDefine, MwInitInString, MwInitFromString, MwInitFromSetOf,
  MwEvInString, MwCharString, MwInitialization, MwTermination, MwEndInitialization, MwEndTermination,
  MwAccess, MwServiceAccess, MwInitBase, MwOthers, MwUser, MwPass, MwOption, MwDataOption,
  MwSegmentModelExpected,
  // Words of the variable statements.
  MwEv, MwIn, MwFrom, MwTo, MwStep, MwNbValue, MwNbTimes, MwNbRandom, MwBounds, MwWith,
  MessageWordCount
};
// The word in a column (0, 1 or 2; other values give the English column).
const char* messageWord(MessageWord word, int language);
// The word in the current script language.
const char* messageWord(MessageWord word);

// Accepts or refuses a keyword of the given language in the current script
// language, switching the language once while it is open ("LANSWITCH").
bool languageCheck(KeywordLanguage language);

// Splits the first word (letters, digits, '$', '_'; upper-cased) from the
// rest: blanks and tabs after the word are skipped; any other character
// starts the rest. A text that starts with another character gives an empty
// word and the whole text as rest.
void splitWord(std::string_view text, std::string& word, std::string& rest);

// Removes leading and trailing blanks and tabs.
std::string trim(std::string_view text);

}  // namespace zenta::script
