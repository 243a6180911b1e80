// The catalogue as a table: one row per registered entry, in registration
// order (support library, analysis library, C/C++ analyser, compiler).
#pragma once

#include <span>

namespace zenta::diag {

struct CatalogueEntry {
  const char* group;    // registering library: "modbas", "bibli", "ana_c_cpp", "prepro"
  const char* context;  // translation context; nullptr: the text is used as it stands
  const char* code;
  const char* text;     // English text
};

std::span<const CatalogueEntry> catalogueEntries();

}  // namespace zenta::diag
