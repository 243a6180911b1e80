// A generic, table-driven command-line decoder.
//
// It knows nothing of the compiler: a CommandDescriptor lists the positional
// arguments, the options (names in three columns: French, French with
// accented letters, English), their values, allowed values and forbidden
// combinations, and the usage text. Decode expands option files and
// environment references, then analyses the arguments against the table and
// reports the first violation with one of its fixed messages followed by the
// usage text. Decode never exits: the caller decides what an error means.
//
// Choices of this decoder beyond the classic rules:
// - An argument that begins with "/" and matches no option name is taken as
//   a positional argument, so that absolute paths work as file arguments.
//   With "-" an unknown name stays an error.
// - "-option=file" is also recognised inside an option file, so option files
//   may nest (an "@" inside an option file is an ordinary token). Nesting is
//   bounded by kMaxOptionFileDepth ("Option files nested too deeply,"); a file
//   that names itself directly or through others is refused ("Option file
//   refers to itself,"); the bytes read from option files are bounded by
//   kMaxOptionFileBytes ("Option file too large,"). Only regular files are
//   option files: a directory, device or pipe is "File not found".
// - A NUL byte in an option file separates tokens; inside double quotes it is
//   dropped. An unbalanced double quote ends at the end of the file.
// - Environment references are replaced in one pass: a substituted value is
//   not scanned again.
#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace zenta::cmdline {

// The decoder's messages, by number.
enum DecoderMessage {
  MsgValueTooSmall = 0,        // "Arg value too small,"
  MsgValueTooLarge = 1,        // "Arg value too large,"
  MsgLengthTooSmall = 2,       // "Arg length too small,"
  MsgLengthTooLarge = 3,       // "Arg length too large,"
  MsgTooManyArguments = 4,     // "Too many arguments invalid argument,"
  MsgArgumentListForbidden = 5,
  MsgUnknownOption = 6,
  MsgInvalidCharacter = 7,
  MsgOptionTwice = 8,
  MsgMandatoryArgument = 9,
  MsgNoArgument = 10,
  MsgOptionListForbidden = 11,
  MsgArgumentMissing = 12,
  MsgAmbiguousOption = 13,
  MsgUnknownValue = 14,
  MsgAmbiguousValue = 15,
  MsgIllegalCombination = 16,
  MsgFileNotFound = 17,
  MsgNoMemory = 18,
  MsgCommandAnalysis = 19,
  MsgBadOptionName = 20,
  // Option-file protections (hostile or mistaken option files).
  MsgOptionFileRecursive = 21,  // "Option file refers to itself,"
  MsgOptionFileTooDeep = 22,    // "Option files nested too deeply,"
  MsgOptionFileTooLarge = 23,   // "Option file too large,"
  DecoderMessageCount
};

// The untranslated English text of a decoder message.
const char* decoderMessageText(int number);

// Name columns.
constexpr int kFrench = 0;
constexpr int kFrenchAccented = 1;
constexpr int kEnglish = 2;
using Names = std::array<std::string, 3>;

// One value given to an option or a positional argument.
struct Value {
  std::string text;  // the string (for allowed values: the English name)
  long number = 0;   // the number, for integer types
};

// A positional argument, or the value part of an option.
struct ArgumentDescriptor {
  Names names;
  char type = 'C';      // 'C' string, 'I' integer, 'L' long integer
  bool list = false;    // several values separated by the list separator
  long lower = 1;       // 'C': bounds of the length; 'I'/'L': bounds of the value
  long upper = 255;
  bool optional = false;  // positional only: may be missing
  std::vector<Value> values;  // filled by Decode
};

struct AllowedValue {
  Names names;
  bool selected = false;  // filled by Decode
};

struct OptionDescriptor {
  Names names;
  bool takesValue = false;
  ArgumentDescriptor value;  // meaningful when takesValue
  bool negatable = false;    // also exists as "NO" + name
  bool defaultOn = false;
  int defaultValue = 0;      // 1-based index into allowed; 0 for none
  std::vector<AllowedValue> allowed;
  int given = 0;             // filled by Decode: 0, +1 given, -1 negated
};

// One side of a forbidden combination.
struct CombinationElement {
  enum Kind { Option, Positional, AllowedValueOf } kind = Option;
  int index = 0;       // 0-based option or positional index
  int valueIndex = 0;  // 0-based allowed value (AllowedValueOf)
  bool present = true; // false: the element counts when it is absent
};

struct CombinationRule {
  CombinationElement first, second;
};

struct CommandDescriptor {
  std::string programName;
  std::vector<ArgumentDescriptor> positionals;
  std::vector<OptionDescriptor> options;
  std::vector<CombinationRule> combinations;
  Names usage;  // usage text per name column
};

// The error of a failed Decode.
struct DecodeError {
  int message = -1;        // DecoderMessage, -1 when none
  std::string offending;   // the offending text (may be empty)
  std::string line;        // the full text written to the error sink
};

class Decoder {
 public:
  using Sink = std::function<void(const std::string&)>;

  // Limits that protect against hostile option files.
  static constexpr int kMaxOptionFileDepth = 16;
  static constexpr std::size_t kMaxOptionFileBytes = 16u << 20;

  explicit Decoder(CommandDescriptor descriptor);

  // Where error lines go; by default the standard error stream.
  void setErrorSink(Sink sink) { sink_ = std::move(sink); }

  // Expands and analyses the arguments (the first is the program name).
  // Returns 0 on success, non-zero after one reported error. May be called
  // once per Decoder.
  int decode(int argc, char** argv);
  int decode(const std::vector<std::string>& arguments);

  // 1-based position of the option whose English name is `name`: +position
  // when given, -position when negated, 0 when not given. A name not in the
  // table reports "Internal error, bad option name" and gives 0.
  int optionIndex(const std::string& name);
  // The k-th (1-based) value of the option at a signed position (sign
  // ignored), or nullptr.
  const Value* optionValue(int position, int k) const;
  // All values of the option at a signed position (empty when none).
  const std::vector<Value>& optionValues(int position) const;
  // The k-th (1-based) value of the n-th (1-based) positional, or nullptr.
  const Value* positionalValue(int n, int k) const;

  const CommandDescriptor& descriptor() const { return d_; }
  const DecodeError& error() const { return error_; }
  // The argument vector after the expansion pass.
  const std::vector<std::string>& expandedArguments() const { return expanded_; }

  // Replaces $NAME and %NAME% references by the environment variable's value;
  // a reference to an unset variable stays as written.
  static std::string expandEnvironment(const std::string& text);

 private:
  bool fail(int message, const std::string& offending);
  bool expand(const std::vector<std::string>& in);
  bool readOptionFile(const std::string& name, int depth, std::vector<std::string>& out);
  bool analyse();
  bool analyseOption(const std::string& arg, bool slash, bool& notAnOption);
  bool analysePositional(const std::string& arg);
  bool addValue(ArgumentDescriptor& target, std::string piece, const std::string& arg,
                std::vector<AllowedValue>* allowed);
  bool finish();
  bool elementHolds(const CombinationElement& e) const;
  std::string elementName(const CombinationElement& e) const;

  CommandDescriptor d_;
  Sink sink_;
  DecodeError error_;
  std::vector<std::string> expanded_;
  std::vector<std::string> fileChain_;  // option files being read, outermost first
  std::size_t fileBytes_ = 0;
  std::size_t nextPositional_ = 0;
};

}  // namespace zenta::cmdline
