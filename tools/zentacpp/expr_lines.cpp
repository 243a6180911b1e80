#include "tools/zentacpp/expr_lines.h"

#include <cstdio>

#include "analyser/interface.h"
#include "diag/report.h"

namespace zentacpp {

void printExpressionLines(const std::vector<std::string>& texts) {
  namespace ana = zenta::analyser;
  int index = 0;
  for (const std::string& text : texts) {
    // Messages about the text name the request: "[-expr:N]".
    zenta::diag::setCurrentFile("-expr");
    zenta::diag::setCurrentLine(++index);
    std::string line = text + "\t-";
    ana::ExpressionTree tree = ana::parseExpression(text);
    if (tree) {
      if (const ana::Type* type = ana::typeExpression(tree)) {
        const ana::TypeClass c = ana::typeClass(type, true);
        line = ana::expressionImage(tree) + '\t' + std::to_string(c.value) + '\t' + c.word + '\t' +
               (c.hasCType ? c.cType : std::string()) + '\t' + std::to_string(c.size);
      }
    }
    line += '\n';
    std::fwrite(line.data(), 1, line.size(), stdout);
  }
  std::fflush(stdout);
}

}  // namespace zentacpp
