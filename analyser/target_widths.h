// Target widths (in bits) and signedness of the integer base types, shared by
// the type tables, the lexer (`#pragma zenta sizeof`/`signof`) and the
// preprocessor's `sizeof` in `#if`.
#pragma once

namespace zenta::analyser {

enum class BaseWidth { Char = 0, Short, Int, Long, LongLong };

int targetWidth(BaseWidth which);           // 8, 16, 32, 32, 64 by default
void setTargetWidth(BaseWidth which, int bits);
bool plainCharUnsigned();                   // false by default
void setPlainCharUnsigned(bool isUnsigned);
void resetTargetWidths();                   // back to the defaults

}  // namespace zenta::analyser
