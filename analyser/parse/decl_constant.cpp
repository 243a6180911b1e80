// The declaration parser: integer constant expressions of enumerator values
// and array dimensions, evaluated on the tokens as written.
#include "analyser/parse/decl_parser_state.h"

namespace zenta::analyser::declparse {

namespace {

// Precedence climbing over the tokens of one expression. Names are
// enumerators visible from the parser's scope; anything else (sizeof, a
// variable, a floating constant) makes the expression not constant.
class Evaluator {
 public:
  Evaluator(std::string_view text, const SymbolTable& table, int scope) : table_(table), scope_(scope) {
    lexer_.setInput(text);
    tok_ = lexer_.next();
  }

  bool run(std::int64_t& value) {
    if (!conditional(value) || !ok_) return false;
    return tok_.code == Tok::End;
  }

 private:
  static int precedence(Tok t) {
    switch (t) {
      case Tok::PipePipe: return 1;
      case Tok::AmpAmp: return 2;
      case Tok::Pipe: return 3;
      case Tok::Caret: return 4;
      case Tok::Amp: return 5;
      case Tok::Equal: case Tok::NotEqual: return 6;
      case Tok::Less: case Tok::Greater: case Tok::LessEqual: case Tok::GreaterEqual: return 7;
      case Tok::ShiftLeft: case Tok::ShiftRight: return 8;
      case Tok::Plus: case Tok::Minus: return 9;
      case Tok::Star: case Tok::Slash: case Tok::Percent: return 10;
      default: return 0;
    }
  }

  void advance() { tok_ = lexer_.next(); }

  bool conditional(std::int64_t& v) {
    if (++depth_ > 100) return ok_ = false;
    if (!binary(1, v)) return false;
    if (tok_.code == Tok::Question) {
      advance();
      std::int64_t a = 0, b = 0;
      if (!conditional(a) || tok_.code != Tok::Colon) return ok_ = false;
      advance();
      if (!conditional(b)) return false;
      v = v ? a : b;
    }
    --depth_;
    return true;
  }

  bool binary(int minPrecedence, std::int64_t& v) {
    if (!unary(v)) return false;
    for (;;) {
      const Tok op = tok_.code;
      const int p = precedence(op);
      if (p == 0 || p < minPrecedence) return true;
      advance();
      std::int64_t r = 0;
      if (!binary(p + 1, r)) return false;
      const auto u = static_cast<std::uint64_t>(v);
      const auto ur = static_cast<std::uint64_t>(r);
      switch (op) {
        case Tok::PipePipe: v = v || r; break;
        case Tok::AmpAmp: v = v && r; break;
        case Tok::Pipe: v = v | r; break;
        case Tok::Caret: v = v ^ r; break;
        case Tok::Amp: v = v & r; break;
        case Tok::Equal: v = v == r; break;
        case Tok::NotEqual: v = v != r; break;
        case Tok::Less: v = v < r; break;
        case Tok::Greater: v = v > r; break;
        case Tok::LessEqual: v = v <= r; break;
        case Tok::GreaterEqual: v = v >= r; break;
        case Tok::ShiftLeft: v = (r < 0 || r > 63) ? 0 : static_cast<std::int64_t>(u << r); break;
        case Tok::ShiftRight: v = (r < 0 || r > 63) ? 0 : v >> r; break;
        case Tok::Plus: v = static_cast<std::int64_t>(u + ur); break;
        case Tok::Minus: v = static_cast<std::int64_t>(u - ur); break;
        case Tok::Star: v = static_cast<std::int64_t>(u * ur); break;
        case Tok::Slash:
        case Tok::Percent:
          if (r == 0 || (r == -1 && v == INT64_MIN)) return ok_ = false;
          v = op == Tok::Slash ? v / r : v % r;
          break;
        default: return ok_ = false;
      }
    }
  }

  bool unary(std::int64_t& v) {
    if (++depth_ > 100) return ok_ = false;
    bool result = true;
    switch (tok_.code) {
      case Tok::Minus: advance(); result = unary(v); v = static_cast<std::int64_t>(0 - static_cast<std::uint64_t>(v)); break;
      case Tok::Plus: advance(); result = unary(v); break;
      case Tok::Tilde: advance(); result = unary(v); v = ~v; break;
      case Tok::Not: advance(); result = unary(v); v = !v; break;
      case Tok::LParen: {
        advance();
        // A cast to an integer type: `(int)`, `(unsigned long)`.
        bool cast = false;
        while (tok_.code == Tok::KwInt || tok_.code == Tok::KwUnsigned || tok_.code == Tok::KwLong ||
               tok_.code == Tok::KwShort || tok_.code == Tok::KwChar || tok_.code == Tok::KwSigned) {
          cast = true;
          advance();
        }
        if (cast) {
          if (tok_.code != Tok::RParen) return ok_ = false;
          advance();
          result = unary(v);
          break;
        }
        result = conditional(v);
        if (!result || tok_.code != Tok::RParen) return ok_ = false;
        advance();
        break;
      }
      case Tok::IntegerConstant:
      case Tok::CharConstant: {
        const auto i = tok_.constant.value.toInt64();
        if (!i) return ok_ = false;
        v = *i;
        advance();
        break;
      }
      case Tok::KwTrue: v = 1; advance(); break;
      case Tok::KwFalse: v = 0; advance(); break;
      case Tok::Identifier: {
        SymbolFilter f;
        f.accept = [](const Symbol& s) { return s.isEnumerator; };
        const Symbol* s = table_.lookupSymbol(tok_.name, scope_, f);
        if (!s) return ok_ = false;
        v = s->value;
        advance();
        break;
      }
      default:
        return ok_ = false;
    }
    --depth_;
    return result && ok_;
  }

  const SymbolTable& table_;
  int scope_;
  lex::DeclarationLexer lexer_;
  Token tok_;
  int depth_ = 0;
  bool ok_ = true;
};

}  // namespace

bool Parser::evaluate(std::string_view text, std::int64_t& value) {
  if (text.empty()) return false;
  Evaluator e(text, table_, scope());
  return e.run(value);
}

}  // namespace zenta::analyser::declparse
