#!/usr/bin/env python3
"""The declaration analysis on the headers of real C libraries.

  check_headers.py --zentacpp BIN --stage DIR --library NAME --check messages|clang

messages: `zentacpp -analyse` on a file that includes the library's header
          must print no message and end with status 0.
clang:    every function that clang declares in the library's own headers
          must be in `zentacpp -analyse -dump` with the same parameter count
          (`+` after it when variadic), and every field of every named
          structure or union as `record::field`; so must every typedef and
          every enumerator of those headers.

The headers are read the way the compiler reads them: the staged standard
definitions (ZNTTGT) give the host's system directories; a library whose
header lives in a folder of its own gets that folder with -I, as its
pkg-config file tells its users.
"""
import argparse
import json
import os
import subprocess
import sys
import tempfile

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
    "libxml2": (["#include <libxml/tree.h>", "#include <libxml/parser.h>", "#include <libxml/xpath.h>"],
                ["/usr/include/libxml2"], ["libxml/"]),
}

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

    def node(self, n):
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
        elif mine and kind == "EnumConstantDecl":
            self.enumerators.add(n["name"])
        record = n.get("name") if kind == "RecordDecl" and mine and n.get("completeDefinition") else None
        for c in inner:
            self.node(c)
            if record and c.get("kind") == "FieldDecl" and c.get("name"):
                self.fields.add((record, c["name"]))


def write_input(tmp, library):
    lines, dirs, own = LIBRARIES[library]
    path = os.path.join(tmp, library + "_header.c")
    with open(path, "w") as f:
        f.write("\n".join(lines) + "\n")
    return path, dirs, own


def check_messages(args, tmp):
    path, dirs, _ = write_input(tmp, args.library)
    argv = [args.zentacpp, "-analyse"] + [a for d in dirs for a in ("-I", d)] + [path]
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

    counts = "%d functions, %d fields, %d typedefs, %d enumerators" % (
        len(walk.functions), len(walk.fields), len(walk.typedefs), len(walk.enumerators))
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


def main():
    p = argparse.ArgumentParser()
    p.add_argument("--zentacpp", required=True)
    p.add_argument("--stage", required=True)
    p.add_argument("--clang", default="clang")
    p.add_argument("--library", required=True, choices=sorted(LIBRARIES))
    p.add_argument("--check", required=True, choices=["messages", "clang"])
    args = p.parse_args()
    with tempfile.TemporaryDirectory(prefix="zenta-headers-") as tmp:
        return check_messages(args, tmp) if args.check == "messages" else check_clang(args, tmp)


if __name__ == "__main__":
    sys.exit(main())
