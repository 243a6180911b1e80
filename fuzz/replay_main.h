// The main program of a fuzz target built without libFuzzer
// (ZENTA_FUZZ_REPLAY): it runs the target once on each file named on the
// command line and on each file of each folder named, and prints how many
// inputs it read and how many messages they raised. The test suite replays
// the seed corpus and the regression inputs with it.
//
// Included at the end of the target's source, which defines
// LLVMFuzzerTestOneInput and the message counter g_messages; the target
// names what it does to an input with ZENTA_FUZZ_VERB ("preprocessed").
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
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
  std::printf("%zu inputs %s, %d messages\n", files.size(), ZENTA_FUZZ_VERB, g_messages);
  return files.empty() ? 1 : 0;
}
