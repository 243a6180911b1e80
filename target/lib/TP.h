// Zenta target package: the runtime that generated C++ harnesses compile
// against.
//
// Header only, C++11 and later. It supplies the object `zenta_run` whose
// members the harness calls to declare services, tests and repetitions, to
// record initial values, to check results and to report exceptions, plus the
// harness macros (ZNU_*, ZNW_*, NOVA_MAIN_RETURN) and the words NIL and NONIL.
//
// At run time the harness opens its results file through OPF_CPP and every
// declaration, check, exception and repetition becomes one text record of
// that file, carrying the results line number of the test-description line
// that describes it. The record format is documented in target/README.md
// of the source tree; in short, one record a line:
//
//   ZRIO 1                                   first line, format version
//   OPF "<results file>"                     the file was opened
//   OP <n> "<service>"                       service declared (DCL_OP_CPP)
//   TS <n> "<test>"                          test declared (DCL_TST_CPP)
//   REP <n> <count>                          repetition factor
//   INIT <n> <kind> <value>                  initial value recorded
//   CHECK <n> PASS|FAIL|EDIT <kind> <value> <min> <max>
//   EXCEP <n> PASS|FAIL <code> ["<type>"]    <n>: the open test's line, else the service's
//   LIST <n> PASS|FAIL <what> ["<item>"]     list checks
//   BRA <n> OPEN|CLOSE|ERROR, TAB <n> ..., CST <n> ..., RUPT <depth>
//   STUB <k> <calls>                         calls seen by stub k
//   CHRONO <n> <microseconds>                time of an element's call
//   END <checks> <passed> <failed>           written by CLF_CPP
//
// The analyser of the test compiler reads this header with ZENTA defined:
// it then sees only the words and a plain declaration of the runtime
// object, not the implementation nor the standard headers.
#ifndef ZENTA_TP_H
#define ZENTA_TP_H

// ---------------------------------------------------------------- words
// NIL is the null pointer; NONIL, "any pointer but the null pointer", is an
// address that no object can have; ZENTA_INT converts array slice indexes.
// The compiled forms stay silent under -Wold-style-cast and
// -Wzero-as-null-pointer-constant; the analyser reads the plain C form of
// ZENTA_INT. It does not see NIL and NONIL: the script's values keep the two
// words through the preprocessor, so that the compiler knows a pointer set
// to NONIL is left as it is, and writes them back in the description.
#ifdef ZENTA
#ifndef ZENTA_INT
#define ZENTA_INT(x) ((int)(x))
#endif
#else
#ifndef NIL
#define NIL nullptr
#endif
#ifndef NONIL
#define NONIL (reinterpret_cast<void *>(1))
#endif
#ifndef ZENTA_INT
#define ZENTA_INT(x) (static_cast<int>(x))
#endif
#endif
// Size of the character strings that stubs keep for each call.
#ifndef ZNU_STRING_SIZE
#define ZNU_STRING_SIZE 512
#endif

// ---------------------------------------------------------- list macros
// Lists are handled only through these macros; the defaults serve the
// standard sequence containers (std::list, std::deque, std::vector). A test
// can define its own before including this header.
#ifndef ZNW_LST_EMPTY
#define ZNW_LST_EMPTY(l) ((l).empty())
#endif
#ifndef ZNW_LST_FRONT
#define ZNW_LST_FRONT(l) ((l).front())
#endif
#ifndef ZNW_LST_COMPARE
#define ZNW_LST_COMPARE(a, b) ((a) == (b))
#endif
#ifndef ZNW_LST_ERASE_BEGIN
#define ZNW_LST_ERASE_BEGIN(l) ((l).erase((l).begin()))
#endif
#ifndef ZNW_LST_CLEAR
#define ZNW_LST_CLEAR(l) ((l).clear())
#endif
#ifndef ZNW_LST_INSERT_BEGIN
#define ZNW_LST_INSERT_BEGIN(l, x) ((l).insert((l).begin(), (x)))
#endif

// ------------------------------------------------- exception copy macros
// The caught object is copied into the element's exception variable, which
// the test class allocated from the EXCEPTION expression.
#ifndef ZNW_EXCEP_REFCPY
#define ZNW_EXCEP_REFCPY(destination, caught) (*(destination) = (caught))
#endif
#ifndef ZNW_EXCEP_PTRCPY
#define ZNW_EXCEP_PTRCPY(destination, caught) \
  do {                                         \
    if (caught) *(destination) = *(caught);    \
  } while (0)
#endif

#ifdef ZENTA
// What the test compiler's analyser needs to know: the object and its two
// assignable numbers.
class ZentaRuntimeAnalysed {
 public:
  int NUM_OPERATION;
  int NUM_TEST;
};
extern ZentaRuntimeAnalysed zenta_run;
#else  // ZENTA

#include <chrono>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

// The recorder takes a printf format: GNU compilers check every call's
// arguments against it.
#if defined(__GNUC__)
#define ZENTA_TP_PRINTF_LIKE(formatIndex, firstIndex) \
  __attribute__((__format__(__printf__, formatIndex, firstIndex)))
#else
#define ZENTA_TP_PRINTF_LIKE(formatIndex, firstIndex)
#endif

namespace zenta_tp {

// The runtime proper. Every member is called as a statement by the harness.
class Runtime {
 public:
  int NUM_OPERATION;
  int NUM_TEST;

  Runtime()
      : NUM_OPERATION(0),
        NUM_TEST(0),
        file_(nullptr),
        checks_(0),
        passed_(0),
        failed_(0),
        currentTest_(0),
        currentService_(0),
        lastRepetition_(-1),
        ringNext_(0),
        chronoRunning_(false),
        finished_(false) {}
  ~Runtime() { closeFile(); }

  // ---- program frame
  void INIT_DATA_CPP(int argc, char** argv) {
    if (argc > 0 && argv && argv[0]) program_ = argv[0];
  }
  void OPF_CPP(const char* name) {
    closeFile();
    std::string path = overridePath(name);
    file_ = std::fopen(path.c_str(), "w");
    if (!file_) {
      std::fprintf(stderr, "zenta: cannot write the results file %s\n", path.c_str());
      return;
    }
    std::fprintf(file_, "ZRIO 1\n");
    std::fprintf(file_, "OPF %s\n", quoted(path.c_str()).c_str());
  }
  void CLF_CPP(const char* /*name*/) {
    if (file_) {
      std::fprintf(file_, "END %ld %ld %ld\n", checks_, passed_, failed_);
      closeFile();
    }
  }
  // The status main returns: 0 when every check passed, 1 otherwise. The
  // verdict summary is printed once, here.
  int MAIN_RETURN_CPP() {
    if (!finished_) {
      finished_ = true;
      std::printf("zenta: %ld checks, %ld passed, %ld failed\n", checks_, passed_, failed_);
      std::fflush(stdout);
    }
    return failed_ == 0 ? 0 : 1;
  }
  void END_TEST_CPP() { currentTest_ = 0; }
  void SET_TRACES_FILE_CPP(const char* name) { tracesFile_ = name ? name : ""; }

  // ---- declarations
  void DCL_OP_CPP(long line, const char* name) {
    currentService_ = line;
    record("OP %ld %s", line, quoted(name).c_str());
  }
  void DCL_TST_CPP(long line, const char* name) {
    currentTest_ = line;
    lastRepetition_ = -1;
    record("TS %ld %s", line, quoted(name).c_str());
  }
  // The call stands in the check part of every element of a repeated test;
  // the factor is recorded once per test pass.
  void DCL_FAC_REP_CPP(long line, long count) {
    if (line == lastRepetition_) return;
    lastRepetition_ = line;
    record("REP %ld %ld", line, count);
  }

  // ---- element timing
  void START_CHRONO_CPP() {
    chronoStart_ = std::chrono::steady_clock::now();
    chronoRunning_ = true;
  }
  void STOP_CHRONO_CPP() {
    if (!chronoRunning_) return;
    chronoRunning_ = false;
    long long us = static_cast<long long>(std::chrono::duration_cast<std::chrono::microseconds>(
                                              std::chrono::steady_clock::now() - chronoStart_)
                                              .count());
    record("CHRONO %ld %lld", currentTest_, us);
  }

  // ---- exceptions: 0 service or program, 1 initialisation or test,
  // 2 call, 3 checks, 5 expected exception not raised, 6 expected raised.
  void EXCEP_CPP(int code) { exception(code, nullptr); }
  void EXCEP_CPP(int code, const char* type) { exception(code, type); }

  // ---- initial values
  void PTU_INTEGER_CPP(long value, long line, int base = 10) {
    record("INIT %ld integer %s", line, integerText(value, base).c_str());
  }
  void PTU_UNSIGNED_CPP(unsigned long value, long line, int base = 10) {
    record("INIT %ld unsigned %s", line, unsignedText(value, base).c_str());
  }
  void PTU_BOOLEAN_CPP(long value, long line) { record("INIT %ld boolean %s", line, value ? "true" : "false"); }
  void PTU_CHAR_CPP(char value, long line) { record("INIT %ld char %s", line, charText(value).c_str()); }
  void PTU_FLOAT_CPP(float value, long line) { record("INIT %ld float %s", line, floatText(value).c_str()); }
  void PTU_DOUBLE_CPP(double value, long line) { record("INIT %ld double %s", line, floatText(value).c_str()); }
  void PTU_LONG_DOUBLE_CPP(long double value, long line) {
    record("INIT %ld longdouble %s", line, floatText(value).c_str());
  }
  // Copies the source string into the destination; records it when asked.
  void INI_STR_CPP(char* destination, int recorded, long line, const char* source) {
    if (!source) source = "";
    if (destination) std::memcpy(destination, source, std::strlen(source) + 1);
    if (recorded) record("INIT %ld string %s", line, quoted(source).c_str());
  }
  // Concatenates a list of pieces ended by a null pointer. The result lives
  // in one of a ring of buffers, so that two results can be passed in the
  // same call.
  char* CONCAT_STR_CPP(const char* first, ...) {
    std::string& out = ring_[ringNext_];
    ringNext_ = (ringNext_ + 1) % kRing;
    out.clear();
    if (first) {
      out += first;
      va_list pieces;
      va_start(pieces, first);
      for (const char* p = va_arg(pieces, const char*); p; p = va_arg(pieces, const char*)) out += p;
      va_end(pieces);
    }
    return &out[0];
  }

  // ---- checks. `checked` is the leading argument: 1 compares the value
  // with its bounds, 0 only records it. `range` tells a range check (bounds
  // min..max) from an expected value (min and max alike).
  void EDV_INTEGER_CPP(int checked, int range, long value, long line, int base, long min, long max) {
    check(checked, range, value >= min && value <= max, line, "integer", integerText(value, base),
          integerText(min, base), integerText(max, base));
  }
  void EDV_UNSIGNED_CPP(int checked, int range, unsigned long value, long line, int base, unsigned long min,
                        unsigned long max) {
    check(checked, range, value >= min && value <= max, line, "unsigned", unsignedText(value, base),
          unsignedText(min, base), unsignedText(max, base));
  }
  void EDV_CHAR_CPP(int checked, int range, char value, long line, char min, char max) {
    check(checked, range, value >= min && value <= max, line, "char", charText(value), charText(min),
          charText(max));
  }
  void EDV_FLOAT_CPP(int checked, int range, float value, long line, float min, float max) {
    check(checked, range, value >= min && value <= max, line, "float", floatText(value), floatText(min),
          floatText(max));
  }
  void EDV_DOUBLE_CPP(int checked, int range, double value, long line, double min, double max) {
    check(checked, range, value >= min && value <= max, line, "double", floatText(value), floatText(min),
          floatText(max));
  }
  void EDV_LONG_DOUBLE_CPP(int checked, int range, long double value, long line, long double min,
                           long double max) {
    check(checked, range, value >= min && value <= max, line, "longdouble", floatText(value), floatText(min),
          floatText(max));
  }
  void EDV_STR_CPP(int checked, int range, const char* value, long line, const char* min, const char* max) {
    const char* v = value ? value : "";
    const char* lo = min ? min : "";
    const char* hi = max ? max : "";
    bool ok = range ? (std::strcmp(v, lo) >= 0 && std::strcmp(v, hi) <= 0) : std::strcmp(v, lo) == 0;
    check(checked, range, ok, line, "string", quoted(v), quoted(lo), quoted(hi));
  }
  void EDV_POINTER_CPP(int checked, int range, const void* value, long line, const void* expected) {
    bool ok;
    std::string want;
    if (expected == NONIL) {
      ok = value != nullptr;
      want = "NONIL";
    } else {
      ok = value == expected;
      want = expected ? pointerText(expected) : std::string("NIL");
    }
    check(checked, range, ok, line, "pointer", value ? pointerText(value) : std::string("NIL"), want, want);
  }

  // ---- structures, constant blocks, arrays
  void OPEN_BRA_CPP(long line) { record("BRA %ld OPEN", line); }
  void CLOSE_BRA_CPP(long line) { record("BRA %ld CLOSE", line); }
  // An exception while checking a structured variable.
  void ERV_CPP(long line) {
    count(false);
    record("BRA %ld ERROR", line);
  }
  void SET_MODE_CST_CPP(long line) { record("CST %ld OPEN", line); }
  void UNSET_MODE_CST_CPP(long line) { record("CST %ld CLOSE", line); }
  void SET_MODE_TAB_CPP(long line) { record("TAB %ld OPEN", line); }
  void UNSET_MODE_TAB_CPP(long line) { record("TAB %ld CLOSE", line); }
  void RUPT_CPP(long depth) { record("RUPT %ld", depth); }

  // ---- lists
  void EDV_LST_TEST_ITEM_CPP(const char* item, bool equal, long line) {
    count(equal);
    record("LIST %ld %s ITEM %s", line, equal ? "PASS" : "FAIL", quoted(item).c_str());
  }
  void EDV_LST_ITEM_NOT_FOUND_CPP(const char* item, long line) {
    count(false);
    record("LIST %ld FAIL MISSING %s", line, quoted(item).c_str());
  }
  void EDV_LST_ITEM_NOT_EXPECTED_CPP(long line) {
    count(false);
    record("LIST %ld FAIL UNEXPECTED", line);
  }

  // ---- stubs: the number of calls a stub received in the element.
  void EDV_CHRONO_MUET_CPP(long stub, long /*reserved*/, long calls) { record("STUB %ld %ld", stub, calls); }

  // Counters, for tests of the runtime itself.
  long checks() const { return checks_; }
  long passed() const { return passed_; }
  long failed() const { return failed_; }

 private:
  static const int kRing = 8;

  Runtime(const Runtime&) = delete;
  Runtime& operator=(const Runtime&) = delete;

  void closeFile() {
    if (file_) {
      std::fclose(file_);
      file_ = nullptr;
    }
  }
  // ZENTA_RESULTS, when set, replaces the results path named by the harness.
  static std::string overridePath(const char* name) {
    const char* env = std::getenv("ZENTA_RESULTS");
    if (env && *env) return env;
    return name ? name : "";
  }
  void count(bool ok) {
    ++checks_;
    if (ok)
      ++passed_;
    else
      ++failed_;
  }
  void check(int checked, int range, bool ok, long line, const char* kind, const std::string& value,
             const std::string& min, const std::string& max) {
    const char* verdict = "EDIT";
    if (checked) {
      count(ok);
      verdict = ok ? "PASS" : "FAIL";
    }
    if (range)
      record("CHECK %ld %s %s %s %s %s", line, verdict, kind, value.c_str(), min.c_str(), max.c_str());
    else
      record("CHECK %ld %s %s %s %s", line, verdict, kind, value.c_str(), min.c_str());
  }
  // The verdict goes to the open test's line; outside a test (an exception
  // that escaped a service) to the last service's.
  void exception(int code, const char* type) {
    bool ok = code == 6;
    count(ok);
    long line = currentTest_ ? currentTest_ : currentService_;
    if (type)
      record("EXCEP %ld %s %d %s", line, ok ? "PASS" : "FAIL", code, quoted(type).c_str());
    else
      record("EXCEP %ld %s %d", line, ok ? "PASS" : "FAIL", code);
  }
  // One record a line, flushed at once so that every record written before
  // a crash of the code under test is in the file.
  ZENTA_TP_PRINTF_LIKE(2, 3) void record(const char* format, ...) {
    if (!file_) return;
    va_list args;
    va_start(args, format);
    std::vfprintf(file_, format, args);
    va_end(args);
    std::fputc('\n', file_);
    std::fflush(file_);
  }

  static std::string quoted(const char* text) {
    std::string out = "\"";
    for (const char* p = text ? text : ""; *p; ++p) {
      unsigned char c = static_cast<unsigned char>(*p);
      if (c == '"' || c == '\\') {
        out += '\\';
        out += static_cast<char>(c);
      } else if (c == '\n') {
        out += "\\n";
      } else if (c < 32) {
        char buf[8];
        std::snprintf(buf, sizeof buf, "\\x%02x", c);
        out += buf;
      } else {
        out += static_cast<char>(c);
      }
    }
    out += '"';
    return out;
  }
  static std::string unsignedText(unsigned long value, int base) {
    char buf[80];
    if (base == 16) {
      std::snprintf(buf, sizeof buf, "0x%lX", value);
    } else if (base == 2) {
      char bits[72];
      int n = 0;
      do {
        bits[n++] = static_cast<char>('0' + (value & 1u));
        value >>= 1;
      } while (value && n < 70);
      std::string out = "0b";
      while (n > 0) out += bits[--n];
      return out;
    } else {
      std::snprintf(buf, sizeof buf, "%lu", value);
    }
    return buf;
  }
  static std::string integerText(long value, int base) {
    if (base == 16 || base == 2) {
      if (value < 0) return "-" + unsignedText(0ul - static_cast<unsigned long>(value), base);
      return unsignedText(static_cast<unsigned long>(value), base);
    }
    char buf[40];
    std::snprintf(buf, sizeof buf, "%ld", value);
    return buf;
  }
  static std::string charText(char value) {
    char text[2] = {value, 0};
    return quoted(text);
  }
  static std::string floatText(long double value) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.17Lg", value);
    return buf;
  }
  static std::string pointerText(const void* value) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%p", value);
    return buf;
  }

  std::FILE* file_;
  long checks_;
  long passed_;
  long failed_;
  long currentTest_;
  long currentService_;
  long lastRepetition_;
  std::string ring_[kRing];
  int ringNext_;
  std::string program_;
  std::string tracesFile_;
  std::chrono::steady_clock::time_point chronoStart_;
  bool chronoRunning_;
  bool finished_;
};

// Remembers, at file scope, the results file that the harness names.
class TracesFile {
 public:
  TracesFile(Runtime& runtime, const char* name) { runtime.SET_TRACES_FILE_CPP(name); }
};

// The one runtime of the program. Every translation unit that includes this
// header (the harness, stub files, helpers) reaches the same object, so all
// their records go to the one results file and count in the one set of
// totals. It is built at its first use, whichever file's static initialiser
// or function comes first, and never destroyed: a static object of the code
// under test may still record from its destructor after main returned.
inline Runtime& runtime() {
  static Runtime* const theRuntime = new Runtime();
  return *theRuntime;
}

}  // namespace zenta_tp

// The name the harness writes. A macro rather than a variable: a variable
// would be one per translation unit, and a per-file reference to the single
// object would be unbound while static initialisers of other files run.
#define zenta_run (::zenta_tp::runtime())

// ------------------------------------------------------- harness macros
#ifndef ZNU_INIT_DATA
#ifdef NOVA_MAIN_HEADER
#define ZNU_INIT_DATA zenta_run.INIT_DATA_CPP(0, nullptr);
#else
#define ZNU_INIT_DATA zenta_run.INIT_DATA_CPP(argc, argv);
#endif
#endif
#ifndef ZNU_END_TEST_CPP
#define ZNU_END_TEST_CPP() zenta_run.END_TEST_CPP()
#endif
#ifndef ZNU_TRACES_FILE
#define ZNU_TRACES_FILE(name) static zenta_tp::TracesFile zenta_traces_file(zenta_run, name);
#endif
// main prints the verdict summary and returns 1 when a check failed.
#ifndef NOVA_MAIN_RETURN
#define NOVA_MAIN_RETURN return zenta_run.MAIN_RETURN_CPP();
#endif

#undef ZENTA_TP_PRINTF_LIKE

#endif  // ZENTA
#endif  // ZENTA_TP_H
