#!/usr/bin/env python3
"""Mutation score of the core numerical code on a fixed random sample of mutants.

A mutant changes one token of one .cpp file in solver/matrix, solver/meshless or
solver/analysis: a comparison operator flipped (< to <=, == to != ...), an
arithmetic operator swapped (+ to -, * to /) or an integer constant moved by one.

  prepare TREE DEST       copies the checkout TREE to DEST/src with every library
         built shared, configures DEST/build (Release, tests on) and builds it, so
         that a test program loads whichever library LD_LIBRARY_PATH names first.
  build  SRC BUILD STORE   makes every mutant of the sample once: the mutated
         file is compiled into its library in BUILD (a prepared DEST/build from
         SRC = DEST/src) and the library is kept in STORE/<id>/; mutants that do
         not compile are dropped.
  run    STORE TESTDIR...  runs the test programs of each TESTDIR (a build
         folder) against every kept mutant through LD_LIBRARY_PATH and prints the
         number killed. Several TESTDIRs (say, the suite before and after a change)
         are scored on the same mutants in one pass.

The sample depends only on --seed, --count and the source text, so the same
mutants can be scored again later.
"""
import argparse
import json
import os
import random
import re
import shutil
import subprocess
import sys
import time
from pathlib import Path

FOLDERS = {"solver/matrix": "zelk_matrix", "solver/meshless": "zelk_meshless",
           "solver/analysis": "zelk_analysis"}
SWAPS = {"<": "<=", "<=": "<", ">": ">=", ">=": ">", "==": "!=", "!=": "==",
         "+": "-", "-": "+", "*": "/", "/": "*", "&&": "||", "||": "&&"}
# An operator between spaces (so template brackets, pointers and unary signs are left
# alone), or an integer literal standing on its own.
TOKEN = re.compile(r"(?<= )(<=|>=|==|!=|&&|\|\||[<>+\-*/])(?= )|(?<![\w.])(\d+)(?![\w.])")
TEST_PROGRAMS = ["matrix_tests", "meshless_tests", "analysis_tests", "model_tests",
                 "driver_tests", "e2e_tests"]


def code_part(line):
    """The line without a // comment and with string literals blanked."""
    line = re.sub(r'"(\\.|[^"\\])*"', lambda m: '"' + " " * (len(m.group(0)) - 2) + '"', line)
    cut = line.find("//")
    return line if cut < 0 else line[:cut]


def mutation_sites(src):
    sites = []
    for folder in FOLDERS:
        for path in sorted((src / folder).glob("*.cpp")):
            for number, line in enumerate(path.read_text().splitlines()):
                code = code_part(line)
                if code.lstrip().startswith(("#", "*")):
                    continue
                for m in TOKEN.finditer(code):
                    old = m.group(0)
                    news = [SWAPS[old]] if m.group(1) else [str(int(old) + 1)] + (
                        [str(int(old) - 1)] if int(old) > 0 else [])
                    for new in news:
                        sites.append({"file": str(path.relative_to(src)), "line": number,
                                      "col": m.start(), "old": old, "new": new})
    return sites


def sample(src, seed, count):
    sites = mutation_sites(src)
    chosen = random.Random(seed).sample(sites, min(count, len(sites)))
    for i, s in enumerate(chosen):
        s["id"] = i
    return chosen, len(sites)


def apply(src, site):
    path = src / site["file"]
    lines = path.read_text().split("\n")
    line = lines[site["line"]]
    assert line[site["col"]:site["col"] + len(site["old"])] == site["old"], site
    lines[site["line"]] = line[:site["col"]] + site["new"] + line[site["col"] + len(site["old"]):]
    return path, "\n".join(lines)


def library_of(site):
    return FOLDERS[str(Path(site["file"]).parent)]


def prepare(args):
    tree, dest = Path(args.tree), Path(args.dest)
    files = subprocess.run(["git", "-C", str(tree), "ls-files", "-co", "--exclude-standard"],
                           capture_output=True, text=True, check=True).stdout.split()
    for name in files:
        target = dest / "src" / name
        target.parent.mkdir(parents=True, exist_ok=True)
        if (tree / name).is_file():
            shutil.copy2(tree / name, target)
    for cmake in (dest / "src").rglob("CMakeLists.txt"):
        cmake.write_text(re.sub(r"(add_library\(\w+) STATIC", r"\1 SHARED", cmake.read_text()))
    subprocess.run(["cmake", "-S", str(dest / "src"), "-B", str(dest / "build"), "-DCMAKE_BUILD_TYPE=Release",
                    "-DZELK_BUILD_TESTS=ON", "-DCMAKE_POSITION_INDEPENDENT_CODE=ON"], check=True,
                   stdout=subprocess.DEVNULL)
    subprocess.run(["cmake", "--build", str(dest / "build"), "-j2"], check=True, stdout=subprocess.DEVNULL)


def build(args):
    src, build_dir, store = Path(args.src), Path(args.build), Path(args.store)
    mutants, total = sample(src, args.seed, args.count)
    store.mkdir(parents=True, exist_ok=True)
    # The unmutated libraries, so that a test run loads one mutant and nothing else
    # (the build folder holds whichever mutant was built last).
    subprocess.run(["cmake", "--build", str(build_dir)], check=True, stdout=subprocess.DEVNULL)
    (store / "original").mkdir(exist_ok=True)
    for lib in build_dir.rglob("libzelk_*.so"):
        shutil.copy2(lib, store / "original" / lib.name)
    kept = []
    for site in mutants:
        out = store / str(site["id"])
        lib = "lib%s.so" % library_of(site)
        if (out / lib).exists():
            kept.append(site)
            continue
        path, text = apply(src, site)
        original = path.read_text()
        try:
            path.write_text(text)
            ok = subprocess.run(["cmake", "--build", str(build_dir), "--target", library_of(site)],
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL).returncode == 0
            if ok:
                found = list(build_dir.rglob(lib))
                out.mkdir(exist_ok=True)
                shutil.copy2(found[0], out / lib)
                kept.append(site)
        finally:
            path.write_text(original)
            # the file's time stamp moves on, so the next build restores the original library
        print("mutant %d %s:%d %s -> %s %s" % (site["id"], site["file"], site["line"] + 1,
                                              site["old"], site["new"], "built" if ok else "does not compile"),
              flush=True)
    subprocess.run(["cmake", "--build", str(build_dir)], stdout=subprocess.DEVNULL)
    (store / "mutants.json").write_text(json.dumps({"sites": total, "mutants": kept}, indent=1))
    print("%d sites, %d sampled, %d compiled" % (total, len(mutants), len(kept)))


def killed(test_dir, lib_dir, timeout, last=""):
    """True when a test program of test_dir fails (or hangs) against the mutant.

    Tests matching the gtest filter `last` (the slow ones) run after all the others,
    so that most mutants are found by the quick tests first."""
    env = dict(os.environ, LD_LIBRARY_PATH="%s:%s" % (lib_dir, Path(lib_dir).parent / "original"))
    passes = [["--gtest_filter=-" + last], ["--gtest_filter=" + last]] if last else [[]]
    for extra in passes:
        for name in TEST_PROGRAMS:
            program = next((Path(test_dir) / "tests").rglob(name), None)
            if program is None:
                continue
            try:
                r = subprocess.run([str(program), "--gtest_fail_fast", "--gtest_brief=1"] + extra, env=env,
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=timeout,
                                   cwd=program.parent)
            except subprocess.TimeoutExpired:
                return True
            if r.returncode != 0:
                return True
    return False


def run(args):
    store = Path(args.store)
    mutants = json.loads((store / "mutants.json").read_text())["mutants"]
    results = json.loads((store / "results.json").read_text()) if (store / "results.json").exists() else {}
    for site in mutants:
        key = str(site["id"])
        row = results.setdefault(key, {})
        for test_dir in args.testdirs:
            if test_dir not in row:
                start = time.time()
                row[test_dir] = killed(test_dir, store / key, args.timeout, args.last)
                print("mutant %s %s:%d %s -> %s: %s by %s (%.0f s)" % (
                    key, site["file"], site["line"] + 1, site["old"], site["new"],
                    "killed" if row[test_dir] else "SURVIVED", test_dir, time.time() - start), flush=True)
        (store / "results.json").write_text(json.dumps(results, indent=1))
    for test_dir in args.testdirs:
        scored = [r[test_dir] for r in results.values() if test_dir in r]
        print("%s: %d of %d mutants killed (%.1f%%)" % (test_dir, sum(scored), len(scored),
                                                        100.0 * sum(scored) / max(1, len(scored))))


def main():
    p = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    p.add_argument("--seed", type=int, default=20)
    p.add_argument("--count", type=int, default=300)
    p.add_argument("--timeout", type=float, default=120, help="seconds per test program")
    p.add_argument("--last", default="IndexedSearch.*", help="gtest filter of the slow tests, run last")
    sub = p.add_subparsers(dest="command", required=True)
    pr = sub.add_parser("prepare")
    pr.add_argument("tree")
    pr.add_argument("dest")
    b = sub.add_parser("build")
    b.add_argument("src")
    b.add_argument("build")
    b.add_argument("store")
    r = sub.add_parser("run")
    r.add_argument("store")
    r.add_argument("testdirs", nargs="+")
    args = p.parse_args()
    {"prepare": prepare, "build": build, "run": run}[args.command](args)


if __name__ == "__main__":
    sys.exit(main())
