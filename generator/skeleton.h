// Harness skeleton generation: the handlers that the statement analysis calls
// once a statement has been checked, and the end-of-program generation.
//
// Division of work with the script front end: the front end checks the block
// structure and reports the structural messages (MOTCLEABS, MAL_PLACE,
// NOMOPEDBL, NOMTSTDBL, INDBOUINC, BLOC_ABST, TEST_VIDE, ELMT_VIDE,
// OPER_VIDE, OPERXVIDE, DBL_EXCEP, PROG_VIDE, PROGXVIDE, OPER_INEX,
// TEST_INEX, FAMI_INEX). It owns the block state (model/blocks.h), which
// the handlers here read: a block is open in it, with its name and number,
// when its opening handler is called, and still open when its closing
// handler is called. The front end performs every closing, implicit ones
// included, by calling these handlers in the right order. The generator
// writes the harness, the class declaration file and the test-description
// lines, makes service names identifiers (NOMOPEINV) and renames
// duplicates, checks loop counts (TYPBOUCLE, VALBOUCER) and writes the
// selection summaries to the list file.
#pragma once

#include <string>
#include <vector>

#include "model/blocks.h"

namespace zenta::generator {

// The block state that the handlers read: the script front end's record
// for the run (an empty one while none is given).
void readBlockState(const model::BlockState* state);

// Suppression reasons; while any flag is set, nothing is written to any
// channel of the harness (the test-description file is still written).
enum Suppression {
  SuppressSimulation = 0,
  SuppressService = 1,
  SuppressTest = 2,
  SuppressFamily = 3,
  SuppressCondition = 4,
};
void setSuppressed(Suppression reason, bool on);
bool suppressed(Suppression reason);
bool generationSuppressed();  // any of the five
void resetSuppression();

// Prepares the generation state for a run (processing chain step 6).
void prepareGeneration();

// HEADER fields (already split, trimmed and with $VARIABLE fields replaced;
// NOLOGIDEF and MISMNUVER already reported by the front end): writes the
// header-statement lines of the test-description file, with the STRVER text
// as the version when it is given.
void genHeader(const std::string& a, const std::string& b, const std::string& c, const std::string* d);
// TYPE_SERVICE given before any SERVICE, or inside a service.
void genServiceType(const std::string& text);

void genBegin();
// SERVICE, with the service's name in the block state; the selection has
// already been applied through setSuppressed(SuppressService, ...).
void genService();
void genEndService();
// TEST, with its normalised name and loop expression (empty: no loop) in
// the block state.
void genTest();
void genEndTest();
// FAMILY, with the test's family names in the block state, after the
// selection was applied.
void genFamily();
void genElement();
void genEndElement();
// The expected exception of the open element (at most one; the front end
// reports DBL_EXCEP for a second one).
void genException(const std::string& expression);
// Forgets the expected exception of the open element.
void clearException();
// COMMENT and REQUIREMENT texts.
void genComment(const std::string& text);
void genRequirement(const std::string& text);
// A native-code line of the script ("#" and "@" lines) and blank lines:
// written to the current output, or to the initialisation or termination
// section while such a block is open.
void genNativeLine(const std::string& text);
// A comment line of the script echoed to the harness (trace 2).
void genTraceComment(const std::string& text);

// The end of the program: main, the class declaration file and the trace
// file line; selection summaries for the list file.
void genEndOfProgram();

}  // namespace zenta::generator
