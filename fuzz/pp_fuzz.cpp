// Fuzz target of the preprocessor: each input is preprocessed as a header
// text by a preprocessor set up from scratch. Any crash, sanitizer report or
// hang is a fault; messages are expected and only counted.
//
// Built with clang's -fsanitize=fuzzer it is a libFuzzer target. Built
// without it (ZENTA_FUZZ_REPLAY) it is a plain program that preprocesses the
// files and folders named on its command line once each: the test suite
// replays the seed corpus and the regression inputs with it.
#include <cstddef>
#include <cstdint>
#include <string>

#include "analyser/basic/target_widths.h"
#include "analyser/lex/preprocessor.h"

namespace {

int g_messages = 0;

void count(int, const char*, const std::string&, const std::string&, int) { ++g_messages; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zenta::analyser;
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

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

int main(int argc, char** argv) {
  namespace fs = std::filesystem;
  std::vector<fs::path> files;
  for (int i = 1; i < argc; ++i) {
    fs::path p(argv[i]);
    if (fs::is_directory(p)) {
      for (const auto& e : fs::directory_iterator(p))
        if (e.is_regular_file()) files.push_back(e.path());
    } else {
      files.push_back(p);
    }
  }
  for (const auto& f : files) {
    std::ifstream in(f, std::ios::binary);
    if (!in) {
      std::fprintf(stderr, "cannot read %s\n", f.c_str());
      return 2;
    }
    std::string data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(data.data()), data.size());
  }
  std::printf("%zu inputs preprocessed, %d messages\n", files.size(), g_messages);
  return files.empty() ? 1 : 0;
}

#endif
