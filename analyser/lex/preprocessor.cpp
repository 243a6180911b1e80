// The preprocessor's public operations: set-up, preprocessing of a text, the
// closing operation and the queries of the rest of the analyser.
#include "analyser/lex/preprocessor.h"

#include <algorithm>
#include <cstdlib>

#include "analyser/lex/pp_state.h"

namespace zenta::analyser {

using namespace pp;

MacroTable* preprocessorMacroTable() { return reinterpret_cast<MacroTable*>(&st()); }

void setPreprocessorHook(MessageHook hook) { st().hook = hook; }

void init_preprocessor(bool pedantic, bool traditional, int language,
                       const std::vector<std::string>& defines,
                       const std::vector<std::string>& includeDirs, const std::string& file,
                       MacroTable* /*macroTable*/, bool useIncludeDirs) {
  State& s = st();
  clearMacros();
  s.pedantic = pedantic;
  s.traditional = traditional;
  s.language = language;
  if (useIncludeDirs) {
    for (const auto& d : includeDirs) {
      s.chain.push_back(d);
      s.longestDir = std::max(s.longestDir, d.size());
    }
    const char* target = std::getenv("ZNUTGT");
    if (!target) target = std::getenv("ZNTTGT");
    if (target) s.chain.push_back(std::string(target) + "/lib");
    if (std::getenv("ZNW_ADD_USR_INCLUDE")) {
      s.chain.emplace_back("/usr/include");
      s.chain.emplace_back("/usr/local/include");
    }
  }
  s.pseudoFile = "*Initialization*";
  defineFromText("ZNT_WIN32 1");
  defineFromText("USE_ZNU 1");
  defineFromText("ZNT_CPLUSPLUS_LANGUAGE 1");
  s.pseudoFile.clear();
  installSpecial("__LINE__", KindLine);
  installSpecial("__DATE__", KindDate);
  installSpecial("__FILE__", KindFile);
  installSpecial("__BASE_FILE__", KindBaseFile);
  installSpecial("__INCLUDE_LEVEL__", KindIncludeLevel);
  installSpecial("__TIME__", KindTime);
  if (!traditional) installSpecial("__STDC__", KindConstant, "1");
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
    scan(discard, s.top);
  }
}

int preprocess_text(const std::string& text, bool force, const std::string& fileName, int line,
                    std::string& output, MacroTable* /*macroTable*/, MessageHook report) {
  State& s = st();
  s.hook = report;
  s.errors = 0;
  s.force = force;
  Out out;
  out.buf = std::move(output);
  Frame* f = pushFrame(FrameKind::Text);
  if (f) {
    f->owned = text;
    normaliseText(f->owned);
    f->text = f->owned.data();
    f->len = f->owned.size();
    f->file = fileName;
    f->named = !fileName.empty();
    f->line = line + 1;
    writeMarker(out, line + 1, fileName);
    scan(out, s.top);
  }
  output = std::move(out.buf);
  s.force = false;
  return s.errors;
}

void close_preprocessor() {
  State& s = st();
  for (const Conditional& c : s.conds) pp::reportAt(3, "UNTERCOND", c.directive, c.file, c.line);
  s.conds.clear();
  clearMacros();
  s.typeModifiers.clear();
}

void resetPreprocessor() {
  State& s = st();
  while (s.top >= 0) popFrame(nullptr);
  clearMacros();
  s.conds.clear();
  s.chain.clear();
  s.longestDir = 19;
  s.aliases.clear();
  s.typeModifiers.clear();
  s.analysisOn = true;
  s.pedantic = s.traditional = false;
  s.errors = 0;
  s.hook = nullptr;
  s.pseudoFile.clear();
  clearFileCache();
  clearPathCache();
}

void setPreprocessorGuardSkip(bool enabled) { st().guardSkip = enabled; }

bool preprocessorMacroDefined(const std::string& name) { return lookup(name) != nullptr; }

bool preprocessorAnalysisOn() { return st().analysisOn; }

const std::vector<std::string>& preprocessorTypeModifiers() { return st().typeModifiers; }

bool isPreprocessorTypeModifier(const std::string& name) {
  for (const auto& t : st().typeModifiers)
    if (t == name) return true;
  return false;
}

std::vector<std::string> preprocessorIncludeChain() { return st().chain; }

}  // namespace zenta::analyser
