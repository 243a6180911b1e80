// The settings that the command line produces, read by the rest of the run.
//
// One process-wide record, filled once by analyseCommand (cmdline/options.h)
// and read everywhere else through settings(). Tests may change it through
// mutableSettings() and put it back with resetSettings().
#pragma once

#include <array>
#include <string>
#include <vector>

namespace zenta::cmdline {

// The values of the RESTRICTION option, in their table order.
enum Restriction {
  RestrictNoExcep = 0,
  RestrictNoImage,
  RestrictKr,
  RestrictAnsi,
  RestrictNoSqlSav,
  RestrictSepar,
  RestrictNoAlloc,
  RestrictNoPos,
  RestrictAda83,
  RestrictionCount
};

// Compiler-system codes of the SYSCOMP option.
enum CompilerSystem { SysUnix = 0, SysOs2 = 1, SysDos = 2, SysVms = 3, SysNt = 4 };

struct Settings {
  // The three positional arguments. The results directory has one leading and
  // one trailing double quote removed; it is empty when the argument is absent.
  std::string testScript;
  std::string harness;
  std::string resultsDirectory;

  // Language of the run: always C++ for this compiler. The name is "C++" for
  // the classic language, or the dialect of the analysed code that the
  // LANGUAGE option selected ("C++11", "C++14", "C++17", "C++20", "C++23").
  std::string languageName = "C++";
  int languageIndex = 6;        // index in the language list ("ADA" ... "M6805")
  int languageCompanion = 5;    // companion value written beside the name
  std::string systemName = "PC/NT";
  std::string sourceExtension = "cc";  // source-file extension of the language
  bool languageAnalysesIncludes = true;  // the language's includes are analysed
  bool analysis = true;                  // include analysis (off with NOANALYZE)
  bool databaseLanguage = false;         // never on for C++

  std::string version;                  // VERSION, upper-cased; empty when absent
  std::string target = "indefinie";     // TARGET, upper-cased
  std::string className = "ZENTA";      // CLASS
  std::string databaseName = "oracle";  // DBMS, lower-cased

  // Selection lists, in the order their values were given.
  std::vector<std::string> operations;     // OPERATION
  std::vector<std::string> services;       // SERVICE
  std::vector<std::string> tests;          // TEST
  std::vector<std::string> families;       // FAMILY
  std::vector<std::string> exOperations;   // EXOPERATION
  std::vector<std::string> exServices;     // EXSERVICE
  std::vector<std::string> exTests;        // EXTEST
  std::vector<std::string> exFamilies;     // EXFAMILY
  std::vector<std::string> includeDirectories;  // INCL
  std::vector<std::string> definitions;         // DEFINE
  std::vector<std::string> restrictionValues;   // RESTRICTION, as given
  bool operationSelection = false;  // OPERATION or SERVICE given
  bool exclusionSelection = false;  // EXOPERATION or EXSERVICE given

  // Flags.
  bool noSimulation = false;
  bool noEdit = false;
  bool noPath = false;
  bool withSeparate = false;
  bool fast = true;
  bool compress = false;
  bool expand = false;
  bool subSystem = false;  // SUB_SYSTEM, SYSTEM or SS given positively
  std::array<bool, RestrictionCount> restrictions{};  // indexed by Restriction
  bool constantsFileGiven = false;                    // CONST given

  // Files and texts (empty when absent).
  std::string constantsFile;        // CONST, "." + source extension appended when it has none
  std::string sourceFile;           // SOURCE: the separate source file
  std::string commandOverride;      // COMMAND: replaces the command text in the tdc file
  std::string strver;               // STRVER
  std::string standardDefinitions;  // STD_DEFINE, or $ZNTTGT/ana/znus_c.def (znus_cxx17.def ... in a dialect)
  std::string symbolTable;          // SYMBTAB
  std::string adaLink;              // ADALINK
  std::string standardFile;         // STANDARD
  std::string toolLog;              // VISTRA_LOG
  std::string rioName;              // RIONAME: results file name override
  std::string tsfFile;              // TSF
  bool tsf = false;                 // TSF given with a file
  std::string dependencyFile;       // DEPFILE: dependency file in Make syntax
  bool ideMessages = false;         // MESSAGES=IDE: "file:line: severity: text [CODE]"

  int compilerSystem = SysNt;        // SYSCOMP code
  bool compilerSystemGiven = false;  // SYSCOMP written on the command line
  std::array<bool, 10> traces{};     // trace switches 0 to 9 (XT levels below 10)
  int errorDisplayLimit = 60;        // E
  int warningDisplayLimit = 120;     // W

  // The canonical command text shown in the list-file header and the tdc file.
  std::string commandText;

  bool restricted(Restriction r) const { return restrictions[static_cast<std::size_t>(r)]; }
};

// The settings of the run.
const Settings& settings();
// Write access, for the command-line analysis and for tests.
Settings& mutableSettings();
// Puts every setting back to its default.
void resetSettings();

// Whether trace n (0 to 9) is on; any other number is off.
bool traceOn(int n);

// Clears the sub-system flag: this compiler's language (C++) never keeps it.
// The run driver calls it right after the command-line analysis.
void clearSubSystem();

}  // namespace zenta::cmdline
