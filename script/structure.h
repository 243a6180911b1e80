// The block structure of a script: the program-wide block state, the
// selection of services, tests and families, and one handler per statement
// kind. Each handler checks the statement against the open blocks (closing
// or opening blocks implicitly with "MOTCLEABS" where needed), records what
// it must and calls the generator's handler.
#pragma once

#include <string>
#include <vector>

#include "model/blocks.h"

namespace zenta::script {

// The front end owns the run's block state and registers it with the
// generator, which reads it.
using model::BlockState;
using model::ConditionalFrame;

BlockState& blockState();
void resetBlockState();

// The current scope level: 3 in an element, 2 in a test, 1 in a service, 0
// otherwise.
int currentLevel();

// Handlers. `rest` is the trimmed text after the keyword (and after the
// second word for END, INCLUDE and DEFINE); `statement` the whole statement
// for messages.
void handleHeader(const std::string& rest, const std::string& statement);
void handleBegin();
void handleInitialization();
void handleTermination();
void handleEndInitialization();
void handleEndTermination();
void handleService(const std::string& rest);
void handleEndService();
void handleTest(const std::string& rest, const std::string& statement);
void handleNextTest(const std::string& rest);
void handleEndTest();
void handleFamily(const std::string& rest);
void handleEndFamily();
void handleElement();
void handleEndElement();
void handleVariableStatement(int kind, const std::string& rest);
void handleIf(const std::string& rest);
void handleElse();
void handleEndIf();
void handleSimul();
void handleElseSimul();
void handleEndSimul();
void handleSequence(bool on);
void handleComment(const std::string& rest);
void handleException(const std::string& rest);
void handleEnvironmentStatement(const std::string& rest);
void handleEndEnvironmentStatement();
void handleUseStatement(const std::string& rest);
void handleConstStatement(const std::string& rest);
void handleDefineStructureStatement(const std::string& rest);
void handleFieldStatement(const std::string& rest);
void handleDefineStubStatement(const std::string& rest);
void handleEndDefine();
void handleSegment(bool open);

// Implicit closings shared by many statements: an open environment, then
// an open definition (structure or stub), each with "MOTCLEABS".
void closeEnvironmentsAndDefinitions();
// BEGIN performed implicitly with "MOTCLEABS" when missing.
void implicitBegin();

// The end-of-script checks and closings.
void endOfScript();

// Normalises a name: runs of blanks and tabs become one blank, leading
// blanks go, letters become upper case.
std::string normaliseName(const std::string& text);

}  // namespace zenta::script
