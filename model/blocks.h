// The block state of a script: which blocks are open, the names and
// numbers of the open service, test and element, the conditional stack, and
// the names met so far. The script front end owns the one record of a run
// and changes it as it checks each statement: it opens a block in the record
// before it calls the generator's handler, and closes it after. The
// generator reads the record and keeps only what is its own (numbering,
// pending headers, what is written).
#pragma once

#include <string>
#include <unordered_set>
#include <vector>

namespace zenta::model {

struct ConditionalFrame {
  bool conditionFalse = false;  // this branch is not generated
  bool ifBranchTrue = false;    // the IF branch's own result
  bool inElse = false;
};

struct BlockState {
  bool headerSeen = false;
  bool beginSeen = false;

  bool serviceOpen = false;
  std::string serviceName;            // upper case, blanks compressed
  std::unordered_set<std::string> services;  // every service of the program
  int testsInService = 0;             // the number of the open test in its service
  int generatedTestsInService = 0;
  bool serviceInFalseBranch = false;  // opened in a false IF branch

  bool testOpen = false;
  std::string testName;
  std::string loopExpression;
  std::unordered_set<std::string> testsOfService;
  std::vector<std::string> allTests;  // every test name of the run, once per service
  int testNumber = 0;
  int generatedTests = 0;
  bool testHadException = false;
  bool testInFalseBranch = false;

  bool familyGiven = false;
  bool familyOpen = false;
  std::vector<std::string> families;     // of the current test
  std::vector<std::string> allFamilies;  // every family name of the run
  std::unordered_set<std::string> familySet;  // the same, for lookups

  bool elementOpen = false;
  bool elementSeenInTest = false;
  int elementNumber = 0;  // the number of the open element in its test
  int elementVariables = 0;
  bool testHasContent = false;

  bool environmentOpen = false;
  bool defineOpen = false;
  bool stubDefinitionOpen = false;
  bool initializationOpen = false;
  bool terminationOpen = false;
  bool segmentOpen = false;

  bool simulOpen = false;
  bool elseSimulSeen = false;

  std::vector<ConditionalFrame> conditionals;
  int elseCount = 0;

  bool sequenceMode = false;

  // NEXT_TEST phase memory.
  std::string phaseBase;
  int phaseNumber = 0;
  std::string familyText = "INCONNUE";
  bool familyStatementGiven = false;

  // Native code is preprocessed and analysed while this is on.
  bool nativeAnalysis = true;
};

}  // namespace zenta::model
