// The feature queries of a dialect of the standard (`__has_include`,
// `__has_include_next`, `__has_builtin`, `__has_attribute`,
// `__has_cpp_attribute`) and the pragma operator `_Pragma`.
//
// The queries answer as the host's GNU compiler answers them, so that
// libraries configure themselves as they do under it: `__has_include` by
// the search of `#include`, the others from the tables below, which hold
// what the compiler (version 12) knows among the names that headers ask
// about. A name outside the tables is unknown (0).
#include <algorithm>
#include <array>
#include <iterator>
#include <string>
#include <string_view>

#include "analyser/lex/pp_state.h"

namespace zenta::analyser::pp {

namespace {

// Built-in functions and type traits the compiler has.
constexpr std::string_view kBuiltins[] = {
    "__atomic_always_lock_free", "__atomic_clear", "__atomic_compare_exchange_n", "__atomic_exchange_n",
    "__atomic_fetch_add", "__atomic_is_lock_free", "__atomic_load_n", "__atomic_signal_fence",
    "__atomic_store_n", "__atomic_test_and_set", "__atomic_thread_fence", "__builtin_FILE",
    "__builtin_FUNCTION", "__builtin_LINE", "__builtin_abort", "__builtin_add_overflow",
    "__builtin_addressof", "__builtin_alloca", "__builtin_assume_aligned", "__builtin_bcmp",
    "__builtin_bit_cast", "__builtin_bswap128", "__builtin_bswap16", "__builtin_bswap32", "__builtin_bswap64",
    "__builtin_classify_type", "__builtin_clear_padding", "__builtin_clrsb", "__builtin_clz",
    "__builtin_clzl", "__builtin_clzll", "__builtin_constant_p", "__builtin_convertvector",
    "__builtin_copysign", "__builtin_cpu_init", "__builtin_cpu_supports", "__builtin_ctz", "__builtin_ctzl",
    "__builtin_ctzll", "__builtin_dynamic_object_size", "__builtin_expect",
    "__builtin_expect_with_probability", "__builtin_extract_return_addr", "__builtin_fabs", "__builtin_ffs",
    "__builtin_fpclassify", "__builtin_frame_address", "__builtin_has_attribute", "__builtin_huge_val",
    "__builtin_huge_valf", "__builtin_ia32_addcarryx_u64", "__builtin_ia32_pause", "__builtin_ia32_rdtsc", "__builtin_inf", "__builtin_inff",
    "__builtin_is_constant_evaluated", "__builtin_is_corresponding_member",
    "__builtin_is_pointer_interconvertible_with_class", "__builtin_isfinite", "__builtin_isgreater",
    "__builtin_isinf", "__builtin_isless", "__builtin_isnan", "__builtin_isunordered", "__builtin_launder",
    "__builtin_memchr", "__builtin_memcmp", "__builtin_memcpy", "__builtin_memmove", "__builtin_memset",
    "__builtin_mul_overflow", "__builtin_nan", "__builtin_nanf", "__builtin_object_size",
    "__builtin_offsetof", "__builtin_parity", "__builtin_popcount", "__builtin_popcountl",
    "__builtin_popcountll", "__builtin_prefetch", "__builtin_printf", "__builtin_return_address",
    "__builtin_round", "__builtin_sadd_overflow", "__builtin_shuffle", "__builtin_shufflevector",
    "__builtin_signbit", "__builtin_smul_overflow", "__builtin_snprintf", "__builtin_source_location",
    "__builtin_speculation_safe_value", "__builtin_sprintf", "__builtin_sqrt", "__builtin_ssub_overflow",
    "__builtin_strchr", "__builtin_strcmp", "__builtin_strlen", "__builtin_strncmp", "__builtin_sub_overflow",
    "__builtin_trap", "__builtin_uadd_overflow", "__builtin_umul_overflow", "__builtin_unreachable",
    "__builtin_usub_overflow", "__builtin_va_copy", "__builtin_va_end", "__builtin_va_start",
    "__builtin_vsnprintf", "__has_nothrow_assign", "__has_nothrow_constructor", "__has_nothrow_copy",
    "__has_trivial_assign", "__has_trivial_constructor", "__has_trivial_copy", "__has_trivial_destructor",
    "__has_unique_object_representations", "__has_virtual_destructor", "__integer_pack", "__is_abstract",
    "__is_aggregate", "__is_assignable", "__is_base_of", "__is_class", "__is_constructible", "__is_empty",
    "__is_enum", "__is_final", "__is_layout_compatible", "__is_literal_type", "__is_pod",
    "__is_pointer_interconvertible_base_of", "__is_polymorphic", "__is_same", "__is_same_as",
    "__is_standard_layout", "__is_trivial", "__is_trivially_assignable", "__is_trivially_constructible",
    "__is_trivially_copyable", "__is_union", "__sync_fetch_and_add", "__sync_synchronize",
    "__underlying_type",
};
static_assert(std::is_sorted(std::begin(kBuiltins), std::end(kBuiltins)));

// The attributes of the standard, with the value the compiler gives them in
// every dialect.
struct StandardAttribute {
  std::string_view name;
  int value;
};
constexpr std::array<StandardAttribute, 8> kStandardAttributes = {{
    {"deprecated", 201309},
    {"fallthrough", 201603},
    {"likely", 201803},
    {"maybe_unused", 201603},
    {"no_unique_address", 201803},
    {"nodiscard", 201907},
    {"noreturn", 200809},
    {"unlikely", 201803},
}};

// The compiler's own attributes (also written `gnu::name` or
// `__gnu__::__name__`), each answered 1.
constexpr std::string_view kGnuAttributes[] = {
    "abi_tag", "access", "alias", "aligned", "alloc_align", "alloc_size", "always_inline", "artificial",
    "assume_aligned", "cdecl", "cf_check", "cleanup", "cold", "common", "const", "constructor", "copy",
    "deprecated", "designated_init", "destructor", "error", "externally_visible", "fallthrough", "fastcall",
    "fentry_name", "fentry_section", "flatten", "force_align_arg_pointer", "format", "format_arg",
    "function_return", "gcc_struct", "gnu_inline", "hot", "ifunc", "indirect_branch", "indirect_return",
    "init_priority", "interrupt", "leaf", "malloc", "may_alias", "mode", "ms_abi", "ms_struct", "naked",
    "no_address_safety_analysis", "no_caller_saved_registers", "no_icf", "no_instrument_function",
    "no_profile_instrument_function", "no_reorder", "no_sanitize", "no_sanitize_address",
    "no_sanitize_coverage", "no_sanitize_thread", "no_sanitize_undefined", "no_split_stack", "no_stack_limit",
    "no_stack_protector", "nocf_check", "noclone", "nocommon", "noinit", "noinline", "noipa", "nonnull",
    "nonstring", "noplt", "noreturn", "nothrow", "objc_nullability", "optimize", "packed",
    "patchable_function_entry", "persistent", "pure", "regparm", "retain", "returns_nonnull", "returns_twice",
    "scalar_storage_order", "section", "sentinel", "simd", "stack_protect", "stdcall", "symver", "sysv_abi",
    "tainted_args", "target", "target_clones", "thiscall", "tls_model", "transparent_union", "unavailable",
    "uninitialized", "unused", "used", "vector_size", "visibility", "warn_if_not_aligned", "warn_unused",
    "warn_unused_result", "warning", "weak", "weakref", "zero_call_used_regs",
};
static_assert(std::is_sorted(std::begin(kGnuAttributes), std::end(kGnuAttributes)));

template <std::size_t N>
bool inTable(const std::string_view (&table)[N], std::string_view name) {
  return std::binary_search(std::begin(table), std::end(table), name);
}

// `__name__` is `name`.
std::string_view plainAttributeName(std::string_view name) {
  if (name.size() > 4 && name.substr(0, 2) == "__" && name.substr(name.size() - 2) == "__")
    return name.substr(2, name.size() - 4);
  return name;
}

bool isIdentifier(std::string_view s) {
  if (s.empty() || !isIdentStart(s[0])) return false;
  return std::all_of(s.begin(), s.end(), isIdentPart);
}

// The text with every blank removed.
std::string withoutBlanks(std::string_view s) {
  std::string r;
  for (char c : s)
    if (!isSpace(c)) r += c;
  return r;
}

int builtinAnswer(std::string_view name) { return inTable(kBuiltins, name) ? 1 : 0; }

int attributeAnswer(std::string_view text) {
  std::string_view scope, name = text;
  if (std::size_t colons = text.find("::"); colons != std::string_view::npos) {
    scope = plainAttributeName(text.substr(0, colons));
    name = text.substr(colons + 2);
  }
  name = plainAttributeName(name);
  if (scope.empty()) {
    for (const StandardAttribute& a : kStandardAttributes)
      if (a.name == name) return a.value;
    return inTable(kGnuAttributes, name) ? 1 : 0;
  }
  return scope == "gnu" && inTable(kGnuAttributes, name) ? 1 : 0;
}

}  // namespace

void Preprocessor::installDialectEntries() {
  installSpecial("__has_include", KindHasInclude);
  installSpecial("__has_include_next", KindHasIncludeNext);
  installSpecial("__has_builtin", KindHasBuiltin);
  installSpecial("__has_attribute", KindHasAttribute);
  installSpecial("__has_cpp_attribute", KindHasCppAttribute);
  installSpecial("_Pragma", KindPragmaOperator);
}

// The parenthesised argument that follows a query's name, as plain text
// (blanks at its ends removed); false, with nothing consumed, when no `(`
// follows.
bool Preprocessor::queryArgument(Out& o, std::string& argument) {
  static const MacroDef oneParameter = [] {
    MacroDef d;
    d.paramCount = 1;
    return d;
  }();
  std::size_t at;
  int newlines;
  int index = peekNext(at, newlines);
  if (index < 0 || frames_[index].text[at] != '(') return false;
  commit(o, index, at + 1, newlines);
  std::string text;
  std::vector<Span> spans;
  if (!collectArguments(o, oneParameter, text, spans)) return false;
  argument = std::string(trimView(plainText(text, true)));
  return true;
}

bool Preprocessor::hasInclude(const std::string& argument, bool next) {
  std::string name;
  if (!headerName(argument, name)) {
    // A macro that gives the header name.
    std::string expanded = expandText(escapeInput(argument), true);
    if (!headerName(expanded, name)) {
      report(3, "ERINCLUDE", argument);
      return false;
    }
  }
  return !searchInclude(name, next).path.empty();
}

void Preprocessor::pragmaOperator(Out& o, const std::string& argument) {
  // A string literal, with or without an encoding prefix: the text of the
  // pragma is its content with `\"` and `\\` made plain.
  std::string_view v = argument;
  for (std::string_view prefix : {"u8", "L", "u", "U"})
    if (v.size() > prefix.size() && v.substr(0, prefix.size()) == prefix && v[prefix.size()] == '"') {
      v.remove_prefix(prefix.size());
      break;
    }
  if (v.size() < 2 || v.front() != '"' || v.back() != '"') {
    report(3, "SYNTAXERR", "_Pragma(" + argument + ")");
    return;
  }
  std::string text;
  for (std::size_t i = 1; i + 1 < v.size(); ++i) {
    if (v[i] == '\\' && i + 2 < v.size() && (v[i + 1] == '"' || v[i + 1] == '\\')) ++i;
    text += v[i];
  }
  // Lines that the pragma passes to the output (`zenta sizeof`) stand on a
  // line of their own; a marker then puts the text that follows back in
  // its place.
  const std::size_t before = o.buf.size();
  const bool midLine = !o.buf.empty() && o.buf.back() != '\n';
  doPragma(o, text);
  if (midLine && o.buf.size() != before) {
    o.buf.insert(before, 1, '\n');
    ++o.line;
    o.pending = o.forceMarker = true;
  }
}

bool Preprocessor::expandQuery(Out& o, Macro* m) {
  // In a text that will be scanned again, the pragma operator is left for
  // that scan, so that it takes effect where the text ends up.
  if (m->kind == KindPragmaOperator && o.intermediate) {
    emitToken(o, m->name());
    return false;
  }
  std::string argument;
  if (!queryArgument(o, argument)) {
    emitToken(o, m->name());
    return false;
  }
  int value = 0;
  if (queryDepth_ > 0 && m->kind != KindPragmaOperator) {
    report(3, "EXPERRONE", m->name() + "(" + argument + ")");
    emitToken(o, " 0 ");
    return true;
  }
  struct DepthGuard {
    int& depth;
    explicit DepthGuard(int& d) : depth(d) { ++depth; }
    ~DepthGuard() { --depth; }
  } guard(queryDepth_);
  switch (m->kind) {
    case KindHasInclude:
    case KindHasIncludeNext:
      value = hasInclude(argument, m->kind == KindHasIncludeNext) ? 1 : 0;
      break;
    case KindHasBuiltin:
    case KindHasAttribute:
    case KindHasCppAttribute: {
      std::string name = withoutBlanks(expandText(escapeInput(argument), true));
      std::string_view base = name;
      if (std::size_t colons = base.find("::"); colons != std::string_view::npos && m->kind != KindHasBuiltin)
        base = base.substr(colons + 2);
      if (!isIdentifier(base) || (m->kind == KindHasBuiltin && base.size() != name.size())) {
        report(3, "EXPERRONE", m->name() + "(" + argument + ")");
        break;
      }
      value = m->kind == KindHasBuiltin ? builtinAnswer(name) : attributeAnswer(name);
      break;
    }
    case KindPragmaOperator:
      pragmaOperator(o, argument);
      return true;
    default:
      break;
  }
  emitToken(o, " " + std::to_string(value) + " ");
  return true;
}

}  // namespace zenta::analyser::pp
