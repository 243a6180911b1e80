#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QXmlStreamReader>

#include <map>
#include <regex>
#include <set>
#include <string>
#include <tuple>

#include "diag/catalogue.h"
#include "diag/catalogue_data.h"
#include "diag/report.h"
#include "tests/testkit/process.h"

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

TEST_F(Catalogue, EveryCodeIsRegisteredWithItsLastText) {
  diag::registerCatalogues();
  std::map<std::string, std::string> last;
  for (const auto& e : diag::catalogueEntries()) last[e.code] = e.text;
  EXPECT_EQ(last.size(), 369u);
  for (const auto& [code, text] : last) {
    const std::string* got = diag::catalogueText(code);
    ASSERT_NE(got, nullptr) << code;
    EXPECT_EQ(*got, text) << code;
  }
}

TEST_F(Catalogue, LaterRegistrationReplacesEarlier) {
  diag::registerCatalogues();
  const std::pair<const char*, const char*> cases[] = {
      {"NOMESSDEF", "Undefined message for code number %1"},
      {"ERRINTERN", "%1Internal error in %2"},
      {"LISTEINVA", "%1Bad INIT or VA value list: %2"},
      {"CHAMPINCO", "%1Unknown field %2"},
      {"EXPERRONE", "%1Bad expression: %2"},
  };
  for (const auto& [code, text] : cases) {
    ASSERT_NE(diag::catalogueText(code), nullptr) << code;
    EXPECT_EQ(*diag::catalogueText(code), text) << code;
  }
  diag::registerMessage("EXPERRONE", "replaced %2");
  EXPECT_EQ(*diag::catalogueText("EXPERRONE"), "replaced %2");
}

TEST_F(Catalogue, TheRowsKeepGroupOrderAndWellFormedCodes) {
  const std::vector<std::string> order = {"modbas", "bibli", "ana_c_cpp", "prepro"};
  std::size_t group = 0;
  int untranslated = 0;
  const std::regex codeShape("[A-Z][A-Z0-9_]{4,11}");
  for (const auto& e : diag::catalogueEntries()) {
    while (group < order.size() && order[group] != e.group) ++group;
    ASSERT_LT(group, order.size()) << e.code << " out of group order";
    EXPECT_TRUE(std::regex_match(e.code, codeShape)) << e.code;
    if (!e.context) {
      ++untranslated;
      EXPECT_TRUE(std::string(e.text) == "%1%2" || std::string(e.text) == "%1 %2 ") << e.code;
    }
  }
  EXPECT_EQ(untranslated, 5);
}

TEST_F(Catalogue, TextsKeepTheirExactCharacters) {
  diag::registerCatalogues();
  EXPECT_EQ(*diag::catalogueText("ERRROOOPT"),
            "%1The \"-RO\" option is deprecated, export results in HTML from the \"File/Export\" menu within the User "
            "Interface. ");
  EXPECT_EQ(*diag::catalogueText("NOHEXDIGI"), "%1\\x used with no following hex digits %2");
  EXPECT_EQ(*diag::catalogueText("INTERNERR"), "%1internal error raised in  %2");
  EXPECT_EQ(*diag::catalogueText("USAGE_CMD"), "%1 %2 ");
  EXPECT_EQ(*diag::catalogueText("NBVALLIST"), "The Number of values in the list is too big %1");
  EXPECT_EQ(diag::catalogueText("NOTACODE"), nullptr);
}

TEST_F(Catalogue, FrenchTranslationsReplaceEveryTranslatableText) {
  ASSERT_EQ(diag::loadTranslations(localeDir(), "fr_FR"), 5);  // no novaident_ file is supplied
  const auto files = diag::installedTranslationFiles();
  ASSERT_EQ(files.size(), 5u);
  EXPECT_NE(files.front().find("prepro_fr.qm"), std::string::npos);  // loading order
  EXPECT_NE(files.back().find("cab_fr.qm"), std::string::npos);
  diag::registerCatalogues();
  EXPECT_EQ(*diag::catalogueText("IMPOUVFIC"), "%1Impossible d'ouvrir le fichier %2");
  EXPECT_EQ(*diag::catalogueText("STARTEXEC"), "%1%2");  // used as it stands
  // Every translatable entry translates under its own context and comment,
  // keeping its markers; only the one text written in French already stays.
  for (const auto& e : diag::catalogueEntries()) {
    if (!e.context) continue;
    const std::string comment = std::string("Error code is \"") + e.code + "\"";
    const std::string fr = diag::translate(e.context, e.text, comment.c_str());
    if (std::string(e.code) != "REGINC186") {
      EXPECT_NE(fr, e.text) << e.code << " in " << e.context;
    }
    EXPECT_EQ(countMarkers(fr, "%1"), countMarkers(e.text, "%1")) << e.code;
    EXPECT_EQ(countMarkers(fr, "%2"), countMarkers(e.text, "%2")) << e.code;
  }
  // Texts of other modules.
  EXPECT_EQ(diag::translate("Error Parameter", "memory overflow"), "débordement de mémoire");
  EXPECT_EQ(diag::translate("Warning Parameter", "improper RESTR=KR option"), "option RESTR=KR inappropriée");
  EXPECT_EQ(diag::translate("CAB", "Unknown option,"), "Option inconnue,");
  EXPECT_EQ(diag::translate("CAB", "Command analysis"), "Analyse de la commande");
}

TEST_F(Catalogue, LocaleNamesAreShortenedToTheLanguage) {
  EXPECT_EQ(diag::loadTranslations(localeDir(), "fr_CA.UTF-8"), 5);
  diag::removeTranslationsForTests();
  EXPECT_EQ(diag::loadTranslations(localeDir(), "de_DE"), 0);
  diag::registerCatalogues();
  EXPECT_EQ(*diag::catalogueText("IMPOUVFIC"), "%1Cannot open the file %2");
  EXPECT_EQ(diag::loadTranslations("/no/such/dir", "fr_FR"), 0);
}

// The translation sources: one file per catalogue prefix, every entry present
// under its context with its code comment, markers kept.
using Key = std::tuple<std::string, std::string, std::string>;  // context, source, comment

std::map<Key, std::string> readTs(const std::string& path) {
  std::map<Key, std::string> messages;
  QFile file(QString::fromStdString(path));
  if (!file.open(QIODevice::ReadOnly)) return messages;
  QXmlStreamReader xml(&file);
  std::string context, source, comment, translation;
  while (!xml.atEnd()) {
    xml.readNext();
    if (xml.isStartElement()) {
      const auto name = xml.name();
      if (name == QLatin1String("name")) context = xml.readElementText().toStdString();
      else if (name == QLatin1String("message")) source.clear(), comment.clear(), translation.clear();
      else if (name == QLatin1String("source")) source = xml.readElementText().toStdString();
      else if (name == QLatin1String("comment")) comment = xml.readElementText().toStdString();
      else if (name == QLatin1String("translation")) translation = xml.readElementText().toStdString();
    } else if (xml.isEndElement() && xml.name() == QLatin1String("message")) {
      messages[{context, source, comment}] = translation;
    }
  }
  EXPECT_FALSE(xml.hasError()) << path << ": " << xml.errorString().toStdString();
  return messages;
}

TEST(TranslationSources, EveryCatalogueEntryHasItsFrenchText) {
  const std::map<std::string, std::string> fileOf = {
      {"modbas", "modbas_fr.ts"}, {"bibli", "bibli_fr.ts"}, {"ana_c_cpp", "anaccpp_fr.ts"}, {"prepro", "prepro_fr.ts"}};
  std::map<std::string, std::map<Key, std::string>> files;
  for (const auto& [group, name] : fileOf) files[group] = readTs(std::string(ZENTA_SOURCE_DIR) + "/translations/" + name);
  std::size_t used = 0;
  for (const auto& e : diag::catalogueEntries()) {
    if (!e.context) continue;
    const auto& messages = files[e.group];
    auto it = messages.find({e.context, e.text, std::string("Error code is \"") + e.code + "\""});
    ASSERT_NE(it, messages.end()) << e.code << " missing from " << fileOf.at(e.group);
    EXPECT_FALSE(it->second.empty()) << e.code;
    EXPECT_EQ(countMarkers(it->second, "%1"), countMarkers(e.text, "%1")) << e.code;
    EXPECT_EQ(countMarkers(it->second, "%2"), countMarkers(e.text, "%2")) << e.code;
    ++used;
  }
  std::size_t total = 0;
  for (const auto& [group, messages] : files) total += messages.size();
  EXPECT_EQ(used, total) << "a translation file holds an entry the catalogue does not have";
}

TEST(TranslationSources, DecoderAndParameterTexts) {
  const auto cab = readTs(std::string(ZENTA_SOURCE_DIR) + "/translations/cab_fr.ts");
  const char* decoder[] = {"Arg value too small,", "Arg value too large,", "Arg length too small,",
                           "Arg length too large,", "Too many arguments invalid argument,",
                           "List forbidden invalid argument,", "Unknown option,", "Invalid character following option,",
                           "An option can't be used twice,", "Mandatory argument for this option,",
                           "No argument for this option,", "List forbidden invalid option,", "Argument missing,",
                           "Ambiguous option,", "Unknown value of option,", "Ambiguous value of option,",
                           "Illegal combination of command elements,", "File not found",
                           "Command analysis: No memory left", "Command analysis", "Internal error, bad option name",
                           "Quartolab"};
  for (const char* text : decoder) {
    auto it = cab.find({"CAB", text, ""});
    ASSERT_NE(it, cab.end()) << text;
    EXPECT_FALSE(it->second.empty()) << text;
  }
  EXPECT_TRUE(cab.count({"Error Parameter", "memory overflow", ""}));
  EXPECT_TRUE(cab.count({"Error Parameter", "else or elif", ""}));
  EXPECT_TRUE(cab.count({"Warning Parameter", "improper RESTR=KR option", ""}));
  EXPECT_TRUE(cab.count({"Fatal Error (cstsyst)", "FATAL ERROR on '%1',\n Please contact your administrative.", ""}));
}

}  // namespace
