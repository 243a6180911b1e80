// The -expr requests of zentacpp: script expressions typed at file scope
// once the declarations of the input are in the tables.
#pragma once

#include <string>
#include <vector>

namespace zentacpp {

// For each text, one line on standard output, tab-separated: the image of
// the expression, its type class number, the class word (empty when none),
// the C type text (empty when none) and the size the class gives (the
// signed width of an integer type, negative when signed; the width of int
// otherwise). A text that does not parse or type has its messages reported
// and prints the line `TEXT<tab>-`.
void printExpressionLines(const std::vector<std::string>& texts);

}  // namespace zentacpp
