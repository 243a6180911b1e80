// The stack of source files being read: the test script at the bottom, the
// files it includes above it, and the separate source file (SOURCE option).
//
// Each frame holds the file's path, its stream, its current line (-1 before
// the first line) and its include number (0 for the test script, then 1, 2,
// ... in the order files are first opened). A file already opened during the
// run is refused with the warning "LIGNTRAIT".
#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace zenta::output {

// Kinds of source files.
enum FileKind : int { F_INC = 0, F_SOURCE = 1, F_PTU = 2 };
// File operations.
enum FileAction : int { A_OUVRIR = 0, A_OUVRIR_ECR, A_FERMER_SAUV, A_FERMER_DEL, A_RESETER };

// Longest line read at once (bytes, without the line end).
constexpr std::size_t kMaxSourceLine = 20480;

struct SourceFrame {
  std::string path;
  std::FILE* stream = nullptr;
  int line = -1;
  int includeNumber = 0;
  FileKind kind = F_INC;
};

// Pushes a frame for the file (see the class comment): "LIGNTRAIT" and false
// when the path was already opened; fatal "IMPOUVFIC" when it cannot be
// opened. An include writes "E11 <number> <full path>" to the description
// file. The first file also makes the work-file names from a fresh temporary
// base. The file becomes the current message position with line -1.
bool openSource(const std::string& path, FileKind kind = F_INC);

// The top frame, or nullptr when no file is open.
SourceFrame* currentSource();
// Number of frames on the stack.
int sourceDepth();

// Reads one line of the current frame into line (without "\n"/"\r\n", at
// most kMaxSourceLine bytes; a longer line is returned in pieces). Advances
// the frame's line and the message position. False at end of file.
bool readSourceLine(std::string& line);
// Reads one line of a stream (same rules); false at end of file.
bool readLine(std::FILE* stream, std::string& line);

// Rewinds the current frame to its first line (line back to -1).
void rewindCurrentSource();
// Closes the top frame (its path leaves the list of opened paths) and makes
// the frame below, if any, the message position again.
void closeCurrentSource();

// Performs an operation on an include file or the separate source file:
// A_OUVRIR pushes it, A_FERMER_SAUV closes it, A_RESETER rewinds it. Any
// other combination is the severe "ERRINTFCT". Returns success.
bool fileOperation(FileAction action, FileKind kind, const std::string& path);

// Takes the separate source file's frame off the stack while keeping it open
// (the script becomes the current file again); closed by closeSeparateSource.
void parkSeparateSource();
bool separateSourceOpen();
void closeSeparateSource();

// The paths opened during the run, in order.
const std::vector<std::string>& openedPaths();
// The full path written in "E11" lines: absolute and cleaned; empty when the
// file does not exist.
std::string fullPath(const std::string& path);

// Closes every frame and forgets all state; for tests.
void resetSourcesForTests();

}  // namespace zenta::output
