#!/usr/bin/env python3
"""Rewrites the exact blocks of the end-to-end case files after a change of wording.

  scripts/update-cases.py BUILD [FILE.cases...]

Runs every case of the given files (default: all of tests/e2e/data/cases) with
the programs built in BUILD and replaces each exact "stdout", "stderr" and
"file NAME" block with what the run gave (a block that is one "@FILE" line
rewrites that golden file instead); "has" and "as" checks, comments and inputs
stay as they are. The file format is described in
tests/e2e/case_files_test.cpp. Review the diff before committing it: a block
that changed is a change of behaviour.
"""
import shlex
import subprocess
import sys
import tempfile
from pathlib import Path

CASES = Path(__file__).resolve().parent.parent / "tests" / "e2e" / "data" / "cases"


def block_at(lines, i):
    """The block lines that follow line i, as (end index, list)."""
    j = i + 1
    while j < len(lines) and lines[j][:1] in ("|", "~"):
        j += 1
    return j, lines[i + 1:j]


def text_of(block, defines):
    out = ""
    for b in block:
        name = b[2:] if b[1:2] == "@" else ""
        if name and name not in defines and (CASES / name).is_file():
            defines[name] = (CASES / name).open(newline="").read()
        out += defines[name] if name in defines else b[1:] + ("\n" if b[0] == "|" else "")
    return out


def as_block(text):
    parts = text.split("\n")
    return ["|" + p for p in parts[:-1]] + (["~" + parts[-1]] if parts[-1] else [])


def run_case(case, programs):
    with tempfile.TemporaryDirectory() as folder:
        for name, text in case["inputs"].items():
            Path(folder, name).write_text(text)
        r = subprocess.run([programs[case["program"]]] + case["args"], cwd=folder, input=case["console"].encode(),
                           capture_output=True, timeout=600)
        files = {p.name: p.read_text(errors="replace") for p in Path(folder).iterdir() if p.is_file()}
    return {"stdout": r.stdout.decode(errors="replace"), "stderr": r.stderr.decode(errors="replace"), **files}


def update(path, programs):
    lines = path.open(newline="").read().split("\n")  # a carriage return in a block stays
    defines = {}
    cases, i = [], 0
    while i < len(lines):  # first pass: what each case runs, and where its exact blocks are
        words = lines[i].split()
        end, block = block_at(lines, i)
        head = words[0] if words else ""
        if head == "define":
            defines[words[1]] = text_of(block, defines)
        elif head == "case":
            cases.append({"program": "zelk", "args": ["in.dat"], "inputs": {}, "console": "", "exact": []})
        elif cases and head == "args":
            cases[-1]["args"] = words[1:]
        elif cases and head == "program":
            cases[-1]["program"] = words[1]
        elif cases and head == "in":
            cases[-1]["inputs"][words[1]] = text_of(block, defines)
        elif cases and head == "console":
            cases[-1]["console"] = text_of(block, defines)
        elif cases and head in ("stdout", "stderr") and len(words) == 1:
            cases[-1]["exact"].append((i, end, head))
        elif cases and head == "file" and len(words) == 2:
            cases[-1]["exact"].append((i, end, words[1]))
        i = end if block else i + 1
    replacements = []
    for case in cases:
        if case["exact"]:
            got = run_case(case, programs)
            replacements += [(i, end, as_block(got.get(what, ""))) for i, end, what in case["exact"]]
    for i, end, block in sorted(replacements, reverse=True):
        pasted = lines[i + 1:end]
        if len(pasted) == 1 and pasted[0].startswith("|@") and (CASES / pasted[0][2:]).is_file():
            (CASES / pasted[0][2:]).open("w", newline="").write(text_of(block, {}))  # a golden file
        else:
            lines[i + 1:end] = block
    path.open("w", newline="").write("\n".join(lines))


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    build = Path(sys.argv[1])
    programs = {"zelk": str(next(build.rglob("ZELK")).resolve()), "class": str(next(build.rglob("class")).resolve())}
    for name in sys.argv[2:] or sorted(str(p) for p in CASES.glob("*.cases")):
        update(Path(name), programs)
        print("updated", name)


if __name__ == "__main__":
    main()
