// The state of one declaration parse, shared by the files of the parser
// (tokens and recovery, specifiers and classes, declarators, templates).
// Internal to the parser.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "analyser/lex/decl_lexer.h"
#include "analyser/parse/decl_parser.h"
#include "analyser/sema/decl_record.h"

namespace zenta::analyser::declparse {

using lex::Tok;
using lex::Token;

// Thrown at a syntax error; caught by the declaration list being read,
// which resumes after the faulty declaration.
struct SyntaxFault {};
// Thrown when nesting is too deep; ends the analysis.
struct AnalysisEnd {};

// A text as written on one line: runs of white space dropped, one blank kept
// where two words would join, one after each comma (`A<B,\n  C>` gives
// `A<B, C>`).
std::string compactText(std::string_view text);

// Words of the GNU headers the parser reads past.
enum class GnuWord : std::uint8_t {
  None,
  Ignore,       // __extension__, __inline, __restrict, __thread ...
  WithParens,   // __attribute__ ((...)), __asm__ ("..."), __declspec (...)
  TypeOf,       // __typeof__ (...)
  Const,        // __const
  Volatile,     // __volatile, __volatile__
  Signed,       // __signed, __signed__
  BuiltinType,  // __builtin_va_list, _Float128, __int128 ...
};

// The declaration specifiers of one declaration.
struct Specifiers {
  Type* type = nullptr;      // the type named or composed so far
  bool hasType = false;      // a type specifier was seen
  unsigned storage = 0;
  bool isConst = false;
  bool isVolatile = false;
  Name modifiers[4];         // type-modifier words, in order
  int modifierCount = 0;
  Tok keywords[6];           // base type keywords (`unsigned long int`)
  int keywordCount = 0;
  TagType* definedTag = nullptr;  // a class or enumeration defined or named here
  bool tagOnly = false;           // `struct S` / `class S` without a body
  bool dependent = false;         // a name that depends on a template parameter
  bool constexprWord = false;     // constexpr / constinit: an object is const
};

// One level of a declarator, in the order it applies to the type.
struct DeclOp {
  // An rvalue reference `&&` is recorded as a reference to a reference,
  // which no declaration gives otherwise (references collapse).
  enum Kind : std::uint8_t { Pointer, Reference, RvalueReference, MemberPointer, Array, Function } kind = Pointer;
  bool isConst = false;
  bool isVolatile = false;
  Type* memberOf = nullptr;          // MemberPointer
  FunctionType* function = nullptr;  // Function
  Type* trailing = nullptr;          // Function: `-> type`, its result
  std::string_view dimension;        // Array
  bool hasDimension = false;
  bool dimensionConstant = false;
  std::int64_t dimensionValue = 0;
};

struct Declarator {
  Name name;                 // the last component of the name; none when abstract
  std::string_view written;  // the name as written (`A::B::f`)
  int qualifier = -1;        // the scope named by `A::B::`, -1 when none
  bool qualified = false;    // written with a qualifier
  bool qualifierUnknown = false;
  bool isDestructor = false;
  bool isConversion = false;
  bool templateArgs = false;  // `f<int>` (a specialisation)
  bool pack = false;          // `Ts... name`: a function parameter pack
  std::string_view initialiser;  // as written after `=`, or `(...)`, `{...}`
  Name file;                  // where the name stands
  int line = 0;
  std::vector<DeclOp> ops;
};

// A template parameter visible while its declaration is read.
struct TemplateParameterName {
  Name name;
  bool isTemplate = false;
};

class Parser final : private lex::PragmaSink {
 public:
  Parser(AstContext& ctx, SymbolTable& table, const DeclarationRequest& request);
  bool run();

  // Width pragmas on a typedef name set its integer base record.
  bool setTypedefWidth(Name name, int bits) override;
  bool setTypedefSignedness(Name name, bool isUnsigned) override;

 private:
  struct Mark {
    lex::LexerMark lexer;
    Token tok;
    Token next;
    bool hasNext;
    int braceDepth;
    const char* previousEnd;
    Tok previousCode;
    Tok previousBefore;
    Name previousName;
  };
  struct DepthGuard {
    explicit DepthGuard(Parser& p);
    ~DepthGuard() { --parser.depth_; }
    Parser& parser;
  };
  // The state saved around a declaration (scope stack, template context).
  struct ScopeState {
    int scopeDepth;
    std::size_t templateNames;
    int templateLevels;
  };

  // --- tokens (decl_parser.cpp) ------------------------------------------
  void advance();
  const Token& peek();
  bool at(Tok t) const { return tok_.code == t; }
  bool accept(Tok t);
  void expect(Tok t);
  Mark mark() const;
  void reset(const Mark& m);
  [[noreturn]] void fail();
  [[noreturn]] void tooDeep();
  void report(int severity, const char* code, const std::string& argument);
  void syncPosition();
  // Balanced skipping: from an opening token to after its closing one.
  void skipBalanced();
  // Skips an initialiser or default argument up to (not past) a `,`, `;`,
  // `)` or `}` at its own depth; `<` ... `>` are counted when `angles`.
  void skipExpression(bool stopAtGreater);
  // The source text of the tokens from `from` up to the current token.
  std::string_view textFrom(const char* from) const;
  GnuWord gnuWord(Name name) const;
  // Reads past GNU words that take no part in the declaration; false when
  // the current token is not one.
  bool skipGnuNoise(Specifiers* specs);
  lex::NameClass classify(const Token& t);
  bool isTypeNameToken(const Token& t) { return classifyKind(t) != lex::NameClass::Plain; }
  lex::NameClass classifyKind(const Token& t);
  int scope() const { return table_.currentScope(); }
  ScopeState saveScopes() const;
  void restoreScopes(const ScopeState& s);

  // --- declarations (decl_parser.cpp) ------------------------------------
  // Declarations up to a `}` (inside braces) or the end of the buffer.
  void declarationSeq(bool inBraces);
  void recover(int seqDepth, bool inBraces);
  void declaration();
  void namespaceDefinition(int inlineParent = -1);
  void usingDeclaration();
  void linkageSpecification();
  void asmDeclaration();
  bool accessLabel();
  // C++11 on: `using X = type;` (an alias, recorded as a typedef; in a
  // template, as a template whose target is that typedef).
  void aliasDeclaration();
  // `static_assert (...);`, `concept C = ...;`, deduction guides: read to
  // their `;`.
  void skipToSemicolon();
  // A deduction guide `X(params) -> X<args>;` at the current token: read
  // whole and true, or nothing read and false.
  bool deductionGuide();
  // A constraint after `requires`: primaries joined by `&&` and `||`.
  void skipConstraint();
  // `<` ... `>` read past without looking at the arguments (`>>` closes
  // two lists).
  void skipAngles();
  void splitGreater();
  bool opensArguments(Tok previous) const;
  // A type constraint (`C`, `ns::C<X>`) before a placeholder or a template
  // parameter name; false (nothing read) when the tokens are no such thing.
  bool typeConstraint(bool beforePlaceholder);
  // Whether the tokens at the current one name a type (nothing read).
  bool namesType();
  // `name<...>::` at the current token: read past it and true, or nothing
  // read and false.
  bool angledQualifier();
  // `decltype (...)`, `__typeof__ (...)` and the type built-ins at the
  // current token: a placeholder type named by their text.
  Type* typeOfExpression();
  Type* charType(Tok t);

  // --- specifiers and classes (decl_specifiers.cpp) ----------------------
  // Reads decl-specifiers; stops at the first token that cannot continue
  // them (a declarator).
  void specifiers(Specifiers& specs, bool inParameters);
  void finishSpecifiers(Specifiers& specs);
  void addBaseType(Specifiers& specs, Type* t);
  // A (possibly qualified) type name, template-id or dependent name at the
  // current token; null when the tokens do not name a type (nothing read).
  Type* typeName(Specifiers& specs);
  // `::`, `A::`, `A<...>::` prefixes: the scope they name (-1 when unknown),
  // with `dependent` set when they go through a template parameter.
  int nestedNameSpecifier(bool& any, bool& dependent, bool stopBeforeLast);
  Type* templateId(Name name, int scopeOfTemplate, Type* templ);
  std::string_view templateArguments(int* count);
  void classSpecifier(Specifiers& specs);
  void classBody(StructuredType* s, bool isUnion);
  void baseClause(StructuredType* s, bool isUnion);
  bool derivesFrom(const Type* base, const StructuredType* s) const;
  void copyBases(StructuredType* instance, const StructuredType* body);
  void mergeTemplateParameters(TemplateType* tt, bool fresh, Name name);
  std::vector<Type*> argumentTypes(const Mark& opening);
  void fillInstance(StructuredType* instance, const TemplateType* templ, const StructuredType* body,
                    const std::vector<Type*>& arguments);
  Type* substitute(Type* t, const std::vector<std::pair<const Type*, Type*>>& map, int depth);
  void enumSpecifier(Specifiers& specs);
  Type* placeholder(std::string_view text);
  // `auto`, `decltype(auto)` and `decltype (expression)` as recorded: a
  // placeholder named by its text.
  bool isPlaceholderType(const Type* t) const;
  Type* builtinType(Name name);
  // The type a name of some class denotes from a scope, or null.
  Type* namedType(Name name, lex::NameClass c, int from);
  // The scope a qualifier component names from `from` (-1: the current
  // scope outwards), -1 when unknown; `dependent` when it is a template
  // parameter.
  int qualifierScope(Name name, Type* instance, int from, bool& dependent);
  bool isCurrentClassName(Name name) const;
  bool isClassScopeOf(int scope, Name name) const;
  // A class or function template visible from a scope.
  bool isTemplateName(Name name, int from);
  // The type of a template parameter name.
  Type* templateParameterType(Name name);

  // --- declarators (decl_declarators.cpp) --------------------------------
  // The declarators of a simple declaration after its specifiers, with
  // their initialisers, to the closing `;`, or a function definition.
  void initDeclaratorList(Specifiers& specs);
  void declarator(Declarator& d, bool abstractAllowed, bool nameRequired);
  void declaratorName(Declarator& d);
  void operatorName(Declarator& d, const char* start);
  void declaratorSuffixes(Declarator& d, std::vector<DeclOp>& suffixes);
  bool parametersFollow();
  bool memberPointerFollows();
  FunctionType* parameterList();
  // After a parameter list: cv, ref-qualifiers, exception specifications,
  // virt-specifiers, attributes, a trailing requires-clause; the trailing
  // return type when one is written, else null.
  Type* functionQualifiers(FunctionType* f);
  Type* trailingReturnType();
  void arrayDimension(DeclOp& op);
  Type* applyDeclarator(Type* base, const Declarator& d);
  Type* typeId();  // a type without a name (casts, throw lists, conversions)
  // Records one declarator; `body` when a function body follows.
  void record(Specifiers& specs, Declarator& d, bool body);
  void functionBody();
  bool evaluate(std::string_view text, std::int64_t& value);

  // --- templates (decl_templates.cpp) ------------------------------------
  void templateDeclaration();
  void templateParameters(std::vector<TemplateParameter>& out);

  AstContext& ctx_;
  SymbolTable& table_;
  const DeclarationRequest& request_;
  DeclarationRecorder recorder_;
  lex::DeclarationLexer lexer_;
  Token tok_;
  Token next_;
  bool hasNext_ = false;
  const char* previousEnd_ = nullptr;  // end of the token before tok_
  // The two tokens before tok_ (codes) and the name of the one before.
  Tok previousCode_ = Tok::End;
  Tok previousBefore_ = Tok::End;
  Name previousName_;
  std::string_view lastText_;          // the last token before the end
  int braceDepth_ = 0;
  int depth_ = 0;
  bool eofReported_ = false;
  bool enterQualified_ = false;
  int quiet_ = 0;  // reading again tentatively: no messages  // a qualified declarator name enters its scope

  // Class being defined (innermost) and its access.
  StructuredType* currentClass_ = nullptr;
  Access access_ = Access::Public;
  // Template context: parameter names visible, and the parameter lists of
  // the `template <...>` prefixes of the declaration being read.
  std::vector<TemplateParameterName> templateNames_;
  std::vector<std::vector<TemplateParameter>> templateLists_;
  int templateLevels_ = 0;      // prefixes before the current declaration
  bool explicitSpecialisation_ = false;
  bool explicitInstantiation_ = false;
  // The dialect of the analysed code: C++11 on (modern_), C++20 on (cxx20_).
  bool modern_ = false;
  bool cxx20_ = false;

  std::unordered_map<Name, GnuWord> gnuWords_;
  // Names of variable templates (not recorded in the tables): a `<` after
  // one opens its arguments.
  std::unordered_set<Name> variableTemplates_;
  // `namespace A = B::C;`: the scope each alias names.
  std::unordered_map<Name, int> namespaceAliases_;
  std::unordered_map<std::string_view, Type*> placeholders_;
  std::unordered_map<Name, Type*> builtins_;
  std::unordered_map<const Type*, TemplateType*> instanceOf_;  // instance -> its template
  Name constWord_, volatileWord_, overrideWord_, finalWord_;
};

}  // namespace zenta::analyser::declparse
