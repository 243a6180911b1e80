// The C/C++ rules for the types of operator results: categories of operand
// types, integer promotion, the usual arithmetic conversions, and the
// reduction of a constant value to the width of its type. Shared by the
// typer and by the constant folding of the parser.
//
// Every function looks through typedefs, modifiers and references first.
#pragma once

#include "analyser/ast/context.h"
#include "analyser/ast/types.h"
#include "support/scriptnum.h"

namespace zenta::analyser {

// Integer or enumeration.
bool isIntegralType(const Type* t);
// Integer, enumeration or floating.
bool isArithmeticType(const Type* t);
// A pointer, or an array or function that decays to one.
bool isPointerLike(const Type* t);
// Arithmetic or pointer-like.
bool isScalarType(const Type* t);

// Conversion rank of an integer record: bool 0, char 1, short 2, int 3, long
// 4, long long 5 (from its words; a record without words ranks by width).
int integerRank(const Type* integer);

// Integer promotion: enumerations, bool, char and short types become int (or
// unsigned when int cannot hold every value); other types are unchanged.
Type* promoteType(AstContext& ctx, Type* t);
// The common type of two arithmetic operands (the widest floating type when
// either is floating, else the integer rules of C).
Type* usualArithmeticType(AstContext& ctx, Type* a, Type* b);
// An array becomes a pointer to its element, a function a pointer to it.
Type* decayType(AstContext& ctx, Type* t);

// The value reduced to the width of an integer type: modulo 2^width, then
// read as two's complement when the type is signed.
support::ScriptInt wrapToType(const support::ScriptInt& value, const Type* integer);

}  // namespace zenta::analyser
