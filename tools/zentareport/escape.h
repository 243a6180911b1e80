// Texts of the inputs are 8-bit and untrusted: they are made safe for each
// output before they are written.
#pragma once

#include <string>

namespace zenta::report {

// Valid UTF-8 as it stands; every byte that is not part of a valid UTF-8
// sequence is read as Latin-1.
std::string toUtf8(const std::string& text);

// Text for XML and HTML, in content and in attributes: UTF-8, the markup
// characters and line breaks as references, characters that XML forbids
// replaced by U+FFFD.
std::string markup(const std::string& text);

// Text for a terminal: UTF-8, control characters (C0 and C1) replaced by
// "?", so that no input can send escape sequences.
std::string printable(const std::string& text);

}  // namespace zenta::report
