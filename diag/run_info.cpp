#include "diag/run_info.h"

#include <cctype>
#include <ctime>

namespace zenta::diag {
namespace {
int g_headerLanguage = HeaderEnglish;
std::string& dateText() {
  static std::string date;
  return date;
}
}  // namespace

std::string bannerText() {
  return std::string(kBrandWords) + " " + kProductName + " " + kProgramTitle + " " + kVersion;
}

int headerLanguage() { return g_headerLanguage; }
void setHeaderLanguage(int language) {
  g_headerLanguage = (language >= HeaderFrench && language <= HeaderEnglish) ? language : HeaderEnglish;
}

int headerLanguageFromEnvironment(const char* value) {
  if (!value) return HeaderEnglish;
  std::string upper(value);
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  if (upper == "FR") return HeaderFrench;
  if (upper == "FA") return HeaderFrenchAccented;
  return HeaderEnglish;  // "GB" and anything else, without a message
}

const std::string& runDate() { return dateText(); }
void setRunDate(const std::string& date) { dateText() = date; }

std::string currentDateText() {
  const std::time_t now = std::time(nullptr);
  char buffer[64] = {};
  // ctime's layout, "Www Mmm dd hh:mm:ss yyyy\n", in English whatever the locale.
  if (!ctime_r(&now, buffer)) return {};
  std::string text(buffer);
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
  return text;
}

}  // namespace zenta::diag
