// The message catalogue (code -> text) and the loading of translations.
#pragma once

#include <string>

namespace zenta::diag {

// Loads the compiled translations from QUARTODIR/lib/locale. When QUARTODIR is
// unset or empty, writes the fatal line on stderr and exits with status 7.
void installTranslations();

// Registers the four catalogues in order (support library, analysis library,
// C/C++ analyser, compiler); a later entry replaces an earlier one.
void registerCatalogues();

// Inserts or replaces one entry.
void registerMessage(const std::string& code, const std::string& text);

// The text of a code, or nullptr when the code is not in the catalogue.
const std::string* catalogueText(const std::string& code);

// Translation of a text in a context, with an optional disambiguation comment.
std::string translate(const char* context, const char* text, const char* comment = nullptr);

}  // namespace zenta::diag
