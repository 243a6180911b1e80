// LIST and FORMAT statements.
#pragma once

#include <string>

namespace zenta::script {

void listStatement(const std::string& rest);
void formatStatement(const std::string& rest);

}  // namespace zenta::script
