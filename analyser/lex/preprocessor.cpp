// The preprocessor's public operations: set-up, preprocessing of a text, the
// closing operation and the queries of the rest of the analyser. The run has
// one preprocessor; these functions drive it.
#include "analyser/lex/preprocessor.h"

#include <algorithm>
#include <cstdlib>

#include "analyser/basic/dialect.h"
#include "analyser/lex/pp_state.h"

namespace zenta::analyser {

namespace pp {

Preprocessor::Preprocessor(IdentifierTable& ids) : ids_(ids) {
  frames_.reserve(kMaxFrames);
  definedId_ = ids_.get("defined");
  defined_.id = definedId_;
  defined_.kind = KindDefined;
}

Preprocessor::~Preprocessor() {
  while (top_ >= 0) popFrame(nullptr);
  clearMacros();
}

void Preprocessor::init(bool pedantic, bool traditional, int language,
                        const std::vector<std::string>& defines,
                        const std::vector<std::string>& includeDirs, const std::string& file,
                        bool useIncludeDirs) {
  clearMacros();
  // Texts kept from an analysis in another dialect were read by its rules.
  if (dialect() != dialect_) clearFileCache();
  dialect_ = dialect();
  onceFiles_.clear();
  pedantic_ = pedantic;
  traditional_ = traditional;
  language_ = language;
  if (useIncludeDirs) {
    for (const auto& d : includeDirs) {
      chain_.push_back(d);
      longestDir_ = std::max(longestDir_, d.size());
    }
    const char* target = std::getenv("ZNUTGT");
    if (!target) target = std::getenv("ZNTTGT");
    if (target) chain_.push_back(std::string(target) + "/lib");
    if (std::getenv("ZNW_ADD_USR_INCLUDE")) {
      chain_.emplace_back("/usr/include");
      chain_.emplace_back("/usr/local/include");
    }
  }
  pseudoFile_ = "*Initialization*";
  defineFromText("ZNT_WIN32 1");
  defineFromText("USE_ZNU 1");
  defineFromText("ZNT_CPLUSPLUS_LANGUAGE 1");
  // A dialect of the standard has its __cplusplus; the classic language has
  // none.
  if (const long cplusplus = cplusplusValue(dialect_))
    defineFromText("__cplusplus " + std::to_string(cplusplus) + "L");
  pseudoFile_.clear();
  installSpecial("__LINE__", KindLine);
  installSpecial("__DATE__", KindDate);
  installSpecial("__FILE__", KindFile);
  installSpecial("__BASE_FILE__", KindBaseFile);
  installSpecial("__INCLUDE_LEVEL__", KindIncludeLevel);
  installSpecial("__TIME__", KindTime);
  if (!traditional) installSpecial("__STDC__", KindConstant, "1");
  if (dialect_ != Dialect::Classic) installDialectEntries();
  for (const auto& d : defines) commandLineDefinition(d);
  if (!file.empty()) {
    auto text = loadFile(file);
    if (!text) {
      report(1, "IMPOUVFIC", file);
      return;
    }
    Frame* f = pushFrame(FrameKind::File);
    if (!f) return;
    f->shared = std::move(text);
    f->text = f->shared->data();
    f->len = f->shared->size();
    f->file = file;
    f->named = true;
    Out discard;
    discard.intermediate = true;
    scan(discard, top_);
  }
}

int Preprocessor::preprocessText(const std::string& text, bool force, const std::string& fileName, int line,
                                 std::string& output, MessageHook report) {
  hook_ = report;
  errors_ = 0;
  force_ = force;
  Out out;
  out.buf = std::move(output);
  Frame* f = pushFrame(FrameKind::Text);
  if (f) {
    f->owned = text;
    normaliseText(f->owned, dialect_);
    f->text = f->owned.data();
    f->len = f->owned.size();
    f->file = fileName;
    f->named = !fileName.empty();
    f->line = line + 1;
    writeMarker(out, line + 1, fileName);
    scan(out, top_);
  }
  output = std::move(out.buf);
  force_ = false;
  return errors_;
}

void Preprocessor::close() {
  for (const Conditional& c : conds_) reportAt(3, "UNTERCOND", c.directive, c.file, c.line);
  conds_.clear();
  clearMacros();
  typeModifiers_.clear();
}

void Preprocessor::reset() {
  while (top_ >= 0) popFrame(nullptr);
  clearMacros();
  conds_.clear();
  chain_.clear();
  longestDir_ = 19;
  aliases_.clear();
  typeModifiers_.clear();
  analysisOn_ = true;
  pedantic_ = traditional_ = false;
  dialect_ = Dialect::Classic;
  onceFiles_.clear();
  errors_ = 0;
  hook_ = nullptr;
  pseudoFile_.clear();
  clearFileCache();
  clearPathCache();
  filesRead_.clear();
  filesReadSet_.clear();
}

}  // namespace pp

namespace {

// The run's preprocessor. Never destroyed: the tables it refers to live as
// long as the process.
pp::Preprocessor& thePreprocessor() {
  static auto* p = new pp::Preprocessor(identifiers());
  return *p;
}

}  // namespace

MacroTable* preprocessorMacroTable() { return reinterpret_cast<MacroTable*>(&thePreprocessor()); }

void setPreprocessorHook(MessageHook hook) { thePreprocessor().setHook(hook); }

void init_preprocessor(bool pedantic, bool traditional, int language,
                       const std::vector<std::string>& defines,
                       const std::vector<std::string>& includeDirs, const std::string& file,
                       MacroTable* /*macroTable*/, bool useIncludeDirs) {
  thePreprocessor().init(pedantic, traditional, language, defines, includeDirs, file, useIncludeDirs);
}

int preprocess_text(const std::string& text, bool force, const std::string& fileName, int line,
                    std::string& output, MacroTable* /*macroTable*/, MessageHook report) {
  return thePreprocessor().preprocessText(text, force, fileName, line, output, report);
}

void close_preprocessor() { thePreprocessor().close(); }

void resetPreprocessor() { thePreprocessor().reset(); }

void setPreprocessorGuardSkip(bool enabled) { thePreprocessor().setGuardSkip(enabled); }

bool preprocessorMacroDefined(const std::string& name) { return thePreprocessor().lookup(name) != nullptr; }

bool preprocessorAnalysisOn() { return thePreprocessor().analysisOn(); }

const std::vector<std::string>& preprocessorTypeModifiers() { return thePreprocessor().typeModifiers(); }

bool isPreprocessorTypeModifier(const std::string& name) {
  for (const auto& t : thePreprocessor().typeModifiers())
    if (t == name) return true;
  return false;
}

std::vector<std::string> preprocessorIncludeChain() { return thePreprocessor().includeChain(); }

const std::vector<std::string>& preprocessorFilesRead() { return thePreprocessor().filesRead(); }

}  // namespace zenta::analyser
