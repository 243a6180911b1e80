#include <gtest/gtest.h>

#include <QCoreApplication>

#include <map>
#include <regex>
#include <string>

#include "diag/catalogue.h"
#include "diag/catalogue_data.h"
#include "diag/report.h"
#include "tests/testkit/process.h"
#include "tests/testkit/ts_file.h"

namespace {

using namespace zenta;

// Translation needs the application object.
QCoreApplication& application() {
  static int argc = 1;
  static char name[] = "test_diag";
  static char* argv[] = {name, nullptr};
  static QCoreApplication app(argc, argv);
  return app;
}

class Catalogue : public ::testing::Test {
 protected:
  void SetUp() override {
    application();
    diag::removeTranslationsForTests();
    diag::clearCatalogueForTests();
  }
  void TearDown() override {
    diag::removeTranslationsForTests();
    diag::clearCatalogueForTests();
    diag::registerCatalogues();
  }
  static std::string localeDir() { return testkit::stageDir() + "/lib/locale"; }
};

int countMarkers(const std::string& text, const char* marker) {
  int n = 0;
  for (auto at = text.find(marker); at != std::string::npos; at = text.find(marker, at + 2)) ++n;
  return n;
}

void expectSameMarkers(const std::string& translated, const char* original, const char* code) {
  EXPECT_EQ(countMarkers(translated, "%1"), countMarkers(original, "%1")) << code;
  EXPECT_EQ(countMarkers(translated, "%2"), countMarkers(original, "%2")) << code;
}

TEST_F(Catalogue, EveryCodeIsRegisteredWithItsLastText) {
  diag::registerCatalogues();
  std::map<std::string, std::string> last;
  const std::regex codeShape("[A-Z][A-Z0-9_]{4,11}");
  for (const auto& e : diag::catalogueEntries()) {
    last[e.code] = e.text;
    EXPECT_TRUE(std::regex_match(e.code, codeShape)) << e.code;
  }
  EXPECT_EQ(last.size(), 369u);
  for (const auto& [code, text] : last) {
    ASSERT_NE(diag::catalogueText(code), nullptr) << code;
    EXPECT_EQ(*diag::catalogueText(code), text) << code;
  }
  // Codes defined by more than one group keep the later text; texts keep
  // their exact characters.
  const std::pair<const char*, const char*> texts[] = {
      {"NOMESSDEF", "Undefined message for code number %1"},
      {"ERRINTERN", "%1Internal error in %2"},
      {"LISTEINVA", "%1Bad INIT or VA value list: %2"},
      {"CHAMPINCO", "%1Unknown field %2"},
      {"EXPERRONE", "%1Bad expression: %2"},
      {"ERRROOOPT", "%1The \"-RO\" option is deprecated, export results in HTML from the \"File/Export\" menu "
                    "within the User Interface. "},
      {"NOHEXDIGI", "%1\\x used with no following hex digits %2"},
      {"INTERNERR", "%1internal error raised in  %2"},
      {"USAGE_CMD", "%1 %2 "},
      {"NBVALLIST", "The Number of values in the list is too big %1"},
  };
  for (const auto& [code, text] : texts) {
    ASSERT_NE(diag::catalogueText(code), nullptr) << code;
    EXPECT_EQ(*diag::catalogueText(code), text) << code;
  }
  EXPECT_EQ(diag::catalogueText("NOTACODE"), nullptr);
  diag::registerMessage("EXPERRONE", "replaced %2");
  EXPECT_EQ(*diag::catalogueText("EXPERRONE"), "replaced %2");
}

TEST_F(Catalogue, FrenchTranslationsReplaceEveryTranslatableText) {
  ASSERT_EQ(diag::loadTranslations(localeDir(), "fr_FR"), 5);  // no novaident_ file is supplied
  const auto files = diag::installedTranslationFiles();
  ASSERT_EQ(files.size(), 5u);
  EXPECT_NE(files.front().find("prepro_fr.qm"), std::string::npos);  // loading order
  EXPECT_NE(files.back().find("cab_fr.qm"), std::string::npos);
  diag::registerCatalogues();
  EXPECT_EQ(*diag::catalogueText("IMPOUVFIC"), "%1Impossible d'ouvrir le fichier %2");
  EXPECT_EQ(*diag::catalogueText("STARTEXEC"), "%1%2");  // untranslated: used as it stands
  // Every translatable entry translates under its own context and comment,
  // keeping its markers; only the one text written in French already stays.
  int untranslated = 0;
  for (const auto& e : diag::catalogueEntries()) {
    if (!e.context) {
      ++untranslated;
      continue;
    }
    const std::string comment = std::string("Error code is \"") + e.code + "\"";
    const std::string fr = diag::translate(e.context, e.text, comment.c_str());
    if (std::string(e.code) != "REGINC186") {
      EXPECT_NE(fr, e.text) << e.code << " in " << e.context;
    }
    expectSameMarkers(fr, e.text, e.code);
  }
  EXPECT_EQ(untranslated, 5);
  // Texts of other modules.
  const std::pair<std::pair<const char*, const char*>, const char*> others[] = {
      {{"Error Parameter", "memory overflow"}, "débordement de mémoire"},
      {{"Warning Parameter", "improper RESTR=KR option"}, "option RESTR=KR inappropriée"},
      {{"CAB", "Unknown option,"}, "Option inconnue,"},
  };
  for (const auto& [key, fr] : others) EXPECT_EQ(diag::translate(key.first, key.second), fr) << key.second;
}

TEST_F(Catalogue, LocaleNamesAreShortenedToTheLanguage) {
  EXPECT_EQ(diag::loadTranslations(localeDir(), "fr_CA.UTF-8"), 5);
  diag::removeTranslationsForTests();
  EXPECT_EQ(diag::loadTranslations(localeDir(), "de_DE"), 0);
  diag::registerCatalogues();
  EXPECT_EQ(*diag::catalogueText("IMPOUVFIC"), "%1Cannot open the file %2");
  EXPECT_EQ(diag::loadTranslations("/no/such/dir", "fr_FR"), 0);
}

// The translation sources: one file per catalogue group, every entry present
// under its context with its code comment, markers kept, and nothing else.
TEST(TranslationSources, EveryCatalogueEntryHasItsFrenchText) {
  const std::map<std::string, std::string> fileOf = {
      {"modbas", "modbas_fr.ts"}, {"bibli", "bibli_fr.ts"}, {"ana_c_cpp", "anaccpp_fr.ts"}, {"prepro", "prepro_fr.ts"}};
  std::map<std::string, std::map<testkit::TsKey, std::string>> files;
  for (const auto& [group, name] : fileOf)
    files[group] = testkit::readTs(std::string(ZENTA_SOURCE_DIR) + "/translations/" + name);
  std::size_t used = 0;
  for (const auto& e : diag::catalogueEntries()) {
    if (!e.context) continue;
    const auto& messages = files[e.group];
    auto it = messages.find({e.context, e.text, std::string("Error code is \"") + e.code + "\""});
    ASSERT_NE(it, messages.end()) << e.code << " missing from " << fileOf.at(e.group);
    EXPECT_FALSE(it->second.empty()) << e.code;
    expectSameMarkers(it->second, e.text, e.code);
    ++used;
  }
  std::size_t total = 0;
  for (const auto& [group, messages] : files) total += messages.size();
  EXPECT_EQ(used, total) << "a translation file holds an entry the catalogue does not have";
  // The parameter texts of the support functions.
  const auto cab = testkit::readTs(std::string(ZENTA_SOURCE_DIR) + "/translations/cab_fr.ts");
  for (const auto& [context, source] : std::initializer_list<std::pair<const char*, const char*>>{
           {"Error Parameter", "memory overflow"},
           {"Error Parameter", "else or elif"},
           {"Warning Parameter", "improper RESTR=KR option"},
           {"Fatal Error (cstsyst)", "FATAL ERROR on '%1',\n Please contact your administrative."}}) {
    auto it = cab.find({context, source, ""});
    ASSERT_NE(it, cab.end()) << source;
    EXPECT_FALSE(it->second.empty()) << source;
  }
}

}  // namespace
