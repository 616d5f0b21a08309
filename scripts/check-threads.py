#!/usr/bin/env python3
"""Runs ZELK on the examples and on a cube model with 1, 2, 3 and 4 threads
(OMP_NUM_THREADS) and checks that every file a run leaves behind, and its
console output, are the same byte for byte whatever the thread count (the
measured times of the CALTIME summary line aside).

Usage:
    scripts/check-threads.py --program build-release/solver/driver/ZELK
    scripts/check-threads.py --program ... --side 30 --steps 3 --threads 1,2,3,4
"""

import argparse
import glob
import importlib.util
import os
import random
import re
import shutil
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
# The clock readings of the CALTIME summary line, which differ from run to run.
MEASURED = re.compile(rb"(wall time|processor time|,) [-+.0-9e]+ s( per step per integration point)?")


def cube_input(side, steps):
    """The cube deck of the scale benchmark (scripts/bench-scale.py)."""
    found = importlib.util.spec_from_file_location("bench_scale", os.path.join(HERE, "bench-scale.py"))
    module = importlib.util.module_from_spec(found)
    found.loader.exec_module(module)
    return module.cube_input(side, steps)


def scrambled(text, seed=1):
    """The same deck with its nodes numbered in a random order: the points of
    neighbouring nodes then fall to different threads, so nearly every node's
    force is summed across threads."""
    lines = text.split("\n")
    nodes = int(next(line.split()[1] for line in lines if line.startswith("NUMNP")))
    order = list(range(1, nodes + 1))
    random.Random(seed).shuffle(order)
    renumber = {str(old): str(new) for old, new in zip(range(1, nodes + 1), order)}
    out, section, node_lines = [], None, []
    for line in lines:
        fields = line.split()
        if line in ("NODE", "BOUND"):
            section = line
        elif not fields:
            section = None
        elif section in ("NODE", "BOUND"):
            fields[0] = renumber[fields[0]]
            if section == "NODE":
                node_lines.append((int(fields[0]), " ".join(fields)))
                continue
            line = " ".join(fields)
        elif fields[0] == "DMCELL":
            line = "    " + " ".join(fields[:2] + [renumber[f] for f in fields[2:]])
        if section is None and node_lines:
            out.extend(text for _, text in sorted(node_lines))
            node_lines = []
        out.append(line)
    return "\n".join(out)


def run(program, deck_name, deck_text, folder, threads):
    """Runs one deck in folder; returns {file name: bytes} of everything there."""
    os.makedirs(folder)
    with open(os.path.join(folder, deck_name), "w") as f:
        f.write(deck_text)
    env = dict(os.environ, OMP_NUM_THREADS=str(threads))
    done = subprocess.run([program, deck_name], cwd=folder, env=env, capture_output=True)
    files = {"(exit code)": str(done.returncode).encode(), "(console)": MEASURED.sub(rb"\1 ? s\2", done.stdout + done.stderr)}
    for name in sorted(os.listdir(folder)):
        with open(os.path.join(folder, name), "rb") as f:
            files[name] = f.read()
    return files


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--program", required=True)
    parser.add_argument("--examples", default=os.path.join(HERE, "..", "examples"))
    parser.add_argument("--only", default="", help="comma-separated example names to run (default: all)")
    parser.add_argument("--side", type=int, default=30, help="nodes along an edge of the cube (0: no cube)")
    parser.add_argument("--steps", type=int, default=3)
    parser.add_argument("--threads", default="1,2,3,4")
    args = parser.parse_args()
    program = os.path.abspath(args.program)
    counts = [int(t) for t in args.threads.split(",")]

    decks = []
    only = set(args.only.split(",")) if args.only else None
    for path in sorted(glob.glob(os.path.join(args.examples, "*.dat"))):
        if only is not None and os.path.basename(path) not in only:
            continue
        with open(path) as f:
            decks.append((os.path.basename(path), f.read()))
    if args.side > 0:
        cube = cube_input(args.side, args.steps)
        decks.append((f"cube{args.side}.dat", cube))
        decks.append((f"cube{args.side}-scrambled.dat", scrambled(cube)))

    failures = 0
    scratch = tempfile.mkdtemp(prefix="zelk-threads-")
    try:
        for name, text in decks:
            reference = None
            for threads in counts:
                files = run(program, name, text, os.path.join(scratch, f"{name}.{threads}"), threads)
                if reference is None:
                    reference = files
                    # Runs that all fail alike are no proof: every deck here must run.
                    if files["(exit code)"] != b"0":
                        failures += 1
                        print(f"{name}: ended with exit code {files['(exit code)'].decode()} at {threads} threads")
                    continue
                differing = sorted(n for n in set(files) | set(reference) if files.get(n) != reference.get(n))
                if differing:
                    failures += 1
                    print(f"{name}: {threads} threads differ from {counts[0]} in: {', '.join(differing)}")
            print(f"{name}: {len(reference) - 2} files the same at {args.threads} threads")
    finally:
        shutil.rmtree(scratch, ignore_errors=True)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
