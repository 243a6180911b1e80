// The compiler's entry points into the C/C++ analyser.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "analyser/basic/dialect.h"
#include "analyser/parse/expr_array_values.h"
#include "analyser/parse/expr_script.h"
#include "analyser/sema/decl_record.h"
#include "analyser/sema/expr_node.h"
#include "analyser/sema/typing_class.h"

namespace zenta::analyser {

class AstContext;
class SymbolTable;

// The type tables and the symbol table of the run: made on first use, kept
// until the process ends. The declaration analysis fills them; the compiler
// reads them through this interface.
AstContext& analyserContext();
SymbolTable& analyserSymbols();

// Starts the analyser from the command-line settings: the dialect that the
// language name selects, include directories and definitions of the
// options, the predefined ZENTA, the standard-definitions file and
// STUBINACTIVE. Does nothing when the analysis switch is off.
void startAnalyser();

// The same from plain lists (used by startAnalyser and by tools that have no
// command-line settings). An empty stdDefineFile feeds no include line. The
// dialect of the analysed code is set first (analyser/basic/dialect.h).
void startAnalyser(const std::vector<std::string>& includeDirs,
                   const std::vector<std::string>& defines, const std::string& stdDefineFile,
                   Dialect analysedDialect = Dialect::Classic);

// The compiler's message hook: maps an analyser diagnostic onto the
// reporting of the compiler (diag::reportAt).
void analyserMessageHook(int severity, const char* code, const std::string& argument,
                         const std::string& file, int line);

// True when `name` is a macro of the analysed code (IF conditions of the
// script).
bool analyserMacroDefined(const std::string& name);

// The one road of native code to the analyser: the script's native-code
// lines, its constants and the runtime header's include line. Runs `text`
// through the preprocessor as a buffer of `file` whose first line is the
// script line `line`, hands the result (line markers included) to the
// declaration analysis when `analyse` is set, and gives it back.
std::string preprocessNativeCode(const std::string& text, const std::string& file, int line,
                                 bool analyse = true);

// Runs a short script text (a variable name, an INIT or EV value) through
// the preprocessor at the given script position and gives back the expanded
// text alone: no line marker, blanks at either end removed, lines joined by
// blanks.
std::string preprocessScriptText(const std::string& text, const std::string& file, int line);

// Declaration analysis of preprocessed code: every declaration of the text
// is recorded in the run's tables, in the current scope of the symbol table
// (file scope for the headers; the script's scope for its native code).
void analyseDeclarations(const std::string& preprocessed);

// The declarations recorded from now on are also listed, in order (zentacpp
// -dump); off by default.
void keepDeclarationLog(bool keep);
const DeclarationLog& declarationLog();

// End of the analysis, once at the end of the run: reports the conditionals
// still open and clears the macro table.
void closeAnalyser();

// Every file the analyser read during the run (the standard-definitions
// file, the headers of native code and of INCLUDE CODE, the runtime
// header), each once, in the order first read, as opened.
const std::vector<std::string>& analysedFiles();

// ===========================================================================
// Expressions of the script: tested variables, values, bounds.
//
// Every request below is made in an analysis context taken from the script
// state when the request is made. Messages of the analyser's parser and
// typer (the analyser catalogue) and the compiler's own ones
// ("VARNOTEST", "CHAMUNION", "LISTEINVA", "ERTAILTAB", "NOMVARINC",
// "IDENTINCO", "CHAMPINCO", "TYPEINCON", "FORMREDEF") are reported at the
// script's current position (diag::currentFile/currentLine).

// Where the script's names are looked up.
struct AnalysisContext {
  // The analyser scope of the script's current scope record (a namespace or
  // class scope number of analyserSymbols()); 0 at top level.
  int scope = 0;
  // The current context name kept by the script analysis, empty when none:
  // a function (its parameters are visible first; for a member function its
  // class is searched and `this` points to it), or a namespace or class
  // (searched first). Qualified names ("Stack::push") are accepted.
  std::string contextName;
};

// Parses a script expression (variable, field path, array element, value,
// constant expression). The tree is empty for an empty text or after a
// syntax fault or a refused form (reported by the parser).
ExpressionTree parseExpression(const std::string& text, const AnalysisContext& context = {});
// Types a tree; null after a fault (reported) or for a tree without a type
// (aggregates).
Type* typeExpression(const ExpressionTree& tree, const AnalysisContext& context = {});
// The C text of a tree.
std::string expressionImage(const ExpressionTree& tree, const AnalysisContext& context = {});
// The type class of a type (analyser/sema/typing_class.h has the table); the
// C type text only when asked for.
TypeClass typeClass(const Type* type, bool withCType = true);

// --- Variable statements ---------------------------------------------------

// The four value texts of a variable statement (empty: not given).
struct VariableValues {
  std::string init, ev, min, max;
};

enum class ComponentKind { Element, OpenStructure, CloseStructure, OpenArray, CloseArray };

// One record of the expansion of a tested variable, in walk order: a
// structure is framed by Open/CloseStructure around its fields (declaration
// order, those the harness can reach); an array of non-char elements by
// Open/CloseArray around its element, written with the index variable of
// its level (`t[I1]`, `m[I1][I2]`); everything else is one Element.
struct TestedComponent {
  ComponentKind kind = ComponentKind::Element;
  std::string access;  // C text of the component: `s.tab[I1].x`
  Type* type = nullptr;
  TypeClass typeClass;  // with its C type text
  int depth = 0;        // number of enclosing structures and arrays
  // OpenArray: the index variable (I followed by the array level, from 1),
  // the bounds ("0" and the dimension less one, folded when constant) and
  // whether the size is known (otherwise both bounds are "0").
  std::string indexVariable, lower, upper;
  bool sizeKnown = true;
  // Element: the values that apply to it. Inside arrays a value may still be
  // a list with one level per enclosing array (listLevels); each level is
  // turned into a chain by arrayValueExpression.
  VariableValues values;
  int listLevels = 0;
};

struct TestedVariable {
  bool parsed = false;  // the name parsed (a fault is reported by the parser)
  bool tested = false;  // there is something to test (no "VARNOTEST")
  std::string name;     // the text analysed: a name beginning with `*` is parenthesised
  Type* type = nullptr;
  TypeClass typeClass;
  std::vector<TestedComponent> components;
};

// Analyses the variable of a VAR, ARRAY or STR statement: parses and types
// `name`; a type without testable components is the warning "VARNOTEST"
// (argument the name as written), as is a function; otherwise the variable
// is expanded into its components and the values of each element are
// checked (checkComponentValues). Each slice in the name (`m[0..1]`) is a
// loop of the generator: it takes the first index variables and the outer
// levels of the value lists, so the arrays of the expansion start after it.
// The result is recorded with the description by the test model
// (model/components.h).
TestedVariable analyseTestedVariable(const std::string& name, const VariableValues& values,
                                     const AnalysisContext& context = {});

// Checks the values of one element against its type. A union the script
// did not qualify is "CHAMUNION" (argument the variable name): its first
// member is appended to the access text and to each value (the first item of
// a list value). A list given to a scalar, or a malformed list, is
// "LISTEINVA" (argument the value). Returns false when a value is refused.
bool checkComponentValues(TestedComponent& component, const std::string& variableName,
                          const AnalysisContext& context = {});

// The name with the bounds of every dimension of its array type appended,
// outermost first, as long as the element is not char-like: `int t[10][5]`
// gives `t[0..9][0..4]`; `char b[20]` gives `b`. A dimension without size is
// "ERTAILTAB" and `[0..0]`. A name that does not type is given back as it is.
std::string completeArrayBounds(const std::string& name, const AnalysisContext& context = {});

// --- FORMAT statements -----------------------------------------------------

struct FormatLookup {
  std::function<bool(const std::string&)> isTestedVariable;  // of the current test
  std::function<bool(const std::string&)> hasFormat;         // a FORMAT was recorded
};

struct FormatTarget {
  bool ok = false;
  std::string variable;        // the root variable of the path
  Type* type = nullptr;        // the type reached by the path
  Type* formatType = nullptr;  // the type named by the statement
};

// `var.field.field...`: the variable must be a tested variable of the test
// ("NOMVARINC") and known ("IDENTINCO"); each field must exist in the
// structure reached, through a pointer when needed ("CHAMPINCO"); the type
// name must be known ("TYPEINCON"); a second FORMAT for the path is
// "FORMREDEF". The caller records a successful result.
FormatTarget resolveFormatPath(const std::string& path, const std::string& typeName, const FormatLookup& lookup,
                               const AnalysisContext& context = {});

// Removes the identifier `exception` visible from the context from the
// symbol table; false when there is none.
bool removeDeclaredException(const AnalysisContext& context = {});

// --- Values ----------------------------------------------------------------

// The value list of a whole array as one C expression of the index variables
// (analyser/parse/expr_array_values.h: `{1, 2, others => 0}` for `int t[5]`
// gives `(I1 == (0)?1:(I1 == (1)?2:0))`). `frenchWords` accepts `autres` for
// `others`. Nothing when the list does not parse.
std::optional<std::string> arrayValueExpression(const std::string& list, const std::vector<ArrayBound>& bounds,
                                                int level, bool frenchWords,
                                                const AnalysisContext& context = {});

// The script's analysis of one value or expression (analyser/parse/
// expr_script.h): well formed or not ("SYNTAXERO"), its kind, and the image
// (at most 20,480 bytes) used in place of the value; constant expressions
// are evaluated with the script numbers. `harnessLanguage` is the language
// index of the run (6 for C++).
ScriptValue analyseScriptExpression(const std::string& text, int harnessLanguage,
                                    const AnalysisContext& context = {});

}  // namespace zenta::analyser

namespace zenta::analyser {

// --- Quiet questions of the variable statements ------------------------------

// What the variable statements need to know of a tested name before its
// analysis: its class, whether it is a constant, and whether it can be
// given a value at all (an enumerator, a call or an arithmetic expression
// cannot). Asked without any message; `typed` is false when the name does not
// parse or type.
struct VariablePeek {
  bool typed = false;
  TypeClass typeClass;
  bool constant = false;    // const-qualified (also through typedefs and array elements)
  bool assignable = false;  // an lvalue that is not a constant
  bool structured = false;  // a structure, class or union
  bool array = false;
  bool recursive = false;   // a structure that holds itself by value
};
VariablePeek peekVariable(const std::string& name, const AnalysisContext& context = {});

// Whether `text` is one well-formed expression, asked without any message.
bool isOneExpression(const std::string& text, const AnalysisContext& context = {});

}  // namespace zenta::analyser
