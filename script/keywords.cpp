#include "script/keywords.h"

#include <cctype>

#include "diag/report.h"
#include "model/script_language.h"

namespace zenta::script {
namespace {

constexpr bool R = true;   // argument required
constexpr bool X = true;   // argument expected
constexpr bool N = false;  // neither

const KeywordEntry kKeywords[] = {
    {"ENTETE", KHeader, N, X, French},
    {"OPERATION", KService, R, N, Both},
    {"SERVICE", KService, R, N, Both},
    {"FOP", KEndService, N, N, French},
    {"FSERV", KEndService, N, N, French},
    {"TEST", KTest, R, N, Both},
    {"FTEST", KEndTest, N, N, French},
    {"FAMILLE", KFamily, N, X, French},
    {"FFAM", KEndFamily, N, N, French},
    {"ELEMENT", KElement, N, N, Both},
    {"FEL", KEndElement, N, N, French},
    {"VAR", KVar, R, N, Both},
    {"REGISTRE", KRegister, R, N, French},
    {"SIMUL", KSimul, N, N, Both},
    {"FSIMUL", KEndSimul, N, N, French},
    {"ELSE_SIMUL", KElseSimul, N, N, Both},
    {"CONST", KConst, R, N, Both},
    {"COMMENT", KComment, N, N, Both},
    {"ENVIRONNEMENT", KEnvironment, R, N, French},
    {"FENVIR", KEndEnvironment, N, N, French},
    {"UTILISE", KUse, R, N, French},
    {"SEGMENT", KSegment, R, N, Both},
    {"FSEGMENT", KEndSegment, N, N, French},
    {"SYSTEME", KSystem, R, N, French},
    {"FAR", KFar, N, N, Both},
    {"FFAR", KEndFar, N, N, French},
    {"NEAR", KNear, N, N, Both},
    {"FNEAR", KEndNear, N, N, French},
    {"DEBUT", KBegin, N, N, French},
    {"TYPE_SERVICE", KServiceType, N, X, French},
    {"FIN", KEnd, N, X, French},
    {"TAB", KArray, R, N, French},
    {"HEADER", KHeader, N, X, English},
    {"FAMILY", KFamily, N, X, English},
    {"REGISTER", KRegister, R, N, English},
    {"ENVIRONMENT", KEnvironment, R, N, English},
    {"USE", KUse, R, N, English},
    {"SYSTEM", KSystem, R, N, English},
    {"BEGIN", KBegin, N, N, English},
    {"SERVICE_TYPE", KServiceType, N, X, English},
    {"END", KEnd, N, X, English},
    {"ARRAY", KArray, R, N, English},
    {"EXCEPTION", KException, R, N, Both},
    {"INCLUDE", KInclude, R, N, English},
    {"INCLURE", KInclude, R, N, French},
    {"DEFINIR", KDefine, R, N, French},
    {"DEFINE", KDefine, R, N, English},
    {"CHAMP", KField, R, N, French},
    {"FIELD", KField, R, N, English},
    {"SI", KIf, R, N, French},
    {"IF", KIf, R, N, English},
    {"SINON", KElse, N, N, French},
    {"ELSE", KElse, N, N, English},
    {"FINSI", KEndIf, N, N, French},
    {"ENDIF", KEndIf, N, N, English},
    {"STRUCTURE", KStructure, R, N, Both},
    {"DECLARE", KDeclare, R, N, Both},
    {"INITIALISATION", KInitialization, N, N, Both},
    {"TERMINAISON", KTermination, N, N, French},
    {"TERMINATION", KTermination, N, N, English},
    {"SINON_SIMUL", KElseSimul, N, N, French},
    {"ACCES", KAccess, R, N, French},
    {"ACCESS", KAccess, R, N, English},
    {"ACCES_SERVICE", KServiceAccess, R, N, French},
    {"SERVICE_ACCESS", KServiceAccess, R, N, English},
    {"TABLE", KTable, R, N, Both},
    {"FORMAT", KFormat, R, N, Both},
    {"HERITE", KInherit, R, N, French},
    {"INHERITE", KInherit, R, N, English},
    {"MUET", KStub, R, N, French},
    {"STUB", KStub, R, N, English},
    {"INIT_BASE", KInitBase, R, N, Both},
    {"STR", KStructure, R, N, Both},
    {"TEST_SUITE", KNextTest, N, N, French},
    {"NEXT_TEST", KNextTest, N, N, English},
    {"SEQUENCE", KSequence, N, N, Both},
    {"COV", KCoverage, R, N, English},
    {"COUV", KCoverage, R, N, French},
    {"LIST", KList, R, N, English},
    {"LISTE", KList, R, N, French},
    {"INITIALIZATION", KInitialization, N, N, English},
    {"REQUIREMENT", KRequirement, N, N, Both},
};
static_assert(sizeof(kKeywords) / sizeof(kKeywords[0]) == 82);

const SecondWordEntry kEndWords[] = {
    {"OPERATION", EndService, Both},
    {"SERVICE", EndService, Both},
    {"TEST", EndTest, Both},
    {"FAMILLE", EndFamily, French},
    {"FAMILY", EndFamily, English},
    {"ELEMENT", EndElement, Both},
    {"SIMUL", EndSimul, Both},
    {"ENVIRONNEMENT", EndEnvironment, French},
    {"ENVIRONMENT", EndEnvironment, English},
    {"SEGMENT", EndSegment, Both},
    {"FAR", EndFar, Both},
    {"NEAR", EndNear, Both},
    {"DEFINIR", EndDefine, French},
    {"DEFINE", EndDefine, English},
    {"SI", EndIf, French},
    {"IF", EndIf, English},
    {"INITIALISATION", EndInitialization, Both},
    {"INITIALIZATION", EndInitialization, English},
    {"TERMINAISON", EndTermination, French},
    {"TERMINATION", EndTermination, English},
    {"SEQUENCE", EndSequence, Both},
};
static_assert(sizeof(kEndWords) / sizeof(kEndWords[0]) == 21);

const SecondWordEntry kIncludeWords[] = {
    {"CODE", IncludeCode, Both},
    {"PTU", IncludePtu, Both},
    {"SEGMENT", IncludeSegment, Both},
};

const SecondWordEntry kDefineWords[] = {
    {"STRUCTURE", DefineStructure, Both},
    {"MUET", DefineStub, French},
    {"STUB", DefineStub, English},
};

struct Triple {
  const char* column[3];
};

const Triple kMessageWords[MessageWordCount] = {
    {{"ENTETE", "ENTETE", "HEADER"}},
    {{"Source : ", "Source : ", "Origin : "}},
    {{"DEBUT", "DEBUT", "BEGIN"}},
    {{"REGISTRE ", "REGISTRE ", "REGISTER "}},
    {{"NOM constante", "NOM constante", "Constant NAME"}},
    {{"VALEUR constante", "VALEUR constante", "Constant VALUE"}},
    {{"SERVICE", "SERVICE", "SERVICE"}},
    {{" FIN SERVICE", " FIN SERVICE", " END SERVICE"}},
    {{"ENVIRONNEMENT", "ENVIRONNEMENT", "ENVIRONMENT"}},
    {{"FIN ENVIRONNEMENT", "FIN ENVIRONNEMENT", "END ENVIRONMENT"}},
    {{"DEFINIR STRUCTURE", "DEFINIR STRUCTURE", "DEFINE STRUCTURE"}},
    {{"CHAMP", "CHAMP", "FIELD"}},
    {{"HERITE", "HERITE", "INHERITE"}},
    {{"FIN DEFINIR", "FIN DEFINIR", "END DEFINE"}},
    {{"DEFINIR MUET", "DEFINIR MUET", "DEFINE STUB"}},
    {{"MUET", "MUET", "STUB"}},
    {{"TEST", "TEST", "TEST"}},
    {{"FIN TEST", "FIN TEST", "END TEST"}},
    {{"FAMILLE", "FAMILLE", "FAMILY"}},
    {{"FIN FAMILLE", "FIN FAMILLE", "END FAMILY"}},
    {{"ELEMENT", "ELEMENT", "ELEMENT"}},
    {{"FIN ELEMENT", "FIN ELEMENT", "END ELEMENT"}},
    {{"VAR ", "VAR ", "VAR "}},
    {{"SIMUL", "SIMUL", "SIMUL"}},
    {{"FIN SIMUL", "FIN SIMUL", "END SIMUL"}},
    {{"ELSE_SIMUL", "ELSE_SIMUL", "ELSE_SIMUL"}},
    {{"FIN SI", "FIN SI", "END IF"}},
    {{"SYSTEME", "SYSTEME", "SYSTEM"}},
    {{"SEGMENT", "SEGMENT", "SEGMENT"}},
    {{"INCLURE SEGMENT", "INCLURE SEGMENT", "INCLUDE SEGMENT"}},
    {{"FIN SEGMENT", "FIN SEGMENT", "END SEGMENT"}},
    {{"FAR", "FAR", "FAR"}},
    {{"FIN FAR", "FIN FAR", "END FAR"}},
    {{"NEAR", "NEAR", "NEAR"}},
    {{"FIN NEAR", "FIN NEAR", "END NEAR"}},
    {{"TYPE_SERVICE", "TYPE_SERVICE", "SERVICE_TYPE"}},
    {{"FIN", "FIN", "END"}},
    {{"INCLURE", "INCLURE", "INCLUDE"}},
    {{"DEFINIR", "DEFINIR", "DEFINE"}},
    {{"INIT IN , CHAINE", "INIT IN , CHAINE", "INIT IN , STRING"}},
    {{"INIT FROM , CHAINE", "INIT FROM , CHAINE", "INIT FROM , STRING"}},
    {{"INIT FROM , SET OF", "INIT FROM , SET OF", "INIT FROM , SET OF"}},
    {{"VA IN , CHAINE", "VA IN , CHAINE", "VA IN , STRING"}},
    {{"CAR , CHAINE", "CAR , CHAINE", "CHAR , STRING"}},
    {{"INITIALISATION", "INITIALISATION", "INITIALIZATION"}},
    {{"TERMINAISON", "TERMINAISON", "TERMINATION"}},
    {{"FIN INITIALISATION", "FIN INITIALISATION", "END INITIALIZATION"}},
    {{"FIN TERMINAISON", "FIN TERMINAISON", "END TERMINATION"}},
    {{"ACCES", "ACCES", "ACCESS"}},
    {{"ACCES_SERVICE", "ACCES_SERVICE", "SERVICE_ACCESS"}},
    {{"INIT_BASE", "INIT_BASE", "INIT_BASE"}},
    {{"autres", "autres", "others"}},
    {{"UTILISATEUR", "UTILISATEUR", "USER"}},
    {{"PASS", "PASS", "PASS"}},
    {{"OPTION", "OPTION", "OPTION"}},
    {{"option -DONNEES=<fichier_donnees> attendue", "option -DONNEES=<fichier_donnees> attendue",
      " -DATA=<datafile> option expected"}},
    {{"modele de segment attendu", "mod\xe8le de segment attendu", "segment model expected"}},
    {{"VA", "VA", "EV"}},
    {{"DANS", "DANS", "IN"}},
    {{"DE", "DE", "FROM"}},
    {{" A ", " A ", " TO "}},
    {{" INCREMENT ", " INCREMENT ", " STEP "}},
    {{" NB_VALEUR ", " NB_VALEUR ", " NB_VALUE "}},
    {{" NB_VALEURS ", " NB_VALEURS ", " NB_TIMES "}},
    {{" NB_HASARD ", " NB_HASARD ", " NB_RANDOM "}},
    {{"BORNES", "BORNES", "BOUNDS"}},
    {{"AVEC", "AVEC", "WITH"}},
};

bool isWordChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '$' || c == '_'; }

}  // namespace

const KeywordEntry* keywordTable(int& count) {
  count = static_cast<int>(sizeof(kKeywords) / sizeof(kKeywords[0]));
  return kKeywords;
}

const KeywordEntry* findKeyword(std::string_view word) {
  if (word.empty()) return nullptr;
  for (const KeywordEntry& e : kKeywords)
    if (word == e.word) return &e;
  return nullptr;
}

const SecondWordEntry* secondWordTable(SecondWordTable table, int& count) {
  switch (table) {
    case EndWords: count = 21; return kEndWords;
    case IncludeWords: count = 3; return kIncludeWords;
    case DefineWords: count = 3; return kDefineWords;
  }
  count = 0;
  return nullptr;
}

const SecondWordEntry* findSecondWord(SecondWordTable table, std::string_view word) {
  int count = 0;
  const SecondWordEntry* entries = secondWordTable(table, count);
  if (word.empty()) return nullptr;
  for (int i = 0; i < count; ++i)
    if (word == entries[i].word) return &entries[i];
  return nullptr;
}

const char* messageWord(MessageWord word, int language) {
  if (word < 0 || word >= MessageWordCount) return "";
  const int column = (language == 0 || language == 1) ? language : 2;
  return kMessageWords[word].column[column];
}

const char* messageWord(MessageWord word) { return messageWord(word, model::scriptLanguage()); }

// A keyword of the script's language closes the language; a bilingual one
// leaves it open, so that the first language-specific keyword decides.
bool languageCheck(KeywordLanguage language) {
  const int current = model::scriptLanguage();
  if (current == model::LangFrench || current == model::LangFrenchAccented) {
    if (language != English) {
      if (language == French) model::setScriptLanguageOpen(false);
      return true;
    }
    if (!model::scriptLanguageOpen()) return false;
    model::setScriptLanguage(model::LangEnglish);
    diag::information("LANSWITCH", "elle devrait etre 'GB'");
    return true;
  }
  if (current == model::LangEnglish) {
    if (language != French) {
      if (language == English) model::setScriptLanguageOpen(false);
      return true;
    }
    if (!model::scriptLanguageOpen()) return false;
    model::setScriptLanguage(model::LangFrench);
    diag::information("LANSWITCH", "it should be 'FR'");
    return true;
  }
  diag::warning("LANGANDEF", std::to_string(current));
  return false;
}

void splitWord(std::string_view text, std::string& word, std::string& rest) {
  word.clear();
  std::size_t i = 0;
  while (i < text.size() && isWordChar(text[i])) {
    word += static_cast<char>(std::toupper(static_cast<unsigned char>(text[i])));
    ++i;
  }
  while (i > 0 && i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  rest = std::string(text.substr(i));
}

std::string trim(std::string_view text) {
  std::size_t b = 0, e = text.size();
  while (b < e && (text[b] == ' ' || text[b] == '\t')) ++b;
  while (e > b && (text[e - 1] == ' ' || text[e - 1] == '\t')) --e;
  return std::string(text.substr(b, e - b));
}

}  // namespace zenta::script
