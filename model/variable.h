// The description of one variable statement (VAR, ARRAY, STR): its
// qualifier texts, forms and flags, the variable text and the type that the
// analyser gave it. Filled by the variable statements and by the
// environments; read by the generator.
#pragma once

#include <string>
#include <vector>

#include "model/components.h"

namespace zenta::model {

constexpr std::size_t kMaxQualifierText = 20479;
constexpr std::size_t kMaxDeclaredType = 79;

enum InitForm { InitValue = 0, InitInList = 1, InitFromRange = 2 };
enum RangeKind { RangeNone = 0, RangeStep = 1, RangeCount = 2, RangeRandom = 3 };
enum DeltaKind { DeltaNone = 0, DeltaPercentage = 1, DeltaAbsolute = 2 };
enum StatementKind { VariableScalar = 0, VariableArray = 1, VariableStructured = 2 };
constexpr int kFormatNone = -1;

struct VariableDescription {
  std::string initText;
  std::string evText;
  std::string maxText;
  std::string minText;
  std::string deltaText;

  bool initPresent = false;
  bool evPresent = false;
  bool maxPresent = false;
  bool minPresent = false;

  bool initDoubleEqual = false;
  int initForm = InitValue;
  int rangeKind = RangeNone;
  int deltaKind = DeltaNone;
  bool initFromPresent = false;
  bool boundsFlag = false;  // +BOUNDS of an INIT FROM range

  // Set for the EV == form; for the EV => form it takes the run option's value.
  bool evForm = false;

  std::string rangeLow;
  std::string rangeHigh;
  std::string rangeStep;
  std::string evArrowText;
  std::string evInList;
  std::string evWithText;

  int randomCount = 0;  // 10 when the given count was out of range

  // The list and range forms as the generator takes them: the INIT IN (or
  // INIT WITH) list is initText, the EV IN list evInList and the EV WITH
  // list evWithText, each as written with its enclosing parentheses or
  // braces; the range bounds and the step or count are rangeLow, rangeHigh
  // and rangeStep.
  int evKind = 0;            // EvKind
  std::string evLinkText;    // EV (link) IN|WITH: the parenthesised part, without its parentheses
  std::string initLinkText;  // INIT (link) WITH: the linked variable
  int initListCount = 0;     // number of values of an INIT IN or INIT WITH list
  int evListCount = 0;       // number of values of an EV IN or EV WITH list
  // Number of values of an INIT FROM range when known at analysis (NB_TIMES
  // of at least 2, NB_RANDOM of at least 1, plus 2 with +BOUNDS); 0 when it
  // is worked out at generation.
  int rangeValueCount = 0;

  std::string variableText;
  std::string declaredType;  // fewer than 80 characters
  int typeClass = -1;        // the analyser's class; -1 before typing
  std::string cType;         // the C type text of the analyser's answer
  std::string classWord;     // the class word of the analyser's answer
  int typeSize = 0;          // its signed width
  std::vector<ComponentRecord> components;  // the expansion, in walk order

  int statementKind = VariableScalar;
  unsigned analyserFlags = 0;

  // The kind of the variable's FORMAT (0 hexadecimal, 1 decimal, 2 binary,
  // 3 unsigned, 4 fixed, 5 exponent, 6 by sign, 9 raw); kFormatNone when the
  // script gave none.
  int formatKind = kFormatNone;
  // Where the statement stands: the file number of the description file
  // (0 the script, 1, 2, ... included files) and its line; line 0 when not
  // known (the position of END ELEMENT is used then).
  int fileNumber = 0;
  int scriptLine = 0;
  // The file name that messages about the statement show, and the
  // statement's first line (set for the statements of environments, which
  // are analysed again in each element).
  std::string scriptFile;
  int scriptFirstLine = 0;
};

// Stores a qualifier text cut to its bound.
void setBoundedText(std::string& field, const std::string& value, std::size_t limit = kMaxQualifierText);

// INIT (v) WITH list: a list that follows the runs of the INIT IN of the
// linked variable v (an initForm beside those of InitForm).
constexpr int InitWithList = 3;
// The EV forms: EV = v, EV == (the initial value), EV => v, EV IN list,
// EV (link) IN list and EV (link) WITH list.
enum EvKind { EvNone = 0, EvPlain = 1, EvDoubleEqual = 2, EvArrow = 3, EvInList = 4, EvLinkedIn = 5, EvLinkedWith = 6 };
// Bits of VariableDescription::analyserFlags.
enum AnalyserFlag : unsigned {
  FlagTyped = 1u,         // the analyser found the variable's type
  FlagTested = 2u,        // it has testable components (no "VARNOTEST")
  FlagNoInitNeeded = 4u,  // it cannot be given a value (not an lvalue, or a constant)
  FlagConstant = 8u,      // const-qualified
};

}  // namespace zenta::model
