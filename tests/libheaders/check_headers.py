#!/usr/bin/env python3
"""The declaration analysis on the headers of real C libraries.

  check_headers.py --zentacpp BIN --stage DIR --library NAME --check messages|clang|typing

A library named NAME@c++NN is read in that dialect (zentacpp -std=c++NN, with
the dialect's standard definitions of the stage); the check is skipped (exit
status 77) when the stage has no standard definitions for it.

messages: `zentacpp -analyse` on a file that includes the library's header
          must print no message and end with status 0.
clang:    every function that clang declares in the library's own headers
          must be in `zentacpp -analyse -dump` with the same parameter count
          (`+` after it when variadic), and every field of every named
          structure or union as `record::field`; so must every typedef,
          enumerator, variable and structure, union or enumeration tag of
          those headers. For the C++ library
          (libstdc++, read in C++98): every class, structure, class or
          function template, method (with its parameter count), function
          and field, by qualified name.
typing:   a variable of every structure and union of those headers (named,
          or named by a typedef) is declared, and each of its fields (and
          the first element of each array field) is typed by `zentacpp
          -analyse -expr`, and so are a call of every function and an
          object of every typedef; g++,
          compiling the same declarations, gives the class, word and size
          that the C++ type of each calls for
          (tests/analyser/gxx_class_probe.h), and the C type text given
          with classes 0, 2, 3 and 6 must name that type.

The headers are read the way the compiler reads them: the staged standard
definitions (ZNTTGT) give the host's system directories; a library whose
header lives in a folder of its own gets that folder with -I, as its
pkg-config file tells its users.
"""
import argparse
import json
import os
import re
import subprocess
import sys
import tempfile

SOURCE_DIR = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
CXX_LIBRARIES = {"libstdc++", "libstdc++-reordered"}
# What the configuration of the analysis gives otherwise than a C++ compiler's:
# without __cplusplus, c++config.h does not define the dual string ABI, so
# <stdexcept> makes __sso_string a typedef; the standard definitions make
# __typeof(x) an int.
CXX_CONFIGURATION_NAMES = ("std::__sso_string", "__gnu_cxx::__uselocale")

# name: the lines of the analysed file, the folders given with -I, and the
# headers that belong to the library (a base name, or a folder ending in /).
LIBRARIES = {
    "zlib": (["#include <zlib.h>"], [], ["zlib.h", "zconf.h"]),
    "sqlite3": (["#include <sqlite3.h>"], [], ["sqlite3.h"]),
    "expat": (["#include <expat.h>"], [], ["expat.h", "expat_external.h"]),
    "bzip2": (["#include <bzlib.h>"], [], ["bzlib.h"]),
    "libpng": (["#include <png.h>"], ["/usr/include/libpng16"], ["png.h", "pngconf.h", "pnglibconf.h"]),
    "libyaml": (["#include <yaml.h>"], [], ["yaml.h"]),
    "lzma": (["#include <lzma.h>"], [], ["lzma.h", "lzma/"]),
    "jpeg": (["#include <stdio.h>", "#include <jpeglib.h>"], [], ["jpeglib.h", "jconfig.h", "jmorecfg.h"]),
    # The C++ library's headers, configured for C++98 by the standard
    # definitions (the analyser defines no __cplusplus).
    "libstdc++": (["#include <%s>" % h for h in (
                      "string", "vector", "map", "list", "set", "deque", "algorithm", "memory", "iostream",
                      "sstream", "fstream", "stdexcept", "cstdio", "cstring", "cmath", "utility", "iterator",
                      "functional", "queue", "stack")],
                  # c++config.h and cxxabi_forced.h declare only for a
                  # compiler with __cplusplus.
                  [], ["!c++config.h", "!cxxabi_forced.h", "c++/"]),
    # The same headers, containers before streams.
    "libstdc++-reordered": (["#include <%s>" % h for h in (
                                "vector", "list", "map", "set", "deque", "queue", "stack", "algorithm",
                                "iterator", "utility", "functional", "memory", "cmath", "cstring", "cstdio",
                                "stdexcept", "string", "iostream", "sstream", "fstream")],
                            [], ["!c++config.h", "!cxxabi_forced.h", "c++/"]),
    "libxml2": (["#include <libxml/tree.h>", "#include <libxml/parser.h>", "#include <libxml/xpath.h>"],
                ["/usr/include/libxml2"], ["libxml/"]),
}

# Headers read in the C++11 to C++20 dialects, with the host's predefined
# macros of each standard: the standard library's (the concepts, ranges and
# span headers from C++20), GoogleTest's and GoogleMock's public headers, two
# large modern libraries, and a modern header of our own, which clang reads
# too for the comparison of what is recorded.
STANDARD_HEADERS = ("vector", "list", "deque", "forward_list", "array", "map", "set", "unordered_map",
                    "unordered_set", "stack", "queue", "string", "string_view", "optional", "variant", "memory",
                    "functional", "tuple", "chrono", "thread", "mutex", "atomic", "filesystem", "iostream",
                    "algorithm")
DIALECT_SETS = {
    "stdlib": lambda std: ["#include <%s>" % h for h in STANDARD_HEADERS + (
        ("concepts", "ranges", "span") if std >= 20 else ())],
    "gtest": lambda std: ["#include <gtest/gtest.h>", "#include <gmock/gmock.h>"],
    "nlohmann-json": lambda std: ["#include <nlohmann/json.hpp>"],
    "fmt": lambda std: ["#include <fmt/format.h>", "#include <fmt/ranges.h>", "#include <fmt/chrono.h>"],
    "modern": lambda std: ['#include "%s"' % os.path.join(SOURCE_DIR, "tests", "libheaders", "data", "modern17.h")],
}
for _set, _lines in DIALECT_SETS.items():
    for _std in (11, 17, 20):
        if _set == "modern" and _std < 17:
            continue
        LIBRARIES["%s@c++%d" % (_set, _std)] = (_lines(_std), [], ["modern17.h"] if _set == "modern" else [])
CXX_LIBRARIES |= {name for name in LIBRARIES if name.startswith("modern@")}


def dialect_of(library):
    """The C++ standard a library is read in (11, 17 ...), or None."""
    return int(library.split("@c++")[1]) if "@c++" in library else None


def dialect_arguments(args):
    """zentacpp's arguments for the library's dialect; None when the stage
    has no standard definitions for it (the check is then skipped)."""
    std = dialect_of(args.library)
    if std is None:
        return []
    if not os.path.exists(os.path.join(args.stage, "ana", "znus_cxx%d.def" % std)):
        print("%s: no standard definitions for C++%d in the stage: skipped" % (args.library, std))
        return None
    return ["-std=c++%d" % std]

MESSAGE_TAGS = ("-W-", "-E-", "-F-", "-S-")


def environment(stage):
    env = dict(os.environ)
    env["QUARTODIR"] = stage
    env["ZNTTGT"] = stage
    for name in ("ZNUTGT", "ZNW_ADD_USR_INCLUDE", "ZENTALAN"):
        env.pop(name, None)
    return env


def run(argv, env=None):
    p = subprocess.run(argv, env=env, stdout=subprocess.PIPE, stderr=subprocess.PIPE, timeout=600)
    return p.returncode, p.stdout.decode("utf-8", "replace"), p.stderr.decode("utf-8", "replace")


def message_lines(err):
    return [l for l in err.splitlines() if any(t in l for t in MESSAGE_TAGS)]


def owned(path, own):
    if not path:
        return False
    path = path.replace("\\", "/")
    for o in own:
        if o.startswith("!"):
            if os.path.basename(path) == o[1:]:
                return False
            continue
        if o.endswith("/"):
            if "/" + o in path or path.startswith(o):
                return True
        elif os.path.basename(path) == o:
            return True
    return False


class ClangWalk:
    """The declarations of a clang JSON dump, with the file of each.

    The dump writes a location's file only when it differs from that of the
    location written before it, so the walk reads every location in the
    order of the dump and carries the last file along."""

    def __init__(self, own):
        self.own = own
        self.file = None
        self.functions = {}  # name -> set of arities
        self.fields = set()  # (record, field)
        self.typedefs = set()
        self.enumerators = set()
        self.variables = set()  # at file scope
        self.typedef_types = {}  # typedef name -> clang type
        self.tags = set()  # (struct/union/enum, name) of the definitions at file scope
        # Complete records of the own headers: id -> [spelling, nested, fields
        # as (name, clang type)]; the spelling is `struct name`, or the
        # typedef name of an unnamed record, or None.
        self.records = {}

    def bare(self, loc):
        if "file" in loc:
            self.file = loc["file"]
        return self.file

    def location(self, loc):
        if "spellingLoc" in loc or "expansionLoc" in loc:
            where = self.file
            for key, value in loc.items():
                if key == "spellingLoc":
                    self.bare(value)
                elif key == "expansionLoc":
                    where = self.bare(value)
            return where
        return self.bare(loc)

    def node(self, n, in_record=False, in_function=False):
        where = self.location(n.get("loc") or {})
        rng = n.get("range") or {}
        for key in ("begin", "end"):
            if key in rng:
                self.location(rng[key])
        mine = owned(where, self.own) and not n.get("isImplicit")
        kind = n.get("kind")
        inner = n.get("inner") or []
        if mine and kind == "FunctionDecl":
            arity = str(sum(1 for c in inner if c.get("kind") == "ParmVarDecl"))
            if n.get("variadic"):
                arity += "+"
            self.functions.setdefault(n["name"], set()).add(arity)
        elif mine and kind == "TypedefDecl":
            self.typedefs.add(n["name"])
            self.typedef_types[n["name"]] = (n.get("type") or {}).get("qualType", "")
            owned_tag = (inner[0].get("ownedTagDecl") or {}) if inner else {}
            if owned_tag.get("id") in self.records and not owned_tag.get("name"):
                record = self.records[owned_tag["id"]]
                if record[0] is None:
                    record[0] = n["name"]
        elif mine and kind == "EnumConstantDecl":
            self.enumerators.add(n["name"])
        elif mine and kind == "VarDecl" and not in_function and n.get("name"):
            self.variables.add(n["name"])
        elif mine and kind == "EnumDecl" and n.get("name"):
            self.tags.add(("enum", n["name"]))
        if mine and kind == "RecordDecl" and n.get("name") and n.get("completeDefinition") and not in_record:
            self.tags.add((n.get("tagUsed", "struct"), n["name"]))
        is_record = kind == "RecordDecl" and mine and n.get("completeDefinition")
        record = n.get("name") if is_record else None
        fields = []
        if is_record:
            spelling = "%s %s" % (n.get("tagUsed", "struct"), record) if record else None
            self.records[n["id"]] = [spelling, in_record, fields]
        for c in inner:
            self.node(c, in_record or kind == "RecordDecl", in_function or kind == "FunctionDecl")
            if is_record and c.get("kind") == "FieldDecl" and c.get("name"):
                fields.append((c["name"], (c.get("type") or {}).get("qualType", "")))
                if record:
                    self.fields.add((record, c["name"]))


class CxxWalk(ClangWalk):
    """The members and functions of a C++ dump, with their qualified names.

    Specialisations of class templates, members defined out of their
    class, friends and conversion operators are not compared."""

    METHODS = ("CXXMethodDecl", "CXXConstructorDecl", "CXXDestructorDecl", "CXXConversionDecl")

    def __init__(self, own):
        ClangWalk.__init__(self, own)
        self.entities = {}  # (kind, qualified name) -> set of arities

    def add(self, kind, name, arity):
        self.entities.setdefault((kind, name), set()).add(arity)

    def node(self, n, scope=(), in_record=False, in_template=False):
        where = self.location(n.get("loc") or {})
        rng = n.get("range") or {}
        for key in ("begin", "end"):
            if key in rng:
                self.location(rng[key])
        kind = n.get("kind")
        name = n.get("name")
        if name and "<" in name and not name.startswith("operator"):
            name = name[:name.index("<")]  # constructors of templates: `vector<_Tp, _Alloc>`
        mine = owned(where, self.own) and not n.get("isImplicit")
        inner = n.get("inner") or []
        # Friends belong to the enclosing namespace, and what is defined out
        # of its class has a scope that the walk does not follow.
        if (kind in ("ClassTemplateSpecializationDecl", "ClassTemplatePartialSpecializationDecl", "FriendDecl")
                or "parentDeclContextId" in n):
            for c in inner:
                self.skip(c)
            return
        qualified = "::".join(scope + (name,)) if name else None
        child_scope, child_record, child_template = scope, False, False
        if kind == "NamespaceDecl":
            if name:
                child_scope = scope + (name,)
        elif kind == "ClassTemplateDecl":
            if mine:
                self.add("template", qualified, "-")
            child_scope, child_template = scope + (name,), True
        elif kind == "CXXRecordDecl":
            if in_template and scope and scope[-1] == name:
                child_scope, child_record = scope, True
            elif name:
                if mine and n.get("completeDefinition"):
                    self.add(n.get("tagUsed", "struct"), qualified, "-")
                child_scope, child_record = scope + (name,), True
            else:
                child_record = True
        elif kind == "FunctionTemplateDecl":
            if mine and name and "type-parameter" not in name:
                self.add("template", qualified, "-")
            for c in inner:
                self.skip(c)
            return
        elif kind == "CXXConversionDecl" or "type-parameter" in (name or ""):
            pass  # clang names a conversion by the canonical type: `operator long`
        elif kind in ("FunctionDecl",) + self.METHODS and mine and name:
            arity = str(sum(1 for c in inner if c.get("kind") == "ParmVarDecl"))
            if n.get("variadic"):
                arity += "+"
            if kind == "FunctionDecl" and not in_record:
                self.add("function", qualified, arity)
            elif in_record:
                self.add("method", qualified, arity)
        elif kind == "FieldDecl" and mine and name and in_record:
            self.add("field", qualified, "-")
        if kind in ("FunctionDecl",) + self.METHODS:
            for c in inner:
                self.skip(c)
            return
        for c in inner:
            self.node(c, child_scope, child_record, child_template)

    def skip(self, n):
        """Reads the locations of a subtree that is not compared."""
        self.location(n.get("loc") or {})
        rng = n.get("range") or {}
        for key in ("begin", "end"):
            if key in rng:
                self.location(rng[key])
        for key, value in n.items():
            if key in ("loc", "range"):
                continue
            if isinstance(value, dict):
                if key != "inner":
                    self.skip_value(value)
            elif isinstance(value, list):
                for v in value:
                    if isinstance(v, dict):
                        self.skip(v)

    def skip_value(self, value):
        # Locations hide in a few attributes other than loc and range.
        for key, v in value.items():
            if isinstance(v, dict):
                if "offset" in v or "spellingLoc" in v or "expansionLoc" in v:
                    self.location(v)
                else:
                    self.skip_value(v)


def check_cxx(args, tmp):
    path, dirs, own = write_input(tmp, args.library)
    incl = [a for d in dirs for a in ("-I", d)]
    std = dialect_of(args.library)
    dialect = dialect_arguments(args)
    if dialect is None:
        return SKIPPED
    # The configuration header of the C++ library takes the old string ABI
    # for a compiler without __cplusplus; clang is given the same.
    language = ["-std=c++%d" % std] if std else ["-std=c++98", "-D_GLIBCXX_USE_CXX11_ABI=0"]
    status, out, err = run([args.clang, "-x", "c++"] + language + ["-fsyntax-only",
                            "-Xclang", "-ast-dump=json"] + incl + [path])
    if status != 0:
        print("clang failed on %s:\n%s" % (args.library, err[:4000]))
        return 1
    walk = CxxWalk(own)
    sys.setrecursionlimit(100000)
    walk.node(json.loads(out))
    del out
    status, out, err = run([args.zentacpp, "-analyse", "-dump"] + dialect + incl + [path], environment(args.stage))
    ours = {}
    for line in out.splitlines():
        parts = line.split("\t")
        if len(parts) >= 3:
            ours.setdefault((parts[0], parts[1]), set()).add(parts[2])
    faults = []
    for (kind, name), arities in sorted(walk.entities.items()):
        if any(name == c or name.startswith(c + "::") for c in CXX_CONFIGURATION_NAMES):
            continue
        have = ours.get((kind, name))
        if have is None:
            faults.append("missing %s %s (arity %s)" % (kind, name, "/".join(sorted(arities))))
        elif arities - have:
            faults.append("%s %s: arities %s, clang %s" % (kind, name, "/".join(sorted(have)), "/".join(sorted(arities))))
    kinds = {}
    for kind, _ in walk.entities:
        kinds[kind] = kinds.get(kind, 0) + 1
    counts = ", ".join("%d %s" % (v, k) for k, v in sorted(kinds.items()))
    if not faults:
        print("%s: %s agree with clang" % (args.library, counts))
        return 0
    print("%s: %d difference(s) with clang over %s (zentacpp status %d)" % (args.library, len(faults), counts, status))
    for f in faults[:args.show]:
        print("  " + f)
    if len(faults) > args.show:
        print("  ... and %d more" % (len(faults) - args.show))
    return 1


SKIPPED = 77


def write_input(tmp, library):
    lines, dirs, own = LIBRARIES[library]
    path = os.path.join(tmp, library + "_header.c")
    with open(path, "w") as f:
        f.write("\n".join(lines) + "\n")
    return path, dirs, own


def check_messages(args, tmp):
    path, dirs, _ = write_input(tmp, args.library)
    dialect = dialect_arguments(args)
    if dialect is None:
        return SKIPPED
    argv = [args.zentacpp, "-analyse"] + dialect + [a for d in dirs for a in ("-I", d)] + [path]
    status, _, err = run(argv, environment(args.stage))
    found = message_lines(err)
    if status == 0 and not found:
        print("%s: no message, status 0" % args.library)
        return 0
    print("%s: status %d, %d message(s)" % (args.library, status, len(found)))
    for l in found[:60]:
        print("  " + l)
    return 1


def read_dump(out):
    entries = {}
    for line in out.splitlines():
        parts = line.split("\t")
        if len(parts) < 3:
            continue
        entries.setdefault(parts[0], []).append((parts[1], parts[2]))
    return entries


def check_clang(args, tmp):
    path, dirs, own = write_input(tmp, args.library)
    incl = [a for d in dirs for a in ("-I", d)]
    status, out, err = run([args.clang, "-x", "c", "-fsyntax-only", "-Xclang", "-ast-dump=json"] + incl + [path])
    if status != 0:
        print("clang failed on %s:\n%s" % (args.library, err[:4000]))
        return 1
    walk = ClangWalk(own)
    sys.setrecursionlimit(100000)
    walk.node(json.loads(out))
    del out
    if not walk.functions:
        print("clang gave no function for %s: the table of own headers is wrong" % args.library)
        return 1

    status, out, err = run([args.zentacpp, "-analyse", "-dump"] + incl + [path], environment(args.stage))
    dump = read_dump(out)
    arities = {}
    for name, arity in dump.get("function", []):
        arities.setdefault(name, set()).add(arity)
    fields = set()
    for name, _ in dump.get("field", []):
        parts = name.split("::")
        if len(parts) >= 2:
            fields.add((parts[-2], parts[-1]))
    typedefs = {n for n, _ in dump.get("typedef", [])}
    enumerators = {n.split("::")[-1] for n, _ in dump.get("enumerator", [])}
    variables = {n for n, _ in dump.get("variable", [])}
    tags = {(k, n) for k in ("struct", "union", "enum") for n, _ in dump.get(k, [])}

    faults = []
    for name in sorted(walk.functions):
        want = walk.functions[name]
        have = arities.get(name)
        if not have:
            faults.append("missing function %s (arity %s)" % (name, "/".join(sorted(want))))
        elif not want & have:
            faults.append("function %s: arity %s, clang %s" % (name, "/".join(sorted(have)), "/".join(sorted(want))))
    for record, field in sorted(walk.fields - fields):
        faults.append("missing field %s::%s" % (record, field))
    for name in sorted(walk.typedefs - typedefs):
        faults.append("missing typedef %s" % name)
    for name in sorted(walk.enumerators - enumerators):
        faults.append("missing enumerator %s" % name)
    for name in sorted(walk.variables - variables):
        faults.append("missing variable %s" % name)
    for kind, name in sorted(walk.tags - tags):
        faults.append("missing %s %s" % (kind, name))

    counts = "%d functions, %d fields, %d typedefs, %d enumerators, %d variables, %d tags" % (
        len(walk.functions), len(walk.fields), len(walk.typedefs), len(walk.enumerators), len(walk.variables),
        len(walk.tags))
    if not faults:
        print("%s: %s agree with clang" % (args.library, counts))
        return 0
    print("%s: %d difference(s) with clang over %s (zentacpp status %d)" % (args.library, len(faults), counts, status))
    for f in faults[:80]:
        print("  " + f)
    if len(faults) > 80:
        print("  ... and %d more" % (len(faults) - 80))
    msgs = message_lines(err)
    if msgs:
        print("zentacpp messages (%d):" % len(msgs))
        for l in msgs[:30]:
            print("  " + l)
    return 1


def clang_walk(args, tmp, path, dirs, own):
    incl = [a for d in dirs for a in ("-I", d)]
    status, out, err = run([args.clang, "-x", "c", "-fsyntax-only", "-Xclang", "-ast-dump=json"] + incl + [path])
    if status != 0:
        print("clang failed on %s:\n%s" % (args.library, err[:4000]))
        return None
    walk = ClangWalk(own)
    sys.setrecursionlimit(100000)
    walk.node(json.loads(out))
    return walk


def check_type_texts(args, tmp, text, undefs, incl, expressions, got, origins):
    """The C type text that the analyser gives each expression (classes 0,
    2, 3 and 6; a string's is always `char *`) must name, for g++, the type
    of the expression (its result type for a function), top-level
    qualifiers aside."""
    # An unnamed structure has no name to write (`union { ... } [6]`).
    checked = [i for i, ours in enumerate(got[:len(expressions)])
               if len(ours) == 5 and ours[1] in ("0", "2", "3", "6") and ours[3] and "{" not in ours[3]]
    faults = []
    for attempt in range(2):
        source = os.path.join(tmp, "types.cpp")
        head = '#include "tests/analyser/gxx_class_probe.h"\n' + text + undefs
        first_alias = head.count("\n") + 1
        with open(source, "w") as f:
            f.write(head)
            for n, i in enumerate(checked):
                f.write("using zc%d = %s;\n" % (n, got[i][3]))
            f.write("int main() {\n")
            for n, i in enumerate(checked):
                if origins[i].startswith("result of "):
                    # A call with zeros may not compile: the function's result.
                    f.write("  GXX_SAME_RESULT(%d, %s, zc%d);\n" % (i, origins[i][len("result of "):], n))
                else:
                    f.write("  GXX_SAME(%d, %s, zc%d);\n" % (i, expressions[i], n))
            f.write("}\n")
        binary = os.path.join(tmp, "types")
        status, _, err = run([args.gxx, "-std=c++20", "-w", "-I", args.source] + incl + ["-o", binary, source])
        if status == 0:
            break
        # Aliases that g++ refuses: the C type text is no type there.
        refused = set()
        for line in err.splitlines():
            m = re.match(re.escape(source) + r":(\d+):\d+: error: ", line)
            if m:
                n = int(m.group(1)) - first_alias
                if 0 <= n < len(checked):
                    refused.add(n)
        if not refused or attempt == 1:
            return faults + ["g++ failed on the type texts:\n" + err[:3000]]
        for n in sorted(refused):
            i = checked[n]
            faults.append("%s: C type text `%s` is no type for g++, %s" % (expressions[i], got[i][3], origins[i]))
        checked = [i for n, i in enumerate(checked) if n not in refused]
    status, out, _ = run([binary])
    for line in out.splitlines():
        index, equal = line.split("\t")
        i = int(index)
        if equal != "1":
            faults.append("%s: C type text `%s` is not its type for g++, %s" % (expressions[i], got[i][3], origins[i]))
    return faults


def check_typing(args, tmp):
    path, dirs, own = write_input(tmp, args.library)
    walk = clang_walk(args, tmp, path, dirs, own)
    if walk is None:
        return 1
    declarations, expressions, origins = [], [], []
    for spelling, nested, fields in walk.records.values():
        if spelling is None or nested or not fields:
            continue
        var = "zv%d" % len(declarations)
        declarations.append("%s %s;" % (spelling, var))
        for name, clang_type in fields:
            expressions.append("%s.%s" % (var, name))
            origins.append("%s::%s (%s)" % (spelling, name, clang_type))
            if clang_type.endswith("]"):
                expressions.append("%s.%s[0]" % (var, name))
                origins.append("%s::%s[0] (%s)" % (spelling, name, clang_type))
    probes = ["GXX_PROBE(%d, %s);" % (i, e) for i, e in enumerate(expressions)]
    # A call of every function, with as many arguments as it has fixed
    # parameters (the typer does not check them): its result type.
    for name in sorted(walk.functions):
        arity = int(min(walk.functions[name]).rstrip("+"))
        probes.append("GXX_PROBE_RESULT(%d, %s);" % (len(expressions), name))
        expressions.append("%s(%s)" % (name, ",".join(["0"] * arity)))
        origins.append("result of %s" % name)
    # An object of every typedef (declared only: the type may be incomplete).
    for name in sorted(walk.typedef_types):
        if walk.typedef_types[name] in ("void", "const void"):
            continue
        var = "zt%d" % len(declarations)
        declarations.append("extern %s %s;" % (name, var))
        probes.append("GXX_PROBE(%d, %s);" % (len(expressions), var))
        expressions.append(var)
        origins.append("typedef %s (%s)" % (name, walk.typedef_types[name]))
    lines = LIBRARIES[args.library][0]
    text = "\n".join(lines + declarations) + "\n"
    with open(path, "w") as f:
        f.write(text)

    probe = os.path.join(tmp, "probe.cpp")
    with open(probe, "w") as f:
        # A field may share its name with a macro of the headers (libxml2's
        # globals): the probe names the field, as -expr does.
        names = sorted({name for _, _, fields in walk.records.values() for name, _ in fields} | set(walk.functions))
        names = [n for n in names if n not in walk.typedef_types]
        undefs = "".join("#undef %s\n" % name for name in names)
        f.write('#include "tests/analyser/gxx_class_probe.h"\n' + text + undefs + "int main() {\n")
        for p in probes:
            f.write("  %s\n" % p)
        f.write("}\n")
    binary = os.path.join(tmp, "probe")
    incl = [a for d in dirs for a in ("-I", d)]
    status, _, err = run([args.gxx, "-std=c++20", "-w", "-I", args.source] + incl + ["-o", binary, probe])
    if status != 0:
        print("g++ failed on the probe of %s:\n%s" % (args.library, err[:4000]))
        return 1
    status, out, _ = run([binary])
    expected = [l.split("\t") for l in out.splitlines()]
    if status != 0 or len(expected) != len(expressions):
        print("the probe of %s gave %d lines for %d expressions" % (args.library, len(expected), len(expressions)))
        return 1

    argv = [args.zentacpp, "-analyse"] + incl
    for e in expressions:
        argv += ["-expr", e]
    status, out, err = run(argv + [path], environment(args.stage))
    got = [l.split("\t") for l in out.splitlines()]
    faults = []
    msgs = message_lines(err)
    if status != 0 or msgs:
        faults.append("zentacpp status %d, %d message(s)" % (status, len(msgs)))
        faults += ["  " + m for m in msgs[:20]]
    if len(got) != len(expressions):
        faults.append("zentacpp gave %d lines for %d expressions" % (len(got), len(expressions)))
    for i, e in enumerate(expressions[:len(got)]):
        _, k, word, size = expected[i]
        word = "" if word == "-" else word
        ours = got[i]
        if size == "*" and len(ours) == 5:
            size = ours[4]  # bool: the size is not compared
        if len(ours) != 5:
            faults.append("%s: not typed, field %s" % (e, origins[i]))
        elif [ours[1], ours[2], ours[4]] != [k, word, size]:
            faults.append("%s: ours %s %s %s (C type %s), g++ %s %s %s, field %s" % (
                e, ours[1], ours[2] or "-", ours[4], ours[3] or "-", k, word or "-", size, origins[i]))
    faults += check_type_texts(args, tmp, text, undefs, incl, expressions, got, origins)
    counts = "%d structures, %d functions, %d expressions" % (len(declarations), len(walk.functions), len(expressions))
    if not faults:
        print("%s: %s agree with g++" % (args.library, counts))
        return 0
    print("%s: %d difference(s) with g++ over %s" % (args.library, len(faults), counts))
    for f in faults[:80]:
        print("  " + f)
    if len(faults) > 80:
        print("  ... and %d more" % (len(faults) - 80))
    return 1


def main():
    p = argparse.ArgumentParser()
    p.add_argument("--zentacpp", required=True)
    p.add_argument("--stage", required=True)
    p.add_argument("--clang", default="clang")
    p.add_argument("--gxx", default="g++")
    p.add_argument("--source", default=SOURCE_DIR)
    p.add_argument("--library", required=True, choices=sorted(LIBRARIES))
    p.add_argument("--check", required=True, choices=["messages", "clang", "typing"])
    p.add_argument("--show", type=int, default=80, help="differences shown at most")
    args = p.parse_args()
    with tempfile.TemporaryDirectory(prefix="zenta-headers-") as tmp:
        check = {"messages": check_messages, "clang": check_clang, "typing": check_typing}[args.check]
        if args.library in CXX_LIBRARIES and args.check == "clang":
            check = check_cxx
        return check(args, tmp)


if __name__ == "__main__":
    sys.exit(main())
