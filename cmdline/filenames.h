// Names of every file the run reads or writes.
//
// The names are derived once, after the command-line analysis, from the test
// script path, the harness path, the results directory and a few options.
// Default extensions can be replaced through environment variables
// (ZENTATDC ... ZENTAEXI). deriveNames() is a pure function of its inputs;
// deriveAllNames() applies it to the settings of the run and keeps the result
// process-wide behind names().
#pragma once

#include <string>

namespace zenta::cmdline {

// Indexes of the extension table.
enum ExtensionIndex {
  ExtDescription = 0,   // "tdc"  ZENTATDC
  ExtRo = 1,            // "ro"   ZENTARO
  ExtResults = 2,       // "rio"  ZENTARIO
  ExtResults2 = 3,      // "ri2"  ZENTARIO2 (at most two characters kept)
  ExtScript = 4,        // "ptu"  ZENTAPTU
  ExtSegment = 5,       // "seg"  ZENTASEG
  ExtList = 6,          // "lis"  ZENTALIS
  ExtSmb = 7,           // "smb"  ZENTASMB
  ExtDef = 8,           // "def"  ZENTADEF
  ExtC = 9,             // "c"    ZENTAEXC
  ExtH = 10,            // "h"    ZENTAEXH
  ExtCpp = 11,          // "cc"   ZENTACPP
  ExtRod = 12,          // "rod"  ZENTAROD
  ExtDdt = 13,          // "ddt"  ZENTADDT
  ExtMdt = 14,          // "mdt"  ZENTAMDT
  ExtI = 15,            // "i"    ZENTAEXI
};

// The extension of an index: the default, or the first three characters
// (two for ExtResults2) of the overriding environment variable when it is
// set. Any other index is returned as its decimal text.
std::string extension(int index);

// Source-file extension of a language index ("ada", "pas", "plm", "c", "asm",
// "", "cc", "mod"); empty for an index outside the list.
std::string languageSourceExtension(int languageIndex);

// A path split into its directory (always ending with "/", "./" for a bare
// file name), its base name and its extension (without the dot, maybe empty).
struct PathParts {
  std::string directory;
  std::string base;
  std::string extension;
};
PathParts splitPath(const std::string& path);

// What the derivation reads.
struct NameInputs {
  std::string testScript;        // first positional argument
  std::string harness;           // second positional argument
  std::string resultsDirectory;  // third positional argument (may be empty)
  int languageIndex = 6;         // C++
  std::string rioName;           // RIONAME (may be empty)
  int compilerSystem = 4;        // SYSCOMP code, 4 is NT
  std::string tsfFile;           // TSF (may be empty: no TSF names)
};

// Every name of the run.
struct FileNames {
  std::string scriptPath;            // script directory, base, ".", extension
  std::string harnessPath;           // D, B, ".", X
  std::string alternateHarnessPath;  // D, "ne_", B, ".", X
  std::string descriptionPath;       // D, B, ".tdc"
  std::string resultsName;           // RIONAME, or B ".rio"
  std::string resultsPath;           // results directory (or D) + results name
  std::string listFile;              // S ".lis", in the current directory
  std::string intermediatePath;      // [D] B ".i" + first two letters of X
  std::string segmentPath;           // D, B, ".seg"
  std::string harnessBase;           // B
  std::string harnessDirectory;      // D
  std::string configHeaderPath;      // D "zenta_cfg.h"
  std::string scriptFileName;        // S ".", T
  std::string scriptBase;            // S
  std::string scriptDirectory;       // the script's directory, ending with "/"
  std::string tsfPath;               // with TSF only
  std::string crossReference1;       // TSF directory and base + ".xrd"
  std::string crossReference2;       // TSF base + ".xrd"
};

// Derives all names from the inputs (no side effect).
FileNames deriveNames(const NameInputs& inputs);

// Derives the names of the run from the command-line settings and keeps them.
// A test script, harness or TSF path that names a directory (ending with "/",
// or with "." or ".." as its last part) is the fatal "IMPOUVFIC" with the
// path as given.
void deriveAllNames();

// The names of the run (empty until deriveAllNames has run).
const FileNames& names();
// Write access, for tests.
FileNames& mutableNames();

// The temporary base name of the work files: "at<time>_<pid>.tmp" in hex,
// with the time in seconds modulo twelve hours, placed in the directory named
// by TEMP (else TMPDIR, else /tmp), with a "/" added when needed.
std::string temporaryBase();

}  // namespace zenta::cmdline
