// The value list of a whole array turned into one C expression of the index
// variables I1, I2, ... (I followed by the nesting level of the list, 1 for
// the outermost): a chain of conditionals, one per item in list order.
//
//   positional item at position p   (I1 == (p+low)?v:      `+low` when the
//                                                           caller gives the
//                                                           lower bound
//   constant index k => v           (I1 == k?v:
//   range a..b => v                 (((I1>=a) && (I1<=(b)))?v:
//   other index e => v              (I1 == (e)?v:
//   others => v                     v, the final value (`autres` in French)
//
// The last item is the final value, without condition, and the parentheses
// opened are then closed. An item that is itself a list is converted at the
// next level. An omitted item is "OMIVALTAB" (the final value is 0 when it
// is the last one; one in the middle is skipped but keeps its position); a
// constant index outside the bounds is "INDICEINC"; an identifier index other
// than `others` is "TABEXPINC" and the item is skipped. All are warnings.
//
//   {1, 2, others => 0}   ->   (I1 == (0)?1:(I1 == (1)?2:0))
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "analyser/parse/expr_parser.h"

namespace zenta::analyser {

// The bounds of one dimension as the caller knows them.
struct ArrayBound {
  std::string lowerImage;  // written after `p+` in positional items; empty: none
  std::optional<std::int64_t> lower, upper;  // constant bounds, for the index checks
};

// `request.text` is the list. `bounds[k]` describes the dimension of level
// k+1. Nothing when the list does not parse (the parser has reported it).
std::optional<std::string> arrayValueExpression(AstContext& ctx, const SymbolTable& table,
                                                const ParseRequest& request, const std::vector<ArrayBound>& bounds,
                                                int level, bool frenchWords);

}  // namespace zenta::analyser
