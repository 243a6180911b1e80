#include "script/native_code.h"

#include "analyser/interface.h"
#include "analyser/lex/preprocessor.h"

namespace zenta::script {

std::string preprocessNativeCode(const std::string& code, const std::string& file, int line) {
  std::string output;
  analyser::preprocess_text(code, false, file, line, output, analyser::preprocessorMacroTable(),
                            analyser::analyserMessageHook);
  return output;
}

void analyseNativeDeclarations(const std::string& preprocessed) { analyser::analyseDeclarations(preprocessed); }

}  // namespace zenta::script
