// The lines of the test-description file beyond its opening lines: the
// header-statement lines, the numbered lines of services, tests, families,
// elements, repetitions, variables, lists, includes and stubs, the queued
// comments and requirements, and the optional TSF file.
//
// Numbered lines carry the results line number of output/tdc.h; the harness
// passes the same numbers to the runtime, so the writers return the number
// they used. Everything goes through tdc::writeLine, so a suspended
// description writes nothing while the counter still advances.
#pragma once

#include <string>
#include <vector>

namespace zenta::output::description {

// ---- header statement
// A field that begins with "$" is replaced by the value of the environment
// variable it names; an unset variable gives "" and the warning "NOLOGIDEF".
std::string expandField(const std::string& field);
// "E1 " a, "E2 " version, "E10 " c, "E0 " a , b , [d ,] c. The version is
// the STRVER text when it is given, else b; when both are given, not empty
// and different, the warning "MISMNUVER" names both. Fields are expanded.
void writeHeaderStatement(const std::string& a, const std::string& b, const std::string& c,
                          const std::string* d, const std::string& strver);
// The argument of "MISMNUVER" (origin + strver + " / PTU : " + b), or empty
// when there is no mismatch (either empty, or both alike). origin is the
// script language's wording: "Source : " in French, "Origin : " in English.
std::string versionMismatch(const std::string& strver, const std::string& b,
                            const std::string& origin = "Source : ");
// The four lines alone, from fields already expanded and checked; version
// is the text of the "E2" line.
void writeHeaderLines(const std::string& a, const std::string& b, const std::string& c, const std::string* d,
                      const std::string& version);
// "E3 " + text: the program's default service type.
void writeDefaultServiceType(const std::string& text);

// ---- queued comments and requirements
// Comments ("C") and requirements ("Q") wait for the header of the block
// they belong to and are written right after it.
enum Level { LevelService = 0, LevelTest = 1, LevelFamily = 2 };
void queueComment(Level level, const std::string& text);
void queueRequirement(Level level, const std::string& text);
// Written at once: tag 'C' or 'X' for a comment, 'Q' for a requirement.
int writeComment(char tag, const std::string& text);
// The service type ("S") waiting for the service header.
void setPendingServiceType(const std::string& text);
bool serviceTypePending();
// Drops every queue (a new run).
void clearQueues();

// ---- services, tests, families, elements
// "O" name, then the pending "S", then the service's queued "C" and "Q".
// Returns the number of the "O" line.
int writeServiceHeader(const std::string& name);
// What a test header writes and what it returns.
struct TestHeader {
  int testLine = 0;        // number of the "T" line
  int repetitionLine = 0;  // number of the "R" line; 0 without a loop
};
// "T" name, its queued "C" and "Q", the "R" of its loop (when loopCount is
// not empty: the count, or "?" when it is not a constant), then one "F" per
// family name followed by the family's queued comments.
TestHeader writeTestHeader(const std::string& name, const std::string& loopCount,
                           const std::vector<std::string>& families);
// One "F" line per name, then the family's queued comments and requirements.
void writeFamilies(const std::vector<std::string>& families);
// "E14 file line" then "B" + number + " " + element number; returns the "B"
// line's number.
int writeElementStart(int fileNumber, int line, int elementNumber);

// ---- repetitions, variables, structures, lists, dependencies
// Whether a count text is a constant integer (decimal, or hexadecimal with
// 0x), and its value.
bool constantCount(const std::string& text, long* value = nullptr);
// "R" + number + " " + count (or "?"); returns the number.
int writeRepetition(const std::string& count);
// "R0 " + count: a factor that belongs to no numbered line.
void writeUnnumberedRepetition(const std::string& count);
// A numbered line whose text is cut into pieces of at most 132 characters;
// every piece after the first is written as "&" + piece. Returns the number.
int writeLongNumbered(char tag, const std::string& text);
// "V": a variable line (long lines continued with "&").
int writeVariable(const std::string& text);
// "J" + text: opening of a structured variable or constant block.
int writeStructureOpen(const std::string& text);
// "P" + text, or the bare "P" + number when the text is empty.
int writeStructureClose(const std::string& text);
// The text of an "N" line.
std::string listText(const std::string& list, int itemCount, const std::string& initialItems,
                     const std::string& expectedItems);
// "N" + list text; returns the number.
int writeList(const std::string& text);
// "D" + text + " " + the test's description number.
int writeDependency(const std::string& text, int testLine);
// The text of an "I" line: the name padded to 25, " / ", the directory (or
// 34 dashes when empty), the whole padded to 85, " / ", the including file.
std::string includeText(const std::string& name, const std::string& directory, const std::string& includingFile);
int writeInclude(const std::string& text);
// "M" + stub counter + " " + block + " " + function, then "M0".
void writeStub(int stubCounter, const std::string& block, const std::string& function);

// ---- TSF records (the file and its opening lines belong to output/tsf.h)
// Per service: s is the number of its "O" line.
void tsfService(int s, const std::string& name, int scriptLine);
// Per test: s and t the numbers of the "O" and "T" lines; the test is
// remembered for the closing records.
void tsfTest(int s, int t, const std::string& name, int scriptLine);
// Per stub (the first one also opens the stub section).
void tsfStub(const std::string& name, int scriptLine);
// The closing records of a run without errors, with the two cross-reference
// names.
void tsfEnd(const std::string& crossReference1, const std::string& crossReference2);
// Forgets the remembered tests and the stub counter.
void tsfReset();

}  // namespace zenta::output::description
