// DEFINE STUB blocks and STUB statements.
#pragma once

#include <string>

namespace zenta::script {

// DEFINE STUB name capacity.
void defineStub(const std::string& name, const std::string& capacity);
// A STUB statement (call description) inside or outside a stub block.
void stubStatement(const std::string& rest);
// END DEFINE of a stub block, with the native code collected in the block.
void endStubDefinition(const std::string& nativeCode);

}  // namespace zenta::script
