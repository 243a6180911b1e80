// Fuzz target of the declaration lexer and parser: each input is read as
// preprocessed header text in a dialect and its declarations recorded in
// tables of their own, twice: into file scope, then again into the scope of a namespace the
// first pass may have opened (redeclarations, merges and conflicts), and the
// dump of what was recorded is written. Any crash, sanitizer report or hang
// is a fault; messages are expected and only counted. An input whose first
// byte is below 6 is read in the dialect that byte numbers (0 plain C++, 1
// C++11 ... 5 C++23) from its second byte on; any other input is plain C++
// from its first byte, so that seeds written as text stay what they were.
//
// Built with clang's -fsanitize=fuzzer it is a libFuzzer target. Built
// without it (ZENTA_FUZZ_REPLAY) it is a plain program that reads the files
// and folders named on its command line once each: the test suite replays
// the seed corpus and the regression inputs with it.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "analyser/basic/dialect.h"
#include "analyser/basic/target_widths.h"
#include "analyser/parse/decl_parser.h"
#include "support/report_hook.h"

#include "message_count.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zenta::analyser;
  if (size > 65536) return 0;
  Dialect dialect = Dialect::Classic;
  if (size > 0 && data[0] <= static_cast<std::uint8_t>(Dialect::Cxx23)) {
    dialect = static_cast<Dialect>(data[0]);
    ++data;
    --size;
  }
  setDialect(dialect);
  resetTargetWidths();
  zenta::support::setReportHook(countSupport);
  AstContext ctx;
  ctx.setMessageHook(count);
  ctx.registerTypeModifier("__far");
  SymbolTable table(ctx);
  const std::string text(reinterpret_cast<const char*>(data), size);
  DeclarationLog log;
  DeclarationRequest request;
  request.buffer = text;
  request.hook = count;
  request.log = &log;
  analyseDeclarations(ctx, table, request);
  request.scope = table.scopeCount() > 1 ? 1 : kGlobalScope;
  analyseDeclarations(ctx, table, request);
  const std::string dump = dumpDeclarations(log, table);
  g_messages += static_cast<int>(dump.size()) & 1;
  resetTargetWidths();
  setDialect(Dialect::Classic);
  return 0;
}

#ifdef ZENTA_FUZZ_REPLAY
#define ZENTA_FUZZ_VERB "analysed"
#include "replay_main.h"
#endif
