#include "generator/constant.h"

#include <cctype>
#include <climits>
#include <cstring>

namespace zenta::generator {
namespace {

// A precedence-climbing parser over the text; any fault makes it fail.
class Parser {
 public:
  explicit Parser(const std::string& text) : t_(text) {}

  bool whole(long long& value) {
    if (!conditional(value)) return false;
    blanks();
    return i_ == t_.size();
  }

 private:
  void blanks() {
    while (i_ < t_.size() && std::isspace(static_cast<unsigned char>(t_[i_]))) ++i_;
  }
  bool take(const char* op) {
    blanks();
    const std::size_t n = std::strlen(op);
    if (t_.compare(i_, n, op) != 0) return false;
    i_ += n;
    return true;
  }
  bool literal(long long& value) {
    blanks();
    if (i_ >= t_.size() || !std::isdigit(static_cast<unsigned char>(t_[i_]))) return false;
    int base = 10;
    if (t_[i_] == '0' && i_ + 1 < t_.size() && (t_[i_ + 1] == 'x' || t_[i_ + 1] == 'X')) {
      base = 16;
      i_ += 2;
    } else if (t_[i_] == '0' && i_ + 1 < t_.size() && (t_[i_ + 1] == 'b' || t_[i_ + 1] == 'B')) {
      base = 2;
      i_ += 2;
    } else if (t_[i_] == '0') {
      base = 8;
    }
    unsigned long long v = 0;
    int digits = 0;
    for (; i_ < t_.size(); ++i_) {
      const char c = t_[i_];
      if (c == '\'' && digits > 0) continue;  // digit separator
      int d;
      if (c >= '0' && c <= '9')
        d = c - '0';
      else if (c >= 'a' && c <= 'f')
        d = c - 'a' + 10;
      else if (c >= 'A' && c <= 'F')
        d = c - 'A' + 10;
      else
        break;
      if (d >= base) return false;
      if (v > (ULLONG_MAX - static_cast<unsigned>(d)) / static_cast<unsigned>(base)) return false;
      v = v * static_cast<unsigned>(base) + static_cast<unsigned>(d);
      ++digits;
    }
    if (digits == 0 && base != 8) return false;
    while (i_ < t_.size() && std::strchr("uUlLzZ", t_[i_])) ++i_;
    // A letter, a dot or an underscore left over: a floating literal, a
    // name or a user-defined literal.
    if (i_ < t_.size() &&
        (std::isalnum(static_cast<unsigned char>(t_[i_])) || t_[i_] == '.' || t_[i_] == '_'))
      return false;
    if (v > static_cast<unsigned long long>(LLONG_MAX)) return false;
    value = static_cast<long long>(v);
    return true;
  }

  bool primary(long long& value) {
    if (take("(")) return conditional(value) && take(")");
    return literal(value);
  }

  bool unary(long long& value) {
    if (++depth_ > 200) return false;
    bool ok;
    if (take("+")) {
      ok = unary(value);
    } else if (take("-")) {
      ok = unary(value) && value != LLONG_MIN;
      if (ok) value = -value;
    } else if (take("~")) {
      ok = unary(value);
      if (ok) value = ~value;
    } else if (take("!")) {
      ok = unary(value);
      if (ok) value = !value;
    } else {
      ok = primary(value);
    }
    --depth_;
    return ok;
  }

  // Binary operators by precedence, loosest first.
  static int precedence(const std::string& op) {
    static const char* const levels[][4] = {
        {"||"},       {"&&"},     {"|"},           {"^"}, {"&"}, {"==", "!="}, {"<=", ">=", "<", ">"},
        {"<<", ">>"}, {"+", "-"}, {"*", "/", "%"},
    };
    for (int l = 0; l < 10; ++l)
      for (const char* o : levels[l])
        if (o && op == o) return l + 1;
    return 0;
  }

  // The binary operator at the cursor, not taken; empty when none.
  std::string binaryOperator() {
    blanks();
    for (const char* op :
         {"||", "&&", "==", "!=", "<=", ">=", "<<", ">>", "|", "^", "&", "<", ">", "+", "-", "*", "/", "%"})
      if (t_.compare(i_, std::strlen(op), op) == 0) return op;
    return {};
  }

  static bool apply(const std::string& op, long long a, long long b, long long& r) {
    if (op == "||")
      r = a || b;
    else if (op == "&&")
      r = a && b;
    else if (op == "|")
      r = a | b;
    else if (op == "^")
      r = a ^ b;
    else if (op == "&")
      r = a & b;
    else if (op == "==")
      r = a == b;
    else if (op == "!=")
      r = a != b;
    else if (op == "<=")
      r = a <= b;
    else if (op == ">=")
      r = a >= b;
    else if (op == "<")
      r = a < b;
    else if (op == ">")
      r = a > b;
    else if (op == "<<" || op == ">>") {
      if (b < 0 || b > 62 || a < 0) return false;
      if (op == ">>") {
        r = a >> b;
      } else {
        if (a > (LLONG_MAX >> b)) return false;
        r = a << b;
      }
    } else if (op == "+")
      return !__builtin_add_overflow(a, b, &r);
    else if (op == "-")
      return !__builtin_sub_overflow(a, b, &r);
    else if (op == "*")
      return !__builtin_mul_overflow(a, b, &r);
    else if (op == "/" || op == "%") {
      if (b == 0 || (a == LLONG_MIN && b == -1)) return false;
      r = op == "/" ? a / b : a % b;
    } else
      return false;
    return true;
  }

  bool binary(long long& value, int minimum) {
    if (!unary(value)) return false;
    for (;;) {
      const std::string op = binaryOperator();
      const int p = op.empty() ? 0 : precedence(op);
      if (p < minimum || p == 0) return true;
      i_ += op.size();
      long long right;
      if (!binary(right, p + 1) || !apply(op, value, right, value)) return false;
    }
  }

  bool conditional(long long& value) {
    if (++depth_ > 200) return false;
    bool ok = binary(value, 1);
    if (ok && take("?")) {
      long long a, b;
      ok = conditional(a) && take(":") && conditional(b);
      if (ok) value = value ? a : b;
    }
    --depth_;
    return ok;
  }

  const std::string& t_;
  std::size_t i_ = 0;
  int depth_ = 0;
};

}  // namespace

bool integerConstant(const std::string& text, long long& value) {
  long long v = 0;
  if (!Parser(text).whole(v)) return false;
  value = v;
  return true;
}

}  // namespace zenta::generator
