// How the operator forms of the script numbers report their failures.
#pragma once

#include <string>

#include "support/report_hook.h"
#include "support/scriptnum.h"

namespace zenta::support::scriptnum {

inline void reportOverflow(const std::string& what) { report(SevError, "OVERFLOW", what); }

// Reports a failed operation (its description is built only then) and flags
// the result of a failed operation or of a flagged operand.
template <typename T, typename Describe>
T settle(Checked<T> result, bool faulty, Describe describe) {
  if (result.status == NumStatus::Overflow) reportOverflow(describe());
  if (result.status == NumStatus::DivisionByZero) report(SevError, "DIVBYZERO", describe());
  if (!result.ok() || faulty) result.value.setFaulty();
  return result.value;
}

}  // namespace zenta::support::scriptnum
