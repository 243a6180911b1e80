#include "script/environments.h"

#include <cctype>
#include <memory>

#include "analyser/interface.h"
#include "diag/report.h"
#include "generator/skeleton.h"
#include "model/store.h"
#include "output/sources.h"
#include "output/tdc.h"
#include "script/analyse.h"
#include "script/keywords.h"
#include "script/var_split.h"
#include "script/variables.h"

namespace zenta::script {
namespace {

model::EnvironmentDefinition* g_open = nullptr;
std::string g_openName;

bool wordChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

bool isIdentifier(const std::string& text) {
  if (text.empty() || std::isdigit(static_cast<unsigned char>(text[0]))) return false;
  for (char c : text)
    if (!wordChar(c)) return false;
  return true;
}

std::string upperText(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

// The name (first word, upper case) and the rest, trimmed.
void splitName(const std::string& rest, std::string& name, std::string& tail) {
  const std::string t = trim(rest);
  std::size_t end = 0;
  while (end < t.size() && !std::isspace(static_cast<unsigned char>(t[end])) && t[end] != '(') ++end;
  name = upperText(t.substr(0, end));
  tail = trim(t.substr(end));
}

// The pieces of "( a, b, ... )" split at top-level commas and trimmed.
// False when the text is not enclosed in parentheses or does not balance.
bool parenthesisedList(const std::string& text, std::vector<std::string>& pieces) {
  if (text.size() < 2 || text.front() != '(' || text.back() != ')') return false;
  const std::string inner = text.substr(1, text.size() - 2);
  if (trim(inner).empty()) return true;
  return splitList(inner, pieces);
}

// The variable text of a statement as the element's variables hold it: the
// part before the first top-level comma, preprocessed, an array named
// without bounds given those of its declaration, without blanks.
std::string variableKey(const std::string& statement, bool array) {
  std::string variable, qualifiers;
  splitTopLevel(statement, variable, qualifiers);
  variable = trim(variable);
  if (analysisAllowed()) {
    variable = analyser::preprocessScriptText(variable, diag::currentFile(), diag::currentLine());
    if (array && variable.find('[') == std::string::npos && analyser::peekVariable(variable).array)
      variable = analyser::completeArrayBounds(variable);
  }
  std::string key;
  for (char c : variable)
    if (!std::isspace(static_cast<unsigned char>(c))) key += c;
  return key;
}

// The message position of an environment's statement while it is analysed
// for an element (the statement's first line in the IDE form); the
// element's position again afterwards.
class StatementPosition {
 public:
  explicit StatementPosition(const model::VariableDescription& statement)
      : file_(diag::currentFile()), line_(diag::currentLine()), context_(diag::statementContext()) {
    if (statement.scriptLine <= 0) return;
    diag::setCurrentFile(statement.scriptFile);
    diag::setCurrentLine(statement.scriptLine);
    diag::StatementContext own;
    own.open = own.handled = true;
    own.file = own.handledFile = statement.scriptFile;
    own.first = own.last = statement.scriptFirstLine;
    own.handledLine = statement.scriptLine;
    diag::setStatementContext(own);
  }
  ~StatementPosition() {
    diag::setCurrentFile(file_);
    diag::setCurrentLine(line_);
    diag::setStatementContext(context_);
  }
  StatementPosition(const StatementPosition&) = delete;
  StatementPosition& operator=(const StatementPosition&) = delete;

 private:
  std::string file_;
  int line_;
  diag::StatementContext context_;
};

void collectNodes(model::VariableNode* node, std::vector<model::VariableNode*>& out) {
  if (!node) return;
  collectNodes(node->smaller.get(), out);
  for (model::VariableNode* n = node; n; n = n->sameName.get()) out.push_back(n);
  collectNodes(node->greater.get(), out);
}

}  // namespace

std::string substituteParameters(const std::string& text, const std::vector<std::string>& parameters,
                                 const std::vector<std::string>& arguments) {
  std::string out;
  for (std::size_t i = 0; i < text.size();) {
    const char c = text[i];
    if (c == '"' || c == '\'') {
      std::size_t j = i + 1;
      while (j < text.size() && text[j] != c) j += text[j] == '\\' ? 2 : 1;
      j = std::min(j + 1, text.size());
      out += text.substr(i, j - i);
      i = j;
      continue;
    }
    if (!wordChar(c)) {
      out += c;
      ++i;
      continue;
    }
    std::size_t j = i;
    while (j < text.size() && wordChar(text[j])) ++j;
    const std::string word = text.substr(i, j - i);
    std::size_t k = 0;
    while (k < parameters.size() && parameters[k] != word) ++k;
    out += k < parameters.size() && k < arguments.size() ? arguments[k] : word;
    i = j;
  }
  return out;
}

void defineEnvironment(const std::string& rest, int level, int fileIndex, int line) {
  std::string name, parameters;
  splitName(rest, name, parameters);
  g_openName = name;
  g_open = model::createEnvironment(name, level, fileIndex, line);
  // The parameters are checked also when the name was taken: the block is
  // then not recorded, but its statement is still wrong.
  if (parameters.empty()) return;
  std::vector<std::string> pieces;
  if (!parenthesisedList(parameters, pieces)) {
    diag::error("ENVPARAME", name);
    return;
  }
  for (const std::string& piece : pieces) {
    if (!isIdentifier(piece)) {
      diag::error("PARAMENVI", piece);
      continue;
    }
    if (!g_open) continue;
    g_open->parameters.push_back(model::intern(level, piece));
    ++g_open->parameterCount;
  }
}

void endEnvironment() {
  if (g_open && g_open->store.empty()) diag::warning("BLENVVIDE", g_openName);
  g_open = nullptr;
}

void forgetOpenEnvironment() { g_open = nullptr; }

void environmentException(const std::string& exception) {
  if (g_open) model::setExpectedException(g_open->store, exception);
}

// Recorded with the statement's text: the variable is analysed for each
// element that uses the environment, once its parameters are replaced.
void environmentVariable(const std::string& rest, bool array, bool structured) {
  if (!g_open) return;
  auto description = std::make_shared<model::VariableDescription>();
  std::string variable, qualifiers;
  splitTopLevel(rest, variable, qualifiers);
  description->variableText = trim(variable);
  description->statementKind = structured ? model::VariableStructured
                               : array    ? model::VariableArray
                                          : model::VariableScalar;
  if (const output::SourceFrame* f = output::currentSource(); f != nullptr && f->line > 0) {
    description->fileNumber = f->includeNumber;
    description->scriptLine = f->line;
    description->scriptFile = diag::currentFile();
    const diag::StatementContext statement = diag::statementContext();
    description->scriptFirstLine = statement.open ? statement.first : f->line;
  }
  model::AccessPath path;
  model::parseAccessPath(description->variableText, g_open->level, path);
  model::insertVariable(g_open->store, path, model::intern(g_open->level, rest), description, false);
}

std::string useName(const std::string& rest) {
  std::string name, arguments;
  splitName(rest, name, arguments);
  return name;
}

void useEnvironment(const std::string& rest, int level) {
  std::string name, argumentPart;
  splitName(rest, name, argumentPart);
  std::vector<model::Handle> arguments;
  if (!argumentPart.empty()) {
    std::vector<std::string> pieces;
    if (!parenthesisedList(argumentPart, pieces)) {
      diag::error("UTIPARAME", name);
      return;
    }
    for (const std::string& piece : pieces) arguments.push_back(model::intern(level, piece));
  }
  model::pushUse(name, level, arguments, level);
}

void applyEnvironments() {
  model::VariableStore* store = model::elementStore();
  if (!store || generator::generationSuppressed()) return;
  // What the element (and each more recent environment) describes.
  std::vector<std::string> described;
  {
    std::vector<model::VariableNode*> nodes;
    collectNodes(store->root.get(), nodes);
    for (const model::VariableNode* n : nodes)
      if (n->description) described.push_back(variableKey(n->description->variableText, false));
  }
  const int top = model::useTop();
  for (int p = top; p >= 1; --p) {
    const model::UseEntry* use = model::useAt(p);
    if (!use || !use->definition) continue;
    const model::EnvironmentDefinition& definition = *use->definition;
    output::tdc::writePosition("E15", definition.fileIndex, definition.line);
    output::tdc::writeLine("U" + definition.nameText());
    std::vector<std::string> parameters, arguments;
    for (model::Handle h : definition.parameters) parameters.push_back(model::text(h));
    for (model::Handle h : use->arguments) arguments.push_back(model::text(h));
    if (store->expectedException.empty() && !definition.store.expectedException.empty()) {
      const std::string exception = substituteParameters(definition.store.expectedException, parameters, arguments);
      if (model::setExpectedException(*store, exception)) generator::genException(exception);
    }
    const int before = store->variableCount;
    model::forEachVariableInScriptOrder(definition.store, [&](const model::VariableNode& node) {
      if (!node.description) return;
      const std::string statement = substituteParameters(model::text(node.descriptionText), parameters, arguments);
      const model::VariableDescription& given = *node.description;
      // The messages about the variable point at the environment's
      // statement, not at the end of the element that uses it.
      const StatementPosition position(given);
      const bool array = given.statementKind == model::VariableArray ||
                         given.statementKind == model::VariableStructured;
      const std::string key = variableKey(statement, array);
      for (const std::string& d : described)
        if (d == key) return;
      // The same array reached through other indexes: both are written,
      // the element's last.
      if (const std::size_t bracket = key.find('['); bracket != std::string::npos)
        for (const std::string& d : described)
          if (d.size() > bracket && d.compare(0, bracket + 1, key, 0, bracket + 1) == 0) {
            diag::warning("INDTABDIF", key);
            break;
          }
      described.push_back(key);
      if (!handleVar(statement, array, given.statementKind == model::VariableStructured, true))
        return;
      // The description lines point at the environment's statement.
      std::vector<model::VariableNode*> nodes;
      collectNodes(store->root.get(), nodes);
      for (model::VariableNode* n : nodes)
        if (n->insertion == store->variableCount - 1 && n->description) {
          n->description->fileNumber = given.fileNumber;
          n->description->scriptLine = given.scriptLine;
        }
    });
    // The defaults are written before the element's own variables, the
    // oldest environment first, so that the more specific value is the one
    // left in place.
    std::vector<model::VariableNode*> nodes;
    collectNodes(store->root.get(), nodes);
    for (model::VariableNode* n : nodes)
      if (n->insertion >= before) n->insertion -= (top - p + 1) * 1000000;
  }
}

}  // namespace zenta::script
