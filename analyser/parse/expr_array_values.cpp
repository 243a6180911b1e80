#include "analyser/parse/expr_array_values.h"

#include <cctype>

namespace zenta::analyser {

namespace {

class ChainWriter {
 public:
  ChainWriter(const SymbolTable& table, const ParseRequest& request, const std::vector<ArrayBound>& bounds,
              bool french)
      : table_(table), request_(request), bounds_(bounds), french_(french) {}

  std::string convert(const Expr* e, int level) {
    if (e == nullptr || e->kind != ExprKind::Aggregate) return image(e);
    const ArrayBound* bound =
        level >= 1 && static_cast<std::size_t>(level) <= bounds_.size() ? &bounds_[level - 1] : nullptr;
    const std::string index = "I" + std::to_string(level);
    std::string out;
    int opened = 0;
    std::int64_t position = 0;
    std::string last = "0";
    const std::size_t n = e->items.size();
    for (std::size_t i = 0; i < n; ++i) {
      const Expr* item = e->items[i];
      const bool isLast = i + 1 == n;
      if (item->kind == ExprKind::Empty) {
        warn("OMIVALTAB", e);
        ++position;
        continue;
      }
      if (item->kind != ExprKind::Association) {
        if (bound != nullptr && bound->lower && bound->upper && *bound->lower + position > *bound->upper)
          warn("INDICEINC", item);
        const std::string value = convert(item, level + 1);
        if (isLast) {
          last = value;
          break;
        }
        const std::string low = bound != nullptr && !bound->lowerImage.empty() ? "+" + bound->lowerImage : "";
        out += "(" + index + " == (" + std::to_string(position) + low + ")?" + value + ":";
        ++opened;
        ++position;
        continue;
      }
      const Expr* key = item->lhs;
      const std::string value = convert(item->rhs, level + 1);
      if (key->kind == ExprKind::Identifier) {
        if (isOthers(key->name.view())) {
          last = value;
          break;
        }
        warn("TABEXPINC", item);
        continue;
      }
      if (isLast) {
        checkIndex(key, bound, item);
        last = value;
        break;
      }
      if (const Expr* k = integerConstant(key)) {
        checkIndex(key, bound, item);
        out += "(" + index + " == " + k->value.toString() + "?" + value + ":";
      } else if (key->kind == ExprKind::Range) {
        checkIndex(key, bound, item);
        out += "(((" + index + ">=" + boundText(key->lhs) + ") && (" + index + "<=(" + boundText(key->rhs) +
               ")))?" + value + ":";
      } else {
        out += "(" + index + " == (" + image(key) + ")?" + value + ":";
      }
      ++opened;
    }
    out += last;
    out.append(static_cast<std::size_t>(opened), ')');
    return out;
  }

 private:
  std::string image(const Expr* e) const { return expressionImage(e, &table_, request_.scope); }

  std::string boundText(const Expr* e) const {
    const Expr* k = integerConstant(e);
    return k != nullptr ? k->value.toString() : image(e);
  }

  bool isOthers(std::string_view word) const {
    auto same = [&](std::string_view w) {
      if (word.size() != w.size()) return false;
      for (std::size_t i = 0; i < w.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(word[i])) != w[i]) return false;
      return true;
    };
    return same("others") || (french_ && same("autres"));
  }

  void checkIndex(const Expr* key, const ArrayBound* bound, const Expr* item) {
    if (bound == nullptr) return;
    auto outside = [&](const Expr* e) {
      const Expr* k = integerConstant(e);
      if (k == nullptr) return false;
      const auto v = k->value.toInt64();
      if (!v) return true;
      return (bound->lower && *v < *bound->lower) || (bound->upper && *v > *bound->upper);
    };
    const bool bad = key->kind == ExprKind::Range ? outside(key->lhs) || outside(key->rhs) : outside(key);
    if (bad) warn("INDICEINC", item);
  }

  void warn(const char* code, const Expr* about) {
    if (request_.hook != nullptr) request_.hook(3, code, image(about), request_.file.text(), request_.line);
  }

  const SymbolTable& table_;
  const ParseRequest& request_;
  const std::vector<ArrayBound>& bounds_;
  bool french_;
};

}  // namespace

std::optional<std::string> arrayValueExpression(AstContext& ctx, const SymbolTable& table,
                                                const ParseRequest& request, const std::vector<ArrayBound>& bounds,
                                                int level, bool frenchWords) {
  ExpressionTree tree;
  if (parseExpression(ctx, table, request, tree) != ParseStatus::Ok) return std::nullopt;
  ChainWriter writer(table, request, bounds, frenchWords);
  return writer.convert(tree.root(), level < 1 ? 1 : level);
}

}  // namespace zenta::analyser
