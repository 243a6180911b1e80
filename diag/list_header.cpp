#include "diag/list_header.h"

#include "diag/report.h"
#include "diag/run_info.h"
#include "support/text.h"

namespace zenta::diag {
namespace {

constexpr std::size_t kFrameWidth = 77;
constexpr int kCommandWidth = 63;
constexpr std::size_t kCommandLimit = 20479;
const char kCommandLead[] = "* COMMANDE : ";
const char kCommandFollow[] = "*            ";  // lines up with the text after kCommandLead

std::string framed(const std::string& text) {
  if (text.size() >= kFrameWidth) return text + " *";
  return text + std::string(kFrameWidth - text.size(), ' ') + "*";
}

}  // namespace

std::vector<std::string> listHeaderLines(const std::string& commandText, const std::string& scriptName,
                                         const std::string& runDate) {
  const std::string stars(78, '*');
  std::vector<std::string> lines;
  lines.push_back(stars);
  lines.push_back(framed(std::string(kProgramTitle) + " " + kVersion));
  lines.push_back(framed("*"));

  std::string rest = commandText.substr(0, kCommandLimit);
  const char* lead = kCommandLead;
  if (rest.size() > static_cast<std::size_t>(kCommandWidth)) {
    std::string piece;
    std::string remainder;
    while (rest.size() > static_cast<std::size_t>(kCommandWidth) &&
           support::cut(rest, "/", " ,;()", kCommandWidth, support::kLangCpp, piece, remainder)) {
      lines.push_back(framed(lead + piece));
      lead = kCommandFollow;
      rest = remainder;
    }
  }
  lines.push_back(framed(lead + rest));

  lines.push_back(framed("* FICHIER : " + scriptName));
  lines.push_back(framed("* DATE : " + runDate));
  lines.push_back(framed("*"));
  lines.push_back(stars);
  return lines;
}

void writeListHeader(const std::string& commandText, const std::string& scriptName, const std::string& runDate) {
  std::string box;
  for (const std::string& line : listHeaderLines(commandText, scriptName, runDate)) box += line + "\n";
  box.pop_back();  // the writer ends every line itself
  writeToListFileWrapped(box);
}

}  // namespace zenta::diag
