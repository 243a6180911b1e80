// `#pragma once` in a dialect: a header that says it is read once however
// often it is included; the classic language reads it each time.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

#include "analyser/basic/dialect.h"
#include "pp_support.h"

namespace fs = std::filesystem;
using namespace zenta::analyser;

namespace {

int occurrences(const std::string& text, const std::string& word) {
  int n = 0;
  for (std::size_t i = text.find(word); i != std::string::npos; i = text.find(word, i + 1)) ++n;
  return n;
}

TEST(PragmaOnce, AHeaderIsReadOnceInADialect) {
  const fs::path dir = fs::temp_directory_path() / ("zenta-pp-once-" + std::to_string(::getpid()));
  fs::create_directories(dir);
  std::ofstream(dir / "once.h") << "#pragma once\nint once_marker;\n";
  std::ofstream(dir / "again.h") << "int again_marker;\n";
  std::ofstream(dir / "inner.h") << "#include \"once.h\"\n";
  const std::string text = "#include \"once.h\"\n#include \"inner.h\"\n#include <once.h>\n"
                           "#include \"again.h\"\n#include \"again.h\"\n";
  const struct {
    Dialect dialect;
    int once;
  } cases[] = {{Dialect::Cxx11, 1}, {Dialect::Cxx20, 1}, {Dialect::Classic, 3}};
  for (const auto& c : cases) {
    setDialect(c.dialect);
    pptest::fresh({}, {dir.string()});
    const std::string out = pptest::run(text, (dir / "main.c").string());
    EXPECT_EQ(occurrences(out, "once_marker"), c.once) << dialectName(c.dialect) << "\n" << out;
    EXPECT_EQ(occurrences(out, "again_marker"), 2) << dialectName(c.dialect);
    EXPECT_TRUE(pptest::messages().empty()) << dialectName(c.dialect);
    // A new run reads the header again.
    pptest::fresh({}, {dir.string()});
    EXPECT_EQ(occurrences(pptest::run("#include <once.h>\n", (dir / "next.c").string()), "once_marker"), 1);
  }
  setDialect(Dialect::Classic);
  zenta::analyser::resetPreprocessor();
  fs::remove_all(dir);
}

}  // namespace
