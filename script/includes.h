// INCLUDE (CODE, PTU), CONST and DEFINE STRUCTURE ... FIELD ... END DEFINE.
#pragma once

#include <string>

namespace zenta::script {

// INCLUDE CODE: copies the file to the harness and hands it to the analyser.
void includeCode(const std::string& name);
// INCLUDE PTU: opens the file as a new input frame ("FICINCINC" when it
// cannot be found). Returns whether a frame was pushed.
bool includePtu(const std::string& name);
// Locates an included file: as written, then in each include directory.
// Empty when not found.
std::string locateInclude(const std::string& name);
// CONST name = value ("FORWCONST" once a SERVICE has been seen).
void defineConstant(const std::string& rest, bool afterService);
// DEFINE STRUCTURE name, FIELD name = type, END DEFINE, and the discarding of
// the structure definitions of a level.
void defineStructure(const std::string& name, int level);
void structureField(const std::string& rest);
void endStructure();
void discardStructures(int level);

}  // namespace zenta::script
