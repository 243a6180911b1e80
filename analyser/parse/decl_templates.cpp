// The declaration parser: template declarations, explicit specialisations
// and explicit instantiations.
#include "analyser/parse/decl_parser_state.h"

namespace zenta::analyser::declparse {

void Parser::templateDeclaration() {
  advance();  // template
  if (!at(Tok::Less)) {
    // `template class V<int>;`: an explicit instantiation.
    const bool outer = explicitInstantiation_;
    explicitInstantiation_ = true;
    declaration();
    explicitInstantiation_ = outer;
    return;
  }
  advance();  // <
  if (accept(Tok::Greater)) {
    // `template <> ...`: an explicit specialisation.
    const bool outer = explicitSpecialisation_;
    explicitSpecialisation_ = true;
    declaration();
    explicitSpecialisation_ = outer;
    return;
  }
  const std::size_t names = templateNames_.size();
  std::vector<TemplateParameter> params;
  templateParameters(params);
  if (modern_ && accept(Tok::KwRequires)) skipConstraint();
  templateLists_.push_back(std::move(params));
  ++templateLevels_;
  declaration();
  --templateLevels_;
  templateLists_.pop_back();
  templateNames_.resize(names);
}

// The parameters after `template <`, up to and with the closing `>`. Each
// name is visible from the next parameter on.
void Parser::templateParameters(std::vector<TemplateParameter>& out) {
  DepthGuard guard(*this);
  for (;;) {
    TemplateParameter p;
    bool typeParameter = true;
    if (modern_ && at(Tok::KwTypename) && peek().code == Tok::Identifier) {
      // `typename enable_if<...>::type = 0`: a value of a dependent type.
      const Mark m = mark();
      advance();
      advance();
      typeParameter = !at(Tok::Less) && !at(Tok::ColonColon);
      reset(m);
    }
    if (typeParameter && (at(Tok::KwClass) || at(Tok::KwTypename)) &&
        (peek().code == Tok::Identifier || peek().code == Tok::Comma || peek().code == Tok::Greater ||
         peek().code == Tok::Assign || (modern_ && (peek().code == Tok::Ellipsis || peek().code == Tok::ShiftRight)))) {
      p.kind = TemplateParameterKind::Type;
      p.typenameWord = at(Tok::KwTypename);
      advance();
      if (modern_ && accept(Tok::Ellipsis)) p.pack = true;  // `class... Ts`
      if (at(Tok::Identifier)) {
        p.name = tok_.name;
        advance();
      }
    } else if (at(Tok::KwTemplate)) {
      advance();
      if (!at(Tok::Less)) fail();
      advance();
      std::vector<TemplateParameter> inner;
      const std::size_t names = templateNames_.size();
      templateParameters(inner);
      templateNames_.resize(names);
      if (modern_ && accept(Tok::KwRequires)) skipConstraint();
      if (!accept(Tok::KwClass) && !accept(Tok::KwTypename)) fail();
      if (modern_ && accept(Tok::Ellipsis)) p.pack = true;
      p.kind = TemplateParameterKind::Template;
      if (at(Tok::Identifier)) {
        p.name = tok_.name;
        advance();
      }
    } else if (cxx20_ && (at(Tok::Identifier) || at(Tok::ColonColon)) && !namesType() &&
               typeConstraint(false)) {
      // A constrained type parameter: `C T`, `ns::C<U> T`, `C... Ts`.
      p.kind = TemplateParameterKind::Type;
      p.pack = accept(Tok::Ellipsis);
      if (at(Tok::Identifier)) {
        p.name = tok_.name;
        advance();
      }
    } else {
      Specifiers s;
      specifiers(s, true);
      if (!s.hasType && s.modifierCount == 0) fail();
      finishSpecifiers(s);
      Declarator d;
      declarator(d, true, false);
      p.kind = TemplateParameterKind::Value;
      p.pack = d.pack;
      p.valueType = applyDeclarator(s.type, d);
      p.name = d.name;
    }
    if (accept(Tok::Assign)) {
      const char* start = tok_.text.data();
      skipExpression(true);
      p.defaultText = textFrom(start);
      if (p.defaultText.empty()) fail();
    }
    if (p.name && p.kind != TemplateParameterKind::Value)
      templateNames_.push_back({p.name, p.kind == TemplateParameterKind::Template});
    out.push_back(p);
    if (accept(Tok::Comma)) continue;
    if (accept(Tok::Greater)) return;
    if (modern_ && at(Tok::ShiftRight)) {  // closes this list and the one around it
      splitGreater();
      return;
    }
    fail();
  }
}

}  // namespace zenta::analyser::declparse
