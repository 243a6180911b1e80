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

// Signedness of the plain (unqualified) integer types of each width class;
// for Char this is the plain-char signedness above. Only `#pragma zenta
// signof` changes them: short, int, long and long long are signed by default.
bool targetUnsigned(BaseWidth which);
void setTargetUnsigned(BaseWidth which, bool isUnsigned);

// A function called after every change of the widths or signedness (the type
// tables refresh their base integer records with it); null removes it.
void setTargetWidthsListener(void (*listener)());

}  // namespace zenta::analyser
