#include "script/lists.h"

namespace zenta::script {

// Filled in by the list checks and the FORMAT analysis.
void listStatement(const std::string&) {}
void formatStatement(const std::string&) {}

}  // namespace zenta::script
