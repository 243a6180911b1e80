// The type and symbol tables under the load of large headers, next to the
// host's `g++ -fsyntax-only` on a source with the same declarations, in one
// run.
//
// N declarations (200,000 by default) spread over 100 namespaces: typedefs,
// structures (tags) and variables of pointer types, a few names declared in
// every namespace. Our figure is the time to intern the names, make the
// records and declare them, then look every name up from a nested scope and
// classify it as the lexers do. g++ parses the same declarations, each name
// used once. Processor time, best of three; the ratio is g++'s time over
// ours.
//
//   zenta_tables_bench [N]
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "analyser/ast/context.h"
#include "analyser/ast/symbols.h"

using namespace zenta::analyser;

namespace {

double cpuSeconds() {
  rusage self{}, children{};
  getrusage(RUSAGE_SELF, &self);
  getrusage(RUSAGE_CHILDREN, &children);
  auto sec = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
  return sec(self.ru_utime) + sec(self.ru_stime) + sec(children.ru_utime) + sec(children.ru_stime);
}

double best(const std::function<void()>& work) {
  double b = 1e30;
  for (int i = 0; i < 3; ++i) {
    double t0 = cpuSeconds();
    work();
    b = std::min(b, cpuSeconds() - t0);
  }
  return b;
}

constexpr int kNamespaces = 100;

// Declaration d (in namespace d % 100): 0 typedef, 1 structure, 2 variable
// by d % 3. One in 50 of each namespace's names is declared in every
// namespace.
std::string nameOf(int d) {
  const int inSpace = d / kNamespaces;
  return inSpace % 50 == 0 ? "shared_" + std::to_string(inSpace) : "name_" + std::to_string(d);
}

std::size_t lastArena = 0;
std::size_t found = 0;

void runTables(int n) {
  AstContext ctx;
  SymbolTable table(ctx);
  std::vector<int> spaces;
  for (int k = 0; k < kNamespaces; ++k) {
    spaces.push_back(table.openScope(internName("ns_" + std::to_string(k)), ScopeKind::Namespace));
    table.closeScope();
  }
  Type* i = ctx.integerType("int");
  for (int d = 0; d < n; ++d) {
    const int scope = spaces[static_cast<std::size_t>(d % kNamespaces)];
    Name name = internName(nameOf(d));
    switch (d % 3) {
      case 0: table.declareSymbol(name, ctx.typedefType(name, ctx.pointerTo(i), scope), StTypedef, scope); break;
      case 1: {
        StructuredType* s = ctx.structureType(name, false, scope);
        ctx.addMember(s, ctx.makeMember(internName("m"), i, 0, scope, Access::Public));
        table.declareTag(name, s, scope);
        break;
      }
      default: table.declareSymbol(name, ctx.pointerTo(ctx.pointerTo(i)), 0, scope); break;
    }
  }
  found = 0;
  for (int d = 0; d < n; ++d) {
    const int scope = spaces[static_cast<std::size_t>(d % kNamespaces)];
    Name name = findName(nameOf(d));
    if (d % 3 == 1) found += table.lookupTag(name, static_cast<int>(TypeKind::Structure), scope) != nullptr;
    else found += table.lookupSymbol(name, scope) != nullptr;
    found += table.classify(name, scope) != IdentifierClass::Plain;
  }
  lastArena = ctx.arena().bytesAllocated();
}

void writeSource(const std::string& path, int n) {
  std::ofstream out(path);
  for (int k = 0; k < kNamespaces; ++k) {
    out << "namespace ns_" << k << " {\n";
    std::string uses = "inline void use_" + std::to_string(k) + "() {\n";
    for (int d = k; d < n; d += kNamespaces) {
      const std::string name = nameOf(d);
      switch (d % 3) {
        case 0:
          out << "typedef int *" << name << ";\n";
          uses += "  { " + name + " x = 0; (void)x; }\n";
          break;
        case 1:
          out << "struct " << name << " { int m; };\n";
          uses += "  { struct " + name + " x; (void)x; }\n";
          break;
        default:
          out << "extern int **" << name << ";\n";
          uses += "  (void)" + name + ";\n";
          break;
      }
    }
    out << uses << "}\n}\n";
  }
}

}  // namespace

int main(int argc, char** argv) {
  const int n = argc > 1 ? std::atoi(argv[1]) : 200000;
  const double ours = best([n] { runTables(n); });
  std::printf("tables: %d declarations declared, looked up and classified: %.3f s (%zu found, %.1f MB of records)\n",
              n, ours, found, static_cast<double>(lastArena) / 1e6);

  const std::string source = "/tmp/zenta_tables_bench_" + std::to_string(getpid()) + ".cpp";
  writeSource(source, n);
  const std::string cmd = "g++ -std=c++98 -fsyntax-only -fmax-errors=5 " + source;
  bool failed = false;
  const double gxx = best([&] { failed = failed || std::system(cmd.c_str()) != 0; });
  std::remove(source.c_str());
  if (failed) {
    std::printf("g++ -fsyntax-only failed on the generated source\n");
    return 1;
  }
  std::printf("g++ -fsyntax-only on the same declarations: %.3f s\n", gxx);
  std::printf("ratio g++/tables: %.1f\n", ours > 0 ? gxx / ours : 0.0);
  return 0;
}
