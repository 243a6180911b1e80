// The compiler's command: option table, checks and the settings they produce.
#pragma once

#include <string>
#include <vector>

#include "cmdline/decoder.h"
#include "cmdline/settings.h"

namespace zenta::cmdline {

// Decodes the command line into the settings (cmdline/settings.h); ends the
// run itself on a fatal error: a decoder error is the fatal "CMDFATALE"
// after the decoder's own line, an unknown language the fatal "LANGINCON".
// Also applies the display limits of -E/-W, prints the "-XT" trace lines and
// clears the sub-system flag, which the C++ language never keeps.
void analyseCommand(int argc, char** argv);

// Whether the command line asks for the IDE message form (-MESSAGES=IDE),
// read without any message or other effect, so that the lines printed
// before the command line is analysed take that form too. A command that
// does not decode gives false (the classic form).
bool ideMessagesRequested(int argc, char** argv);

// The in-process part of analyseCommand, which never exits: fills the
// settings (after resetting them) and reports the warnings of the checks.
// The sub-system flag is left as decoded.
struct CommandResult {
  enum Outcome { Ok, DecoderError, UnknownLanguage } outcome = Ok;
  std::string detail;  // the decoder's error line, or the unknown language
};
CommandResult decodeCommand(const std::vector<std::string>& arguments, const Decoder::Sink& errorSink = {});

// The compiler's command descriptor: positional arguments, the 47 options in
// table order, their allowed values, forbidden combinations and usage text.
CommandDescriptor compilerCommand();

// The usage text of the English column, exactly as printed (before the
// decoder removes its "-XT" line).
const std::string& usageText();

// The canonical command text of a set of settings.
std::string canonicalCommandText(const Settings& s);

}  // namespace zenta::cmdline
