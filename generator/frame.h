// The harness frame as the code writers of variables, stubs and lists see
// it: the open levels and their numbers, the option flags, and the channels
// of the harness.
//
// Channels: the harness itself; the test body (a.tmp) and test epilogue
// (b.tmp) of the open test; the element body (c.tmp) and element epilogue
// (d.tmp) of the open element; the initialisation (e.tmp) and termination
// (f.tmp) code of main; and the class declaration file, which holds the test
// class, the global object `zenta` and whatever must stand at file scope
// before the service functions (value tables, macros). The class
// declaration file is named after the harness: <dir>/<base>_zcls.h; the
// harness includes it by its bare name at the first SERVICE.
//
// Every writer here writes nothing while the open element (or, outside an
// element, the open test or service) is not generated, or while any
// suppression flag is set.
#pragma once

#include <string>

#include "model/blocks.h"

namespace zenta::generator {

// Option flags of the run: NOEDIT drops every call that records results,
// NOEXCEP (RESTRICTION) every try and catch.
bool noEdit();
bool noExcep();

// Names chosen for the run (valid after prepareGeneration).
const std::string& className();               // CLASS, "ZENTA" by default
const std::string& programName();             // the harness base name
const std::string& traceFileName();           // the results file of the harness
const std::string& classDeclarationPath();    // where the class declaration file is written
const std::string& classDeclarationName();    // its bare name, as the harness includes it
// The class declaration file path for a harness directory (ending with "/")
// and base name.
std::string classDeclarationPathFor(const std::string& harnessDirectory, const std::string& harnessBase);

// The script's block state (what is open, the names and numbers of the open
// service, test and element), as the front end keeps it; read only here.
const model::BlockState& blocks();
// The generator's own numbering: SERVICE statements from 1, and the member
// function's name of the open service (an identifier, cut, made unique).
int serviceNumber();
const std::string& serviceName();
// The number of the open test's "T" line (0 while its header is pending).
int testDescriptionNumber();
// Whether the code of the open element is written.
bool elementGenerated();

// Loop indexes: the next index number k of the open test (J<k>); the LOOP
// count of a test and the dynamic initialisations share them.
int nextLoopIndex();
std::string loopIndexName(int k);

// Writers.
void writeHarness(const std::string& text);             // straight into the harness
void writeSplit(const std::string& text);               // initialisation part (test body in an element)
void writeElementBody(const std::string& text);         // call part
void writeElementEpilogue(const std::string& text);     // check part
void writeTestEpilogue(const std::string& text);        // after the test body
void writeClassDeclaration(const std::string& text);    // file scope of the class declaration file
// A line queued at the head of the test epilogue, written when the test ends
// (the closing brace of a loop that encloses the test body).
void queueTestEpilogueHead(const std::string& text);

}  // namespace zenta::generator
