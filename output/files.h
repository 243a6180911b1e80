// The files the compiler writes: output slots with their header comment, the
// tool log of created files, the eleven work files a.tmp to k.tmp in which the
// generator writes sections of the harness out of order, their merging into
// the current output, and the line writers.
//
// Every failure is a fatal message naming the file: "IMPOUVFIC" (cannot
// open), "IMPECRFIC" (write error), "IMPFERFIC" (close or delete failed),
// "IMPRESFIC" (rewind failed).
#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace zenta::output {

// Where a generated line can go: an output file or a work file.
enum Destination {
  Harness = 0,
  AlternateHarness,
  Description,       // the test-description (tdc) file; see output/tdc.h
  Intermediate,
  Segment,
  Constants,
  ClassDeclaration,  // the further output that the generator opens
  Tsf,
  // Work files, in letter order.
  WorkA,  // test body
  WorkB,  // test epilogue
  WorkC,  // element body
  WorkD,  // element epilogue
  WorkE,  // initialisation code
  WorkF,  // termination code
  WorkG,
  WorkH,
  WorkI,
  WorkJ,
  WorkK,
  DestinationCount
};

constexpr int kWorkFileCount = 11;
inline bool isWorkFile(Destination d) { return d >= WorkA && d <= WorkK; }
inline Destination workFile(int letterIndex) { return static_cast<Destination>(WorkA + letterIndex); }

// Comment delimiters of a harness language index (ADA "--", PASCAL "(*" "*)",
// PLM and C "/*" "*/", ASM ";", AUTAN none, C++ "//", MODULA2 "(*" "*)").
struct CommentDelimiters {
  const char* start;
  const char* end;
};
CommentDelimiters commentDelimiters(int languageIndex);

// Header-comment words: language 0 and 1 French, 2 English.
struct HeaderInputs {
  int language = 2;
  std::string commandText;
  std::string filePath;
  std::string runDate;
};
// The lines of the header comment, each without delimiters and without "\n"
// (72 asterisks, framed tool line, command, file and date lines, 72 asterisks).
std::vector<std::string> headerCommentLines(const HeaderInputs& inputs);

// The tool-log line for a created path ("CCP %s\n" for .cc, ...); empty when
// the ending is not logged.
std::string toolLogLine(const std::string& path);

// What the header comment and the tool log read from the run; set once by
// the processing chain (and by tests).
struct OutputContext {
  int headerLanguage = 2;
  std::string commandText;
  std::string runDate;
  std::string toolLog;    // VISTRA_LOG; empty: no tool log
  int languageIndex = 6;  // harness language, for comment delimiters and Cut
};
void setOutputContext(const OutputContext& context);
const OutputContext& outputContext();

// Creates the file of a destination (mode "w+", failure "IMPOUVFIC"), logs
// it in the tool log and writes its header comment between the given
// delimiters (a null start writes no header; the tdc file passes "" and "").
void openOutput(Destination d, const std::string& path, const char* commentStart, const char* commentEnd);
// Creates the file without a header comment (logged in the tool log).
void createOutput(Destination d, const std::string& path);
bool isOpen(Destination d);
const std::string& pathOf(Destination d);
std::FILE* streamOf(Destination d);
// Closes the destination; with remove the file is deleted too. Failure of
// either is "IMPFERFIC". Nothing happens when it is not open.
void closeOutput(Destination d, bool remove);

// Writes the text and "\n" ("IMPECRFIC" on failure). Writing to a
// destination that is not open does nothing.
void writeLine(Destination d, std::string_view text);
// Writes the text cut at 80 columns at one of " ,;()" (Cut of the support
// library, harness language of the context), one line per piece.
void writeSplitLine(Destination d, std::string_view text);
// The pieces writeSplitLine writes (no side effect).
std::vector<std::string> splitGeneratedLine(std::string_view text, int languageIndex);

// The current output of the line writers: the harness by default.
void setCurrentOutput(Destination d);
Destination currentOutput();
// SelectOutput: 1 makes the harness, 0 the alternate harness, the current
// output.
void selectOutput(int index);
void writeCurrent(std::string_view text);
void writeCurrentSplit(std::string_view text);

// Work-file names: the temporary base followed by "a.tmp" ... "k.tmp".
void makeWorkFileNames(const std::string& temporaryBase);
const std::string& workFileName(int letterIndex);
// Creates the work files of a section (0: a, b; 1: c, d; 3: e; 4: f; 6: h)
// in mode "w+", logged in the tool log without header; for sections 0 and 1
// an empty line then goes to the current output. False for another section.
bool openWorkFiles(int section);
// Rewinds the work files of a section ("IMPRESFIC" on failure), copies each
// line of each, in order, to the current output, then closes and deletes
// them. Files of sections 3, 4 and 6 are merged only when open. False for a
// section not in the table.
bool mergeWorkFiles(int section);
// Closes and deletes the work files a, b, g, c, d, e, f, h (then i, j, k),
// without error checks. Safe to call at any time, more than once.
void closeAndDeleteWorkFiles();
// Installs closeAndDeleteWorkFiles as the exit cleanup of the diagnostics.
void installWorkFileCleanup();

// Forgets every destination (closing open streams without deleting) and the
// context; for tests.
void resetOutputsForTests();

}  // namespace zenta::output
