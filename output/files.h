// The files the compiler writes: output slots with their header comment, the
// tool log of created files, the eleven work files a.tmp to k.tmp in which the
// generator writes sections of the harness out of order, their merging into
// the current output, and the line writers.
//
// An output is written under a temporary name in its own directory and put
// in place (renamed, then logged in the tool log) only when it is closed to
// be kept, so that a build never sees a truncated harness and a failed run
// leaves the files of an earlier run as they were. A path that names a
// device or a pipe is written in place.
//
// A work file is created in TEMP the first time its section opens and stays
// until the run ends; opening the section again empties it. Its lines are
// held in memory and go to the file only beyond a size, so that a test costs
// no file operation.
//
// Every failure is a fatal message naming the file: "IMPOUVFIC" (cannot
// open), "IMPECRFIC" (write error), "IMPFERFIC" (close or delete failed),
// "IMPRESFIC" (rewind failed).
#pragma once

#include <cstdio>
#include <initializer_list>
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

// Creates the file of an output destination under its temporary name
// (failure "IMPOUVFIC" with the path: a path that names a directory, an
// existing file that may not be written, a folder where nothing can be
// created) and writes its header comment between the given delimiters (a
// null start writes no header; the tdc file passes "" and ""). When a tool
// log is named, it is created now if it cannot be opened ("IMPOUVFIC").
void openOutput(Destination d, const std::string& path, const char* commentStart, const char* commentEnd);
bool isOpen(Destination d);
// The path the output was opened with (its final name).
const std::string& pathOf(Destination d);
// The stream of an open output; null for a work file.
std::FILE* streamOf(Destination d);
// Closes the output. Kept, it is renamed to its path and logged in the tool
// log; with remove (errors were counted) its temporary file is deleted, and
// so is a file that an earlier run left at its path. Failure is "IMPECRFIC" (flush) or "IMPFERFIC" (close, rename,
// delete). Nothing happens when it is not open.
void closeOutput(Destination d, bool remove);

// Closes several outputs at the end of the processing chain: all of them
// are closed first, in the order given, deleting those marked remove; then
// the kept ones are put in place and logged, in the order they were opened,
// with the termination signals held so that they arrive as a whole.
struct Closing {
  Destination destination;
  bool remove;
};
void closeOutputs(std::initializer_list<Closing> closings);

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
// Opens the work files of a section (0: a, b; 1: c, d; 3: e; 4: f; 6: h)
// empty, creating them in TEMP the first time ("IMPOUVFIC" on failure); for
// sections 0 and 1 an empty line then goes to the current output. False for
// another section.
bool openWorkFiles(int section);
// Copies the lines of the work files of a section, each file in turn, to the
// current output ("IMPRESFIC" when a file cannot be read back), then closes
// them. Files of sections 3, 4 and 6 are merged only when open. False for a
// section not in the table.
bool mergeWorkFiles(int section);
// Closes and deletes the work files a, b, g, c, d, e, f, h (then i, j, k),
// without error checks. Safe to call at any time, more than once.
void closeAndDeleteWorkFiles();
// Closes and deletes the work files and every output not yet in place (its
// temporary file goes); the files the paths held before stay.
void removeUnfinishedFiles();
// Installs removeUnfinishedFiles as the exit cleanup of the diagnostics.
void installExitCleanup();

// The size beyond which a work file's lines go to the file; for tests.
void setWorkFileMemoryLimitForTests(std::size_t bytes);

// Forgets every destination (removing what is not in place) and the context;
// for tests.
void resetOutputsForTests();

}  // namespace zenta::output
