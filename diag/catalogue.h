// The message catalogue (code -> text) and the loading of translations.
#pragma once

#include <string>
#include <vector>

namespace zenta::diag {

// Prefixes of the compiled translation files, in their loading order.
inline constexpr const char* kTranslationPrefixes[] = {"prepro_", "novaident_", "modbas_",
                                                       "bibli_",  "anaccpp_",   "cab_"};

// Loads the compiled translations from QUARTODIR/lib/locale for the system
// locale. When QUARTODIR is unset or empty, writes the fatal line on stderr
// and exits with status 7. A missing directory is a warning line on stderr
// and the run goes on in English. Needs the application object.
void installTranslations();

// Loads and installs "<prefix><locale>" for each prefix from the directory,
// with the translation library's lookup (the locale shortened at "_" or "."
// from the right until a file is found). Returns how many were installed.
int loadTranslations(const std::string& directory, const std::string& localeName);
// The files installed so far, in loading order.
std::vector<std::string> installedTranslationFiles();
// Removes every installed translation (tests only).
void removeTranslationsForTests();

// Registers the four catalogues in order (support library, analysis library,
// C/C++ analyser, compiler); a later entry replaces an earlier one. Each text
// goes through the installed translations under its context, with the
// comment Error code is "CODE".
void registerCatalogues();

// Inserts or replaces one entry.
void registerMessage(const std::string& code, const std::string& text);

// The text of a code, or nullptr when the code is not in the catalogue.
const std::string* catalogueText(const std::string& code);

// Empties the catalogue (tests only).
void clearCatalogueForTests();

// Translation of a text in a context, with an optional disambiguation
// comment, as a local 8-bit string. Other modules use it for their own
// translated texts, for example translate("Error Parameter", "memory overflow")
// or translate("CAB", "Unknown option,").
std::string translate(const char* context, const char* text, const char* comment = nullptr);

}  // namespace zenta::diag
