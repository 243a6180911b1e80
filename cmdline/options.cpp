#include "cmdline/options.h"

#include <QString>

#include <cstdio>
#include <cstdlib>

#include "diag/catalogue.h"
#include "diag/report.h"

namespace zenta::cmdline {
namespace {

// ---------------------------------------------------------------------------
// The option table

enum ValueKind { NoValue, String, StringList, IntegerList, Integer };

struct OptionRow {
  const char* french;
  const char* english;
  const char* valueName;  // nullptr when the option takes no value
  ValueKind kind;
  long lower, upper;
  bool negatable;
  bool defaultOn;
};

// Table order is the order of the option positions.
const OptionRow kOptions[] = {
    {"LANGAGE", "LANGUAGE", "language_name", String, 1, 255, false, false},
    {"VERSION", "VERSION", "version_nb", String, 1, 255, false, false},
    {"CIBLE", "TARGET", "target_name", String, 1, 255, false, false},
    {"OPERATION", "OPERATION", "operation_name", StringList, 1, 255, false, false},
    {"SERVICE", "SERVICE", "service_name", StringList, 1, 255, false, false},
    {"TEST", "TEST", "test_name", StringList, 1, 255, false, false},
    {"FAMILLE", "FAMILY", "family_name", StringList, 1, 255, false, false},
    {"EXOPERATION", "EXOPERATION", "exoperation_name", StringList, 1, 255, false, false},
    {"EXSERVICE", "EXSERVICE", "exservice_name", StringList, 1, 255, false, false},
    {"EXTEST", "EXTEST", "extest_name", StringList, 1, 255, false, false},
    {"EXFAMILLE", "EXFAMILY", "exfamily_name", StringList, 1, 255, false, false},
    {"INCL", "INCL", "directory", StringList, 1, 255, false, false},
    {"DEFINIR", "DEFINE", "identifier", StringList, 1, 255, false, false},
    {"NOSIMULATION", "NOSIMULATION", nullptr, NoValue, 0, 0, false, false},
    {"NOEDIT", "NOEDIT", nullptr, NoValue, 0, 0, false, false},
    {"CONST", "CONST", "const_file", String, 1, 255, false, false},
    {"SOURCE", "SOURCE", "source_file", String, 1, 255, false, false},
    {"COMMANDE", "COMMAND", "command", String, 1, 255, true, false},
    {"STRVER", "STRVER", "strvers", String, 1, 255, true, false},
    {"RESTRICTION", "RESTRICTION", "restriction", StringList, 1, 255, false, false},
    {"SYSCOMP", "SYSCOMP", "compiler_system", String, 1, 255, false, false},
    {"SOUS_SYSTEME", "SUB_SYSTEM", nullptr, NoValue, 0, 0, true, false},
    {"SYSTEME", "SYSTEM", nullptr, NoValue, 0, 0, true, false},
    {"SS", "SS", nullptr, NoValue, 0, 0, true, false},
    {"FAST", "FAST", nullptr, NoValue, 0, 0, true, true},
    {"EXPEND", "EXPAND", nullptr, NoValue, 0, 0, true, false},
    {"COMPRESS", "COMPRESS", nullptr, NoValue, 0, 0, true, false},
    {"CLASSE", "CLASS", "class_name", String, 1, 255, false, false},
    {"SGBD", "DBMS", "dbms_name", String, 1, 255, false, false},
    {"DONNEES", "DATA", "data_file", String, 1, 255, false, false},
    {"APPRENTISSAGE", "LEARN", nullptr, NoValue, 0, 0, true, false},
    {"NOANALYSE", "NOANALYZE", nullptr, NoValue, 0, 0, false, false},
    {"NOPATH", "NOPATH", nullptr, NoValue, 0, 0, false, false},
    {"DEFINE_STD", "STD_DEFINE", "define_file", String, 1, 255, false, false},
    {"RENOMME", "RENAME", "rename_file", String, 1, 255, false, false},
    {"TABSYMB", "SYMBTAB", "symbtab_file", String, 1, 255, false, false},
    {"ADALIEN", "ADALINK", "adalink_file", String, 1, 255, false, false},
    {"STANDARD", "STANDARD", "standard_file", String, 1, 255, false, false},
    {"VISTRA_LOG", "VISTRA_LOG", "vistra_log_file", String, 1, 255, false, false},
    {"NOMRIO", "RIONAME", "rio_file", String, 1, 255, false, false},
    {"WITHSEPARATE", "WITHSEPARATE", nullptr, NoValue, 0, 0, false, false},
    {"TSF", "TSF", "tsf_file", String, 1, 255, false, false},
    {"XT", "XT", "level", IntegerList, 0, 255, false, false},
    {"E", "E", "Nb", Integer, 1, 255, false, false},
    {"W", "W", "Nb", Integer, 1, 255, false, false},
    // Options for builds and editors, after the classic ones so that those
    // keep their positions: the dependency file in Make syntax (paths are
    // long in build trees) and the form of the messages.
    {"DEPFILE", "DEPFILE", "dep_file", String, 1, 4095, false, false},
    {"MESSAGES", "MESSAGES", "message_form", String, 1, 255, false, false},
};
static_assert(sizeof kOptions / sizeof kOptions[0] == 47, "the compiler has 45 classic options and 2 more");

const char* const kRestrictionValues[RestrictionCount] = {"NOEXCEP", "NOIMAGE",  "KR",    "ANSI", "NOSQLSAV",
                                                          "SEPAR",   "NOALLOC", "NOPOS", "ADA83"};
// SYSCOMP values; their position is the compiler-system code.
const char* const kSyscompValues[] = {"UNIX", "OS2", "DOS", "VMS", "NT"};
// MESSAGES values (French, English); the first is the default.
const char* const kMessageForms[][2] = {{"CLASSIQUE", "CLASSIC"}, {"IDE", "IDE"}};

// Language names that select a dialect of the analysed code, with the
// standard-definitions file of that dialect in the target package. Plain C++
// (and any other value that begins with "C++") is the classic language and
// reads znus_c.def.
struct DialectLanguage {
  const char* name;   // canonical name, kept as the language name
  const char* alias;  // the name the standard had before its year was known
  const char* definitions;
};
const DialectLanguage kDialectLanguages[] = {
    {"C++11", "C++0X", "znus_cxx11.def"}, {"C++14", "C++1Y", "znus_cxx14.def"},
    {"C++17", "C++1Z", "znus_cxx17.def"}, {"C++20", "C++2A", "znus_cxx20.def"},
    {"C++23", "C++2B", "znus_cxx23.def"},
};

// Forbidden combinations, in the order they are checked.
const char* const kForbidden[][2] = {
    {"SS", "SYSTEM"},          {"SS", "SUB_SYSTEM"},     {"SYSTEM", "SUB_SYSTEM"}, {"OPERATION", "SERVICE"},
    {"EXOPERATION", "EXSERVICE"}, {"OPERATION", "EXSERVICE"}, {"EXOPERATION", "SERVICE"},
    {"OPERATION", "EXOPERATION"}, {"SERVICE", "EXSERVICE"},   {"TEST", "EXTEST"},
    {"FAMILY", "EXFAMILY"},
};

const char kUsage[] =
    "\nUsage zentaprepro :\n\t<test_script_file>\n\t<generated_file>\n\t<rep_file_rio>\n"
    "\t[-LANGUAGE=<language_name>]\n\t[-VERSION=<version_nb>]\n\t[-TARGET=<target_name>]\n"
    "\t[-OPERATION=<operation_name>[,operation_name]]\n\t[-SERVICE=<service_name>[,service_name]]\n"
    "\t[-TEST=<test_name>[,test_name]]\n\t[-FAMILY=<family_name>[,family_name]]\n"
    "\t[-EXOPERATION=<exoperation_name>[,exoperation_name]]\n\t[-EXSERVICE=<exservice_name>[,exservice_name]]\n"
    "\t[-EXTEST=<extest_name>[,extest_name]]\n\t[-EXFAMILY=<exfamily_name>[,exfamily_name]]\n"
    "\t[-INCL=<directory>[,directory]]\n\t[-DEFINE=<identifier>[,identifier]]\n\t[-NOSIMULATION]\n"
    "\t[-E=<Max_error_displayed>]\n\t[-W=<Max_warning_displayed>]\n\t[-CONST=<const_file>]\n"
    "\t[-SOURCE=<source_file>]\n\t[-COMMAND|-NOCOMMAND=<command>]\n\t[-STRVER|-NOSTRVER=<strvers>]\n"
    "\t[-RESTRICTION=<ADA83|NOALLOC|SEPAR|NOSQLSAV|ANSI|KR|NOPOS|NOIMAGE|NOEXCEP>"
    "[=ADA83|NOALLOC|SEPAR|NOSQLSAV|ANSI|KR|NOPOS|NOIMAGE|NOEXCEP]]\n"
    "\t[-SYSCOMP=<NT|DOS|OS2|VMS|UNIX>]\n\t[-SUB_SYSTEM|-NOSUB_SYSTEM]\n\t[-SYSTEM|-NOSYSTEM]\n\t[-SS|-NOSS]\n"
    "\t[-FAST|-NOFAST]\n\t[-EXPAND|-NOEXPAND]\n\t[-COMPRESS|-NOCOMPRESS]\n\t[-CLASS=<class_name>]\n"
    "\t[-DBMS=<dbms_name>]\n\t[-DATA=<data_file>]\n\t[-NOANALYZE]\n\t[-NOPATH]\n"
    "\t[-STD_DEFINE=<define_file>]\n\t[-RENAME=<rename_file>]\n\t[-SYMBTAB=<symbtab_file>]\n"
    "\t[-ADALINK=<adalink_file>]\n\t[-STANDARD=<standard_file>]\n\t[-VISTRA_LOG=<vistra_log_file>]\n"
    "\t[-RIONAME=<rio_file>]\n\t[-WITHSEPARATE]\n\t[-TSF=<tsf_file>]\n\t[-NOEDIT]\n"
    "\t[-DEPFILE=<dep_file>]\n\t[-MESSAGES=<CLASSIC|IDE>]\n\t[-LEARN|-NOLEARN]\n"
    "\t[-XT=<level>[,level]]\n";

Names sameNames(const char* french, const char* english) { return {french, french, english}; }

int optionNumber(const char* english) {
  for (std::size_t i = 0; i < sizeof kOptions / sizeof kOptions[0]; ++i)
    if (std::string(kOptions[i].english) == english) return static_cast<int>(i);
  return -1;
}

// ---------------------------------------------------------------------------
// Helpers of the checks

std::string upperCased(const std::string& s) {
  return QString::fromLocal8Bit(s.data(), static_cast<qsizetype>(s.size())).toUpper().toLocal8Bit().toStdString();
}
std::string lowerCased(const std::string& s) {
  return QString::fromLocal8Bit(s.data(), static_cast<qsizetype>(s.size())).toLower().toLocal8Bit().toStdString();
}

// Whether the last component of a path has an extension.
bool hasExtension(const std::string& path) {
  const auto slash = path.find_last_of('/');
  const std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
  return base.find('.') != std::string::npos;
}

void appendList(std::string& text, const char* name, const std::vector<std::string>& values) {
  if (values.empty()) return;
  text += " /";
  text += name;
  text += "=";
  for (std::size_t i = 0; i < values.size(); ++i) text += (i ? "," : "") + values[i];
}

void appendFile(std::string& text, const char* name, const std::string& value) {
  if (value.empty()) return;
  text += " /";
  text += name;
  text += "=" + value;
}

void appendFlag(std::string& text, const char* name, bool on) {
  if (!on) return;
  text += " /";
  text += name;
}

}  // namespace

const std::string& usageText() {
  static const std::string usage = kUsage;
  return usage;
}

CommandDescriptor compilerCommand() {
  CommandDescriptor d;
  d.programName = "zentaprepro";
  const char* const positionalNames[3][3] = {{"fichier_PTU", "fichier_PTU", "test_script_file"},
                                             {"fichier_genere", "fichier_g\xc3\xa9n\xc3\xa9r\xc3\xa9", "generated_file"},
                                             {"rep_fic_rio", "rep_fic_rio", "rep_file_rio"}};
  for (int i = 0; i < 3; ++i) {
    ArgumentDescriptor p;
    p.names = {positionalNames[i][0], positionalNames[i][1], positionalNames[i][2]};
    p.type = 'C';
    p.lower = 1;
    p.upper = 255;
    p.optional = i == 2;
    d.positionals.push_back(p);
  }
  for (const OptionRow& row : kOptions) {
    OptionDescriptor o;
    o.names = sameNames(row.french, row.english);
    o.takesValue = row.valueName != nullptr;
    o.negatable = row.negatable;
    o.defaultOn = row.defaultOn;
    if (o.takesValue) {
      o.value.names = sameNames(row.valueName, row.valueName);
      o.value.type = (row.kind == Integer || row.kind == IntegerList) ? 'I' : 'C';
      o.value.list = row.kind == StringList || row.kind == IntegerList;
      o.value.lower = row.lower;
      o.value.upper = row.upper;
    }
    d.options.push_back(o);
  }
  OptionDescriptor& restriction = d.options[static_cast<std::size_t>(optionNumber("RESTRICTION"))];
  for (const char* v : kRestrictionValues) restriction.allowed.push_back({sameNames(v, v), false});
  OptionDescriptor& syscomp = d.options[static_cast<std::size_t>(optionNumber("SYSCOMP"))];
  for (const char* v : kSyscompValues) syscomp.allowed.push_back({sameNames(v, v), false});
  syscomp.defaultValue = SysNt + 1;
  OptionDescriptor& messages = d.options[static_cast<std::size_t>(optionNumber("MESSAGES"))];
  for (const auto& v : kMessageForms) messages.allowed.push_back({{v[0], v[0], v[1]}, false});
  messages.defaultValue = 1;
  for (const auto& rule : kForbidden) {
    CombinationRule r;
    r.first = {CombinationElement::Option, optionNumber(rule[0]), 0, true};
    r.second = {CombinationElement::Option, optionNumber(rule[1]), 0, true};
    d.combinations.push_back(r);
  }
  d.usage = {kUsage, kUsage, kUsage};
  return d;
}

std::string canonicalCommandText(const Settings& s) {
  std::string t = "zentaprepro " + s.testScript + " " + s.harness;
  if (!s.resultsDirectory.empty()) t += " \"" + s.resultsDirectory + "\"";
  t += " /LANGUAGE=" + s.languageName;
  appendFile(t, "VERSION", s.version);
  t += " /TARGET=" + s.target;
  appendFlag(t, "SUB_SYSTEM", s.subSystem);
  appendFile(t, "SOURCE", s.sourceFile);
  appendFile(t, "STRVER", s.strver);
  appendFlag(t, "FAST", s.fast);
  appendFlag(t, "COMPRESS", s.compress);
  appendFlag(t, "EXPAND", s.expand);
  appendList(t, "OPERATION", s.operations);
  appendList(t, "SERVICE", s.services);
  appendList(t, "TEST", s.tests);
  appendList(t, "FAMILY", s.families);
  appendList(t, "EXOPERATION", s.exOperations);
  appendList(t, "EXSERVICE", s.exServices);
  appendList(t, "EXTEST", s.exTests);
  appendList(t, "EXFAMILY", s.exFamilies);
  appendList(t, "INCL", s.includeDirectories);
  appendList(t, "DEFINE", s.definitions);
  appendList(t, "RESTRICTION", s.restrictionValues);
  if (s.compilerSystemGiven && s.compilerSystem >= 0 && s.compilerSystem <= SysNt)
    appendFile(t, "SYSCOMP", kSyscompValues[s.compilerSystem]);
  appendFlag(t, "NOSIMULATION", s.noSimulation);
  appendFlag(t, "NOEDIT", s.noEdit);
  appendFlag(t, "NOANALYZE", !s.analysis);
  appendFile(t, "STD_DEFINE", s.standardDefinitions);
  appendFile(t, "SYMBTAB", s.symbolTable);
  appendFile(t, "STANDARD", s.standardFile);
  appendFile(t, "ADALINK", s.adaLink);
  return t;
}

CommandResult decodeCommand(const std::vector<std::string>& arguments, const Decoder::Sink& errorSink) {
  resetSettings();
  Settings& s = mutableSettings();
  CommandResult result;

  // 1. Decoding.
  Decoder decoder(compilerCommand());
  std::string errorLine;
  decoder.setErrorSink([&](const std::string& line) {
    errorLine = line;
    if (errorSink) errorSink(line);
    else std::fwrite(line.data(), 1, line.size(), stderr), std::fflush(stderr);
  });
  if (decoder.decode(arguments) != 0) {
    result.outcome = CommandResult::DecoderError;
    result.detail = errorLine;
    return result;
  }
  auto given = [&](const char* name) { return decoder.optionIndex(name); };
  auto firstValue = [&](const char* name) -> std::string {
    const Value* v = decoder.optionValue(given(name), 1);
    return v ? v->text : std::string();
  };
  auto values = [&](const char* name) {
    std::vector<std::string> list;
    for (const Value& v : decoder.optionValues(given(name))) list.push_back(v.text);
    // A list written between parentheses has them removed.
    if (!list.empty() && !list.front().empty() && list.front().front() == '(' && !list.back().empty() &&
        list.back().back() == ')' && !(list.size() == 1 && list.front().size() < 2)) {
      list.front().erase(0, 1);
      list.back().pop_back();
    }
    std::erase_if(list, [](const std::string& v) { return v.empty(); });
    return list;
  };

  // 2. Positional arguments.
  if (const Value* v = decoder.positionalValue(1, 1)) s.testScript = v->text;
  if (const Value* v = decoder.positionalValue(2, 1)) s.harness = v->text;
  if (const Value* v = decoder.positionalValue(3, 1)) {
    std::string dir = v->text;
    if (!dir.empty() && dir.front() == '"') dir.erase(0, 1);
    if (!dir.empty() && dir.back() == '"') dir.pop_back();
    s.resultsDirectory = dir;
  }

  // Build and editor options: the dependency file and the message form,
  // which holds for the messages of the checks below too.
  s.dependencyFile = firstValue("DEPFILE");
  s.ideMessages = firstValue("MESSAGES") == "IDE";
  diag::setMessageForm(s.ideMessages ? diag::MessageForm::Ide : diag::MessageForm::Classic);

  // 3. Language: C++, or any value that begins with "C++". A dialect name
  // (C++11 ... C++23) is kept as the language name and selects that dialect
  // of the analysed code; anything else is the classic language.
  std::string definitionsName = "znus_c.def";
  if (given("LANGUAGE") > 0) {
    const std::string value = firstValue("LANGUAGE");
    const std::string upper = upperCased(value);
    if (upper.rfind("C++", 0) != 0) {
      result.outcome = CommandResult::UnknownLanguage;
      result.detail = value;
      return result;
    }
    for (const DialectLanguage& d : kDialectLanguages) {
      if (upper == d.name || upper == d.alias) {
        s.languageName = d.name;
        definitionsName = d.definitions;
      }
    }
  }

  // 4. Names.
  if (given("VERSION") > 0) s.version = upperCased(firstValue("VERSION"));
  if (given("TARGET") > 0) s.target = upperCased(firstValue("TARGET"));
  if (given("CLASS") > 0) s.className = firstValue("CLASS");
  if (given("DBMS") > 0) {
    s.databaseName = lowerCased(firstValue("DBMS"));
    if (!s.databaseLanguage) diag::warning("OPSGBDINP", "");
  }

  // 5. Obsolete options.
  if (given("LEARN") > 0) diag::warning("OPTOBSOLET", "LEARN");
  if (given("DATA") > 0 && !firstValue("DATA").empty()) diag::warning("OPTOBSOLET", "DATA");

  // 6. Constants file.
  if (given("CONST") > 0) {
    s.constantsFileGiven = true;
    s.constantsFile = firstValue("CONST");
    if (!hasExtension(s.constantsFile)) s.constantsFile += "." + s.sourceExtension;
  }

  // 7. Texts kept as given.
  s.toolLog = firstValue("VISTRA_LOG");
  s.rioName = firstValue("RIONAME");
  s.sourceFile = firstValue("SOURCE");
  if (given("COMMAND") > 0) s.commandOverride = firstValue("COMMAND");
  if (given("STRVER") > 0) s.strver = firstValue("STRVER");
  s.tsfFile = firstValue("TSF");
  s.tsf = !s.tsfFile.empty();

  // 8. Switches.
  s.analysis = given("NOANALYZE") <= 0;
  s.subSystem = given("SUB_SYSTEM") > 0 || given("SYSTEM") > 0 || given("SS") > 0;
  s.noSimulation = given("NOSIMULATION") > 0;
  s.noEdit = given("NOEDIT") > 0;
  s.noPath = given("NOPATH") > 0;
  s.withSeparate = given("WITHSEPARATE") > 0;
  s.fast = given("FAST") > 0;
  s.compress = given("COMPRESS") > 0;
  s.expand = given("EXPAND") > 0;

  // 9. COMPRESS and EXPAND together: both stay on.
  if (s.compress && s.expand) diag::warning("OPINCOMPA", "COMPRESS, EXPEND");

  // 10. Standard definitions.
  const bool analysedLanguage = s.languageAnalysesIncludes;
  if (given("STD_DEFINE") > 0) {
    s.standardDefinitions = firstValue("STD_DEFINE");
  } else if (const char* tgt = std::getenv("ZNTTGT"); tgt && *tgt && s.analysis && analysedLanguage) {
    std::string dir = tgt;
    while (dir.size() > 1 && dir.back() == '/') dir.pop_back();
    s.standardDefinitions = dir + "/ana/" + definitionsName;
  }
  if (!s.standardDefinitions.empty() && !s.analysis) {
    diag::warning("OPTCETCPP", "STD_DEFINE");
    s.standardDefinitions.clear();
  }

  // 11. RENAME is for C only: always dropped here.
  if (!firstValue("RENAME").empty()) diag::warning("OPTCETANA", "RENAME");

  // 12. Files that only the analysis reads.
  struct {
    const char* name;
    std::string* target;
  } analysisFiles[] = {{"SYMBTAB", &s.symbolTable}, {"ADALINK", &s.adaLink}, {"STANDARD", &s.standardFile}};
  for (auto& f : analysisFiles) {
    const std::string value = firstValue(f.name);
    if (value.empty()) continue;
    if (!s.analysis) diag::warning("OPTIONANA", f.name);
    else *f.target = value;
  }

  // 13. Lists.
  s.operations = values("OPERATION");
  s.services = values("SERVICE");
  s.tests = values("TEST");
  s.families = values("FAMILY");
  s.exOperations = values("EXOPERATION");
  s.exServices = values("EXSERVICE");
  s.exTests = values("EXTEST");
  s.exFamilies = values("EXFAMILY");
  s.includeDirectories = values("INCL");
  s.definitions = values("DEFINE");
  s.restrictionValues = values("RESTRICTION");
  s.operationSelection = given("OPERATION") > 0 || given("SERVICE") > 0;
  s.exclusionSelection = given("EXOPERATION") > 0 || given("EXSERVICE") > 0;

  // 14. Restrictions: KR is refused, ANSI always holds.
  for (const std::string& v : s.restrictionValues)
    for (int r = 0; r < RestrictionCount; ++r)
      if (v == kRestrictionValues[r]) s.restrictions[static_cast<std::size_t>(r)] = true;
  if (s.restrictions[RestrictKr]) {
    diag::warning("CMDERREUR", diag::translate("Warning Parameter", "improper RESTR=KR option"));
    s.restrictions[RestrictKr] = false;
  }
  s.restrictions[RestrictAnsi] = true;

  // 15. Compiler system (the decoder supplies NT when absent).
  s.compilerSystemGiven = given("SYSCOMP") > 0;
  const std::string system = firstValue("SYSCOMP");
  for (int code = 0; code <= SysNt; ++code)
    if (system == kSyscompValues[code]) s.compilerSystem = code;

  // 16. Traces.
  for (const Value& v : decoder.optionValues(given("XT"))) {
    std::printf("active trace %d\n", static_cast<int>(v.number));
    if (v.number >= 0 && v.number < 10) s.traces[static_cast<std::size_t>(v.number)] = true;
  }
  std::fflush(stdout);

  // 17. Display limits.
  if (const Value* v = decoder.optionValue(given("E"), 1); v && v->number > 0)
    s.errorDisplayLimit = static_cast<int>(v->number);
  if (const Value* v = decoder.optionValue(given("W"), 1); v && v->number > 0)
    s.warningDisplayLimit = static_cast<int>(v->number);

  // 18. The canonical command text.
  s.commandText = canonicalCommandText(s);
  return result;
}

namespace {
std::vector<std::string> argumentList(int argc, char** argv) {
  std::vector<std::string> arguments;
  for (int i = 0; i < argc && argv; ++i)
    if (argv[i]) arguments.emplace_back(argv[i]);
  return arguments;
}
}  // namespace

bool ideMessagesRequested(int argc, char** argv) {
  Decoder decoder(compilerCommand());
  decoder.setErrorSink([](const std::string&) {});
  if (decoder.decode(argumentList(argc, argv)) != 0) return false;
  const Value* v = decoder.optionValue(decoder.optionIndex("MESSAGES"), 1);
  return v != nullptr && v->text == "IDE";
}

void analyseCommand(int argc, char** argv) {
  const std::vector<std::string> arguments = argumentList(argc, argv);
  const CommandResult r = decodeCommand(arguments);
  if (r.outcome == CommandResult::DecoderError) diag::fatal("CMDFATALE", "");
  if (r.outcome == CommandResult::UnknownLanguage) diag::fatal("LANGINCON", r.detail);
  diag::setDisplayLimits(settings().errorDisplayLimit, settings().warningDisplayLimit);
  clearSubSystem();
}

}  // namespace zenta::cmdline
