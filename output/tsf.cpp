#include "output/tsf.h"

#include "output/files.h"

namespace zenta::output::tsf {

std::string quoted(const std::string& text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '"' || c == '\\') out += '\\';
    out += c;
  }
  out += '"';
  return out;
}

std::vector<std::string> openingLines(const std::string& scriptPath, const std::string& scriptFileName) {
  return {
      "DB \"Kestrel-Tracer\"",
      "SO " + quoted(scriptPath) + " 000 \"txt\"",
      "IN \"File\" 9 \"" + scriptFileName + "\"",
      "TX 4 \"Parameters OK\"",
      "TX 5 \"Test Parameters Failed\"",
  };
}

void writeOpeningLines(const std::string& scriptPath, const std::string& scriptFileName) {
  for (const std::string& line : openingLines(scriptPath, scriptFileName)) writeLine(line);
}

void writeLine(const std::string& text) { output::writeLine(Tsf, text); }

}  // namespace zenta::output::tsf
