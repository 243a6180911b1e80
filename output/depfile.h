// The dependency file of a run: one rule in Make syntax that names the
// harness and every file the run read to write it, so that a build tool
// (Make, Ninja through CMake's DEPFILE) runs the compiler again when one of
// them changes.
#pragma once

#include <string>
#include <vector>

namespace zenta::output {

// A path as a word of a Make rule: blanks and tabs escaped with a backslash
// (backslashes right before them doubled), "#" as "\#", "$" as "$$".
std::string makeEscaped(const std::string& path);

// The rule "target: dep dep ...", one dependency a line joined by
// backslash-newline, each path escaped; ends with a newline.
std::string dependencyRule(const std::string& target, const std::vector<std::string>& dependencies);

// Writes the rule to path, under a temporary name put in place once it is
// complete, so that a build tool never reads half a file. Returns false when
// the file cannot be written (nothing is left behind then).
bool writeDependencyFile(const std::string& path, const std::string& target,
                         const std::vector<std::string>& dependencies);

// Files that the run reads outside the source-file stack and the analyser
// (INCLUDE CODE files, copied into the harness), noted for the dependency
// file as they are read.
void noteDependency(const std::string& path);
const std::vector<std::string>& notedDependencies();
void clearNotedDependencies();

}  // namespace zenta::output
