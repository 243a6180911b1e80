// Evaluation of #if and #elif expressions: the C preprocessor's expression
// grammar in 64-bit arithmetic (unsigned when an operand is unsigned).
//
// Operator precedence parsing with explicit stacks: the nesting depth of an
// expression costs heap, never process stack.
#include <cstdint>
#include <algorithm>
#include <cctype>
#include <cstring>
#include <vector>

#include "analyser/lex/pp_state.h"
#include "analyser/basic/target_widths.h"

namespace zenta::analyser::pp {

namespace {

struct Value {
  std::uint64_t v = 0;
  bool uns = false;
};

enum class Tok { Num, LParen, RParen, Op, Question, Colon, End, Bad };

enum Op : int {
  OpComma, OpOr, OpAnd, OpBitOr, OpXor, OpBitAnd, OpEq, OpNe, OpLt, OpLe, OpGt, OpGe,
  OpShl, OpShr, OpAdd, OpSub, OpMul, OpDiv, OpMod,
  OpNeg, OpPlus, OpCompl, OpNot,  // unary
  OpParen, OpQuestion, OpColon,
};

int precedence(Op op) {
  switch (op) {
    case OpComma: return 1;
    case OpColon: return 2;
    case OpOr: return 3;
    case OpAnd: return 4;
    case OpBitOr: return 5;
    case OpXor: return 6;
    case OpBitAnd: return 7;
    case OpEq: case OpNe: return 8;
    case OpLt: case OpLe: case OpGt: case OpGe: return 9;
    case OpShl: case OpShr: return 10;
    case OpAdd: case OpSub: return 11;
    case OpMul: case OpDiv: case OpMod: return 12;
    case OpNeg: case OpPlus: case OpCompl: case OpNot: return 13;
    default: return 0;  // brackets: never reduced by an operator
  }
}

struct Token {
  Tok kind = Tok::End;
  Value value;
  Op op = OpComma;
  std::size_t start = 0;
};

class Lexer {
 public:
  Lexer(Preprocessor& pp, const std::string& text) : pp_(pp), t_(text) {}
  std::size_t pos() const { return i_; }

  Token next() {
    while (i_ < t_.size() && isSpace(t_[i_])) ++i_;
    Token k;
    k.start = i_;
    if (i_ >= t_.size()) return k;
    char c = t_[i_];
    if (isDigit(c) || (c == '.' && i_ + 1 < t_.size() && isDigit(t_[i_ + 1]))) return number(k);
    if (c == '\'' || (c == 'L' && i_ + 1 < t_.size() && t_[i_ + 1] == '\'')) return character(k);
    if (isIdentStart(c)) return identifier(k);
    return punctuator(k);
  }

 private:
  Token bad(Token k) {
    k.kind = Tok::Bad;
    return k;
  }

  Token number(Token k) {
    std::size_t b = i_;
    ++i_;
    while (i_ < t_.size()) {
      char c = t_[i_];
      if (isIdentPart(c) || c == '.') ++i_;
      else if ((c == '+' || c == '-') && (t_[i_ - 1] == 'e' || t_[i_ - 1] == 'E' ||
                                          t_[i_ - 1] == 'p' || t_[i_ - 1] == 'P'))
        ++i_;
      else if (c == '\'' && pp_.digitSeparators() && i_ + 1 < t_.size() && isIdentPart(t_[i_ + 1]))
        ++i_;
      else break;
    }
    // Digit separators are no part of the value.
    std::string digits(t_.data() + b, i_ - b);
    std::erase(digits, '\'');
    std::string_view n(digits);
    int base = 10;
    std::size_t d = 0;
    const bool dialect = pp_.analysedDialect() != Dialect::Classic;
    if (n.size() > 1 && n[0] == '0' && (n[1] == 'x' || n[1] == 'X')) {
      base = 16;
      d = 2;
    } else if (dialect && n.size() > 1 && n[0] == '0' && (n[1] == 'b' || n[1] == 'B')) {
      base = 2;  // binary constants: standard from C++14, a GNU extension before
      d = 2;
    } else if (n[0] == '0') {
      base = 8;
    }
    std::uint64_t v = 0;
    bool overflow = false, any = false;
    for (; d < n.size(); ++d) {
      char c = n[d];
      int digit;
      if (c >= '0' && c <= '9') digit = c - '0';
      else if (base == 16 && c >= 'a' && c <= 'f') digit = c - 'a' + 10;
      else if (base == 16 && c >= 'A' && c <= 'F') digit = c - 'A' + 10;
      else break;
      if (digit >= base) return bad(k);
      if (v > (UINT64_MAX - static_cast<std::uint64_t>(digit)) / static_cast<std::uint64_t>(base))
        overflow = true;
      v = v * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(digit);
      any = true;
    }
    if (((base == 16 || base == 2) && !any) || overflow) return bad(k);
    std::string_view suffix = n.substr(d);
    int us = 0, ls = 0;
    for (std::size_t j = 0; j < suffix.size(); ++j) {
      char c = suffix[j];
      if (c == 'u' || c == 'U') ++us;
      else if (c == 'l' || c == 'L') {
        ++ls;
        if (j > 0 && (suffix[j - 1] == 'l' || suffix[j - 1] == 'L') && c != suffix[j - 1]) return bad(k);
      } else return bad(k);  // floating constant or invalid suffix
    }
    if (us > 1 || ls > 2) return bad(k);
    k.kind = Tok::Num;
    k.value.v = v;
    k.value.uns = us > 0 || v > static_cast<std::uint64_t>(INT64_MAX);
    return k;
  }

  Token character(Token k) {
    bool wide = t_[i_] == 'L';
    if (wide) ++i_;
    ++i_;  // the quote
    std::uint64_t acc = 0;
    int count = 0;
    while (i_ < t_.size() && t_[i_] != '\'') {
      unsigned c = static_cast<unsigned char>(t_[i_++]);
      if (c == '\n') return bad(k);
      if (c == '\\') {
        if (i_ >= t_.size()) return bad(k);
        char e = t_[i_++];
        switch (e) {
          case 'n': c = 10; break;
          case 't': c = 9; break;
          case 'v': c = 11; break;
          case 'b': c = 8; break;
          case 'r': c = 13; break;
          case 'f': c = 12; break;
          case 'a': c = 7; break;
          case 'e': case 'E': c = 27; break;
          case 'x': {
            std::uint64_t v = 0;
            int digits = 0;
            while (i_ < t_.size() && std::isxdigit(static_cast<unsigned char>(t_[i_]))) {
              char h = t_[i_++];
              v = v * 16 + static_cast<unsigned>(isDigit(h) ? h - '0' : (h | 0x20) - 'a' + 10);
              if (v > 0xffffffffu) v = 0xffffffffu;
              ++digits;
            }
            if (!digits) return bad(k);
            c = static_cast<unsigned>(v);
            break;
          }
          default:
            if (e >= '0' && e <= '7') {
              unsigned v = static_cast<unsigned>(e - '0');
              for (int j = 0; j < 2 && i_ < t_.size() && t_[i_] >= '0' && t_[i_] <= '7'; ++j)
                v = v * 8 + static_cast<unsigned>(t_[i_++] - '0');
              c = v;
            } else {
              c = static_cast<unsigned char>(e);
            }
        }
        if (c > 255 && !wide) {
          pp_.report(3, "NOFITBYTE", std::string());
          c &= 0xff;
        }
      }
      // A wide character fills the whole width of its type: of several, the
      // last one is kept, as the host compiler does.
      acc = wide ? c : (acc << 8) | (c & 0xff);
      ++count;
    }
    if (i_ >= t_.size() || count == 0) return bad(k);
    ++i_;  // the closing quote
    k.kind = Tok::Num;
    std::int64_t value;
    if (wide) {
      value = static_cast<std::int32_t>(static_cast<std::uint32_t>(acc));
    } else if (count == 1) {
      bool unsignedChar = plainCharUnsigned() || pp_.lookup("__CHAR_UNSIGNED__") != nullptr;
      value = unsignedChar ? static_cast<std::int64_t>(acc & 0xff)
                           : static_cast<std::int64_t>(static_cast<std::int8_t>(acc & 0xff));
    } else {
      value = static_cast<std::int32_t>(static_cast<std::uint32_t>(acc));
    }
    k.value.v = static_cast<std::uint64_t>(value);
    return k;
  }

  Token identifier(Token k) {
    std::size_t b = i_;
    while (i_ < t_.size() && isIdentPart(t_[i_])) ++i_;
    std::string_view name(t_.data() + b, i_ - b);
    k.kind = Tok::Num;
    if (name != "sizeof") return k;  // an identifier left after expansion is 0
    while (i_ < t_.size() && isSpace(t_[i_])) ++i_;
    if (i_ >= t_.size() || (t_[i_] != '(' && t_[i_] != '[')) return bad(k);
    std::size_t open = ++i_;
    int depth = 1;
    while (i_ < t_.size() && depth > 0) {
      char c = t_[i_++];
      if (c == '(' || c == '[') ++depth;
      else if (c == ')' || c == ']') --depth;
    }
    if (depth) return bad(k);
    std::string_view type = trimView(std::string_view(t_.data() + open, i_ - 1 - open));
    int bits = 0;
    if (type == "char") bits = targetWidth(BaseWidth::Char);
    else if (type == "short") bits = targetWidth(BaseWidth::Short);
    else if (type == "long") bits = targetWidth(BaseWidth::Long);
    else if (type == "int") bits = targetWidth(BaseWidth::Int);
    k.value.v = static_cast<std::uint64_t>(bits / 8);
    return k;
  }

  Token punctuator(Token k) {
    char c = t_[i_];
    char d = i_ + 1 < t_.size() ? t_[i_ + 1] : '\0';
    auto two = [&](Op op) {
      i_ += 2;
      k.kind = Tok::Op;
      k.op = op;
      return k;
    };
    auto one = [&](Tok kind, Op op = OpComma) {
      i_ += 1;
      k.kind = kind;
      k.op = op;
      return k;
    };
    switch (c) {
      case '|': return d == '|' ? two(OpOr) : one(Tok::Op, OpBitOr);
      case '&': return d == '&' ? two(OpAnd) : one(Tok::Op, OpBitAnd);
      case '=': return d == '=' ? two(OpEq) : bad(k);
      case '!': return d == '=' ? two(OpNe) : one(Tok::Op, OpNot);
      case '<': return d == '<' ? two(OpShl) : d == '=' ? two(OpLe) : one(Tok::Op, OpLt);
      case '>': return d == '>' ? two(OpShr) : d == '=' ? two(OpGe) : one(Tok::Op, OpGt);
      case '^': return one(Tok::Op, OpXor);
      case '+': return d == '+' ? bad(k) : one(Tok::Op, OpAdd);  // `++` is no operator here
      case '-': return d == '-' ? bad(k) : one(Tok::Op, OpSub);
      case '*': return one(Tok::Op, OpMul);
      case '/': return one(Tok::Op, OpDiv);
      case '%': return one(Tok::Op, OpMod);
      case '~': return one(Tok::Op, OpCompl);
      case ',': return one(Tok::Op, OpComma);
      case '?': return one(Tok::Question);
      case ':': return one(Tok::Colon);
      case '(': return one(Tok::LParen);
      case ')': return one(Tok::RParen);
      default: return bad(k);
    }
  }

  Preprocessor& pp_;
  const std::string& t_;
  std::size_t i_ = 0;
};

struct Entry {
  Op op;
  bool suppressing = false;  // this operator made its right operand unevaluated
};

class Evaluator {
 public:
  Evaluator(Preprocessor& pp, const std::string& text, const char* name)
      : pp_(pp), text_(text), name_(name), lex_(pp, text) {}

  bool run() {
    bool operand = true;
    for (;;) {
      Token t = lex_.next();
      if (t.kind == Tok::Bad) return fail();
      if (operand) {
        switch (t.kind) {
          case Tok::Num:
            vals_.push_back(t.value);
            operand = false;
            continue;
          case Tok::LParen:
            ops_.push_back({OpParen});
            continue;
          case Tok::Op:
            if (t.op == OpSub) ops_.push_back({OpNeg});
            else if (t.op == OpAdd) ops_.push_back({OpPlus});
            else if (t.op == OpCompl || t.op == OpNot) ops_.push_back({t.op});
            else return fail();
            continue;
          case Tok::End:
            if (vals_.empty() && ops_.empty()) {
              pp_.report(3, "EMPTYEXPR", name_);
              return false;
            }
            return fail();
          default:
            return fail();
        }
      }
      switch (t.kind) {
        case Tok::Op: {
          if (t.op == OpCompl || t.op == OpNot) return fail();
          int p = precedence(t.op);
          reduceWhile([&](Op top) { return precedence(top) >= p; });
          Entry e{t.op};
          if ((t.op == OpAnd && vals_.back().v == 0) || (t.op == OpOr && vals_.back().v != 0)) {
            e.suppressing = true;
            ++noEval_;
          }
          ops_.push_back(e);
          operand = true;
          continue;
        }
        case Tok::Question: {
          reduceWhile([](Op top) { return precedence(top) > 2; });
          Entry e{OpQuestion};
          if (vals_.back().v == 0) {
            e.suppressing = true;
            ++noEval_;
          }
          ops_.push_back(e);
          operand = true;
          continue;
        }
        case Tok::Colon: {
          reduceWhile([](Op top) { return precedence(top) > 0; });
          if (ops_.empty() || ops_.back().op != OpQuestion) return fail();
          Entry q = ops_.back();
          ops_.pop_back();
          if (q.suppressing) --noEval_;
          Entry c{OpColon};
          // The condition is the value below the true branch.
          if (vals_.size() < 2) return fail();
          if (vals_[vals_.size() - 2].v != 0) {
            c.suppressing = true;
            ++noEval_;
          }
          ops_.push_back(c);
          operand = true;
          continue;
        }
        case Tok::RParen:
          reduceWhile([](Op top) { return precedence(top) > 0; });
          if (ops_.empty()) {
            pp_.report(3, "ERRAFTEND", std::string(trimView(std::string_view(text_).substr(t.start))));
            return false;
          }
          if (ops_.back().op != OpParen) return fail();
          ops_.pop_back();
          continue;
        case Tok::End:
          reduceWhile([](Op top) { return precedence(top) > 0; });
          if (!ops_.empty() || vals_.size() != 1) return fail();
          return vals_.back().v != 0;
        default:
          if (ops_.empty()) {
            pp_.report(3, "ERRAFTEND", std::string(trimView(std::string_view(text_).substr(t.start))));
            return false;
          }
          return fail();
      }
    }
  }

 private:
  template <typename Pred>
  void reduceWhile(Pred pred) {
    while (!ops_.empty() && pred(ops_.back().op)) reduce();
  }

  void reduce() {
    Entry e = ops_.back();
    ops_.pop_back();
    if (e.suppressing) --noEval_;
    if (e.op >= OpNeg && e.op <= OpNot) {
      Value& a = vals_.back();
      switch (e.op) {
        case OpNeg: a.v = 0 - a.v; break;
        case OpPlus: break;
        case OpCompl: a.v = ~a.v; break;
        default:
          a.v = a.v == 0;
          a.uns = false;
      }
      return;
    }
    if (e.op == OpColon) {
      Value f = vals_.back();
      vals_.pop_back();
      Value t = vals_.back();
      vals_.pop_back();
      Value& c = vals_.back();
      bool uns = t.uns || f.uns;
      c = c.v ? t : f;
      c.uns = uns;
      return;
    }
    Value b = vals_.back();
    vals_.pop_back();
    Value& a = vals_.back();
    bool uns = a.uns || b.uns;
    auto sa = static_cast<std::int64_t>(a.v);
    auto sb = static_cast<std::int64_t>(b.v);
    auto boolean = [&](bool v) {
      a.v = v;
      a.uns = false;
    };
    switch (e.op) {
      case OpComma: a = b; break;
      case OpOr: boolean(a.v || b.v); break;
      case OpAnd: boolean(a.v && b.v); break;
      case OpBitOr: a.v |= b.v; a.uns = uns; break;
      case OpXor: a.v ^= b.v; a.uns = uns; break;
      case OpBitAnd: a.v &= b.v; a.uns = uns; break;
      case OpEq: boolean(a.v == b.v); break;
      case OpNe: boolean(a.v != b.v); break;
      case OpLt: boolean(uns ? a.v < b.v : sa < sb); break;
      case OpLe: boolean(uns ? a.v <= b.v : sa <= sb); break;
      case OpGt: boolean(uns ? a.v > b.v : sa > sb); break;
      case OpGe: boolean(uns ? a.v >= b.v : sa >= sb); break;
      case OpShl:
      case OpShr: {
        bool left = e.op == OpShl;
        std::int64_t n = sb;
        if (!b.uns && n < 0) {
          left = !left;
          n = n == INT64_MIN ? 64 : -n;
        }
        if (b.uns && b.v >= 64) n = 64;
        if (left) a.v = n >= 64 ? 0 : a.v << n;
        else if (a.uns) a.v = n >= 64 ? 0 : a.v >> n;
        else a.v = static_cast<std::uint64_t>(n >= 64 ? (sa < 0 ? -1 : 0) : sa >> n);
        break;
      }
      case OpAdd: a.v += b.v; a.uns = uns; break;
      case OpSub: a.v -= b.v; a.uns = uns; break;
      case OpMul: a.v *= b.v; a.uns = uns; break;
      case OpDiv:
      case OpMod:
        if (b.v == 0) {
          if (noEval_ == 0) pp_.report(3, "DIVISZERO", "#if");
          a.v = 0;
        } else if (uns) {
          a.v = e.op == OpDiv ? a.v / b.v : a.v % b.v;
        } else if (sa == INT64_MIN && sb == -1) {
          a.v = e.op == OpDiv ? a.v : 0;
        } else {
          a.v = static_cast<std::uint64_t>(e.op == OpDiv ? sa / sb : sa % sb);
        }
        a.uns = uns;
        break;
      default:
        break;
    }
  }

  bool fail() {
    std::string_view read = trimView(std::string_view(text_).substr(0, std::min(lex_.pos(), text_.size())));
    std::string argument(read.size() > 40 ? read.substr(read.size() - 39) : read);
    pp_.report(3, "EXPERRONE", argument);
    return false;
  }

  Preprocessor& pp_;
  const std::string& text_;
  const char* name_;
  Lexer lex_;
  std::vector<Value> vals_;
  std::vector<Entry> ops_;
  int noEval_ = 0;
};

}  // namespace

bool Preprocessor::evaluateCondition(const std::string& expanded, const char* directiveName) {
  Evaluator e(*this, expanded, directiveName);
  return e.run();
}

}  // namespace zenta::analyser::pp
