// Product texts and the run-wide facts that the start-up settles once and
// other modules read: the header-comment language and the run date.
#pragma once

#include <string>

namespace zenta::diag {

inline constexpr const char* kBrandWords = "Zenta";
inline constexpr const char* kProductName = "Quartolab";
inline constexpr const char* kProgramTitle = "Deprecated C++ Test Script Compiler";
inline constexpr const char* kVersion = "8.3.0.1.342.020";
inline constexpr const char* kCopyright =
    "Copyright (C) 2026 Zenta Software. All rights reserved.";

// "Zenta Quartolab Deprecated C++ Test Script Compiler 8.3.0.1.342.020".
std::string bannerText();

// Header-comment language: 0 French ("FR"), 1 French variant ("FA"),
// 2 English ("GB", the default). 0 and 1 both select the French words.
enum HeaderLanguage { HeaderFrench = 0, HeaderFrenchAccented = 1, HeaderEnglish = 2 };
int headerLanguage();
void setHeaderLanguage(int language);
// The language that a ZENTALAN value selects: the value is upper-cased and
// compared with "FR", "FA", "GB"; no value or any other value gives English.
int headerLanguageFromEnvironment(const char* value);

// The run date in the C library's ctime form without the newline, e.g.
// "Sat Dec  5 15:07:17 2026". Empty until the start-up sets it.
const std::string& runDate();
void setRunDate(const std::string& date);
// The ctime text of the current local time, newline removed.
std::string currentDateText();

}  // namespace zenta::diag
