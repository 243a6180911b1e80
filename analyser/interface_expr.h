// What the files of the interface's expression requests share (internal to
// the analyser folder).
#pragma once

#include <string>

#include "analyser/interface.h"
#include "analyser/parse/expr_parser.h"
#include "analyser/sema/expr_typer.h"

namespace zenta::analyser {

struct ResolvedContext {
  TypingScope where;
};

// The scope, function and class that a script context names.
ResolvedContext resolveContext(const AnalysisContext& context);
// A parse of `text` (kept alive by the caller) at the script's position;
// `quiet` drops the messages.
ParseRequest scriptRequest(const std::string& text, const ResolvedContext& context, bool quiet);
Type* typeTree(const Expr* root, const ResolvedContext& context, bool quiet);
// A warning of the compiler's catalogue at the script's position.
void scriptWarning(const char* code, const std::string& argument);

}  // namespace zenta::analyser
