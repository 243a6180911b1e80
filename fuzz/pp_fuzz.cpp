// Fuzz target of the preprocessor: each input is preprocessed as a header
// text by a preprocessor set up from scratch. Any crash, sanitizer report or
// hang is a fault; messages are expected and only counted.
//
// An input whose first byte is 1 to 5 is read in a dialect of the standard
// (C++11, C++14, C++17, C++20, C++23) from its second byte on; any other
// input is read whole in the classic language, so plain text seeds stay
// what they were.
//
// Built with clang's -fsanitize=fuzzer it is a libFuzzer target. Built
// without it (ZENTA_FUZZ_REPLAY) it is a plain program that preprocesses the
// files and folders named on its command line once each: the test suite
// replays the seed corpus and the regression inputs with it.
#include <cstddef>
#include <cstdint>
#include <string>

#include "analyser/basic/dialect.h"
#include "analyser/basic/target_widths.h"
#include "analyser/lex/preprocessor.h"

#include "message_count.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zenta::analyser;
  Dialect d = Dialect::Classic;
  if (size > 0 && data[0] >= 1 && data[0] <= 5) {
    d = static_cast<Dialect>(data[0]);
    ++data;
    --size;
  }
  setDialect(d);
  resetPreprocessor();
  resetTargetWidths();
  setPreprocessorHook(count);
  init_preprocessor(false, false, 0, {"FUZZ=1"}, {}, std::string(), preprocessorMacroTable(), false);
  std::string text(reinterpret_cast<const char*>(data), size);
  std::string out;
  preprocess_text(text, false, "fuzz.h", 0, out, preprocessorMacroTable(), count);
  close_preprocessor();
  return 0;
}

#ifdef ZENTA_FUZZ_REPLAY
#define ZENTA_FUZZ_VERB "preprocessed"
#include "replay_main.h"
#endif
