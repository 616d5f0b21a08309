#!/usr/bin/env python3
"""Whole-run scale benchmark of ZELK on cube models.

For each size (a regular grid of n x n x n nodes, one PIEFG cell per grid
box) the script writes an input file, runs the Release ZELK on it twice,
with K and with 2K time steps, and splits the wall-clock times:

    set-up   = 2 T(K) - T(2K)          reading, support sizes, searches, shape
                                       functions, weights, masses, Node.dat
    per step = (T(2K) - T(K)) / K      internal forces, material, walls, output

Per-step time is reported per integration point (PIEFG: nodes plus cells)
and per integration point and influence node (INFLE SEL 18 gives 18 nodes per
point). Peak memory is the largest resident set of the two runs, per
integration point. Each run happens in a scratch folder of its own.

With --threads the runs are made at each thread count and the speed-ups of
the set-up and of the step are printed against the first count; --repeat
alternates the runs several times and keeps the fastest of each.

Usage:
    scripts/bench-scale.py --program build-rel/solver/driver/ZELK
    scripts/bench-scale.py --program ... --sizes 64000 --threads 1,2 --repeat 5 --wall-clock
    scripts/bench-scale.py --program ... --sizes 1000,8000 --steps 100 \
        --setup-bench build-rel/bench/setup_bench
"""

import argparse
import math
import os
import shutil
import subprocess
import sys
import tempfile
import time

INFLUENCE_NODES = 18                 # INFLE SEL 18
SPACING = 0.001                      # grid step [m]
STEP_LENGTH = 0.2 * SPACING          # STEPTIME CONST value: a length, a fifth of the grid step
YOUNG, POISSON, DENSITY = 1.17e11, 0.35, 8930.0
TANGENT, YIELD = 1.0e8, 4.0e8  # tangent modulus, initial yield stress [Pa]
IMPACT_SPEED = 50.0                  # INITV, toward the fixed bottom face [m/s]


def cube_input(side, steps, vtk_interval=0):
    """Input text of a cube of side^3 nodes whose bottom face is held while
    the rest moves down, so that a plastic compression wave runs up."""
    nodes = side ** 3
    out = []
    add = out.append
    add("RESULT cube.res")
    add(f"ZELK Scale benchmark cube of {nodes} nodes")
    add("NDM 3")
    add(f"NUMNP {nodes}")
    add(f"NUMEVPOINT {nodes}")
    add("NUMMAT 1")
    add("NDF 3")
    add(f"NDISP {side * side}")
    add("")
    add("MATERIAL")
    add(f"  ISOELA_PLA_HYD copper {YOUNG} {POISSON} {DENSITY} {TANGENT} {YIELD}")
    add("")
    add("NODE")
    number = 0
    for k in range(side):
        for j in range(side):
            for i in range(side):
                number += 1
                add(f"{number} {i * SPACING:.6g} {j * SPACING:.6g} {k * SPACING:.6g} 0")
    add("")
    add("BOUND")
    for number in range(1, side * side + 1):
        add(f"{number} 0 0 0 0.0 0.0 0.0")
    add("")
    add("EVPOINT")
    add("  COPY ALL copper 1.0")
    add("ENDEVPOINT")
    add("")
    cells = (side - 1) ** 3
    add("EFGDATA")
    add(f"  NCELL {cells}")
    add("  NINTX 2")
    add("  NINTY 2")
    add("  NINTZ 2")
    add("  CELL NODE")

    def node(i, j, k):
        return 1 + i + side * (j + side * k)

    for k in range(side - 1):
        for j in range(side - 1):
            for i in range(side - 1):
                corners = [node(i + di, j + dj, k + dk) for dk in (0, 1) for dj in (0, 1) for di in (0, 1)]
                add("    DMCELL copper " + " ".join(str(c) for c in corners))
    add("ENDEFG")
    add("END")
    add("")
    wave_speed = math.sqrt(YOUNG / DENSITY)
    dt = STEP_LENGTH / wave_speed
    add("BATCH")
    add("  MLS")
    add("  BASIS LINE")
    add("  WEIGHT CUBIC 0.0")
    add(f"  INFLE SEL {INFLUENCE_NODES}")
    add("  DYNAMICS PIEFG")
    add(f"  STEPTIME CONST {STEP_LENGTH!r}")
    add(f"  INITV 0.0 0.0 {-IMPACT_SPEED}")
    if vtk_interval:
        add(f"  VTK {vtk_interval}")
    # Half a step short of `steps` steps: the loop runs while time <= end.
    add(f"  CALTIME {(steps - 0.5) * dt!r}")
    add("END")
    add("END")
    return "\n".join(out) + "\n"


def run_once(program, folder, steps, side, use_wall_clock, vtk_interval=0, threads=None):
    """Runs ZELK once in folder (on threads threads, or as the environment
    says); returns (seconds, peak resident kB, steps taken)."""
    with open(os.path.join(folder, "cube.dat"), "w") as f:
        f.write(cube_input(side, steps, vtk_interval))
    with open(os.path.join(folder, "console.txt"), "w") as console:
        start = time.perf_counter()
        env = dict(os.environ, OMP_NUM_THREADS=str(threads)) if threads else None
        child = subprocess.Popen([program, "cube.dat"], cwd=folder, env=env, stdout=console,
                                 stderr=subprocess.STDOUT)
        _, status, usage = os.wait4(child.pid, 0)
        wall = time.perf_counter() - start
    # Processor time of the child (user + system) is what the split uses: on a
    # shared machine the wall clock also counts the time others held the cores.
    seconds = wall if use_wall_clock else usage.ru_utime + usage.ru_stime
    child.returncode = os.waitstatus_to_exitcode(status)
    if child.returncode != 0:
        sys.exit(f"{program} ended with code {child.returncode} on {side ** 3} nodes; see {folder}/console.txt")
    with open(os.path.join(folder, "End_y.txt")) as history:
        taken = sum(1 for _ in history)
    if taken != steps:
        sys.exit(f"expected {steps} steps on {side ** 3} nodes, the run took {taken}")
    return seconds, usage.ru_maxrss, taken  # ru_maxrss is in kB on Linux


def search_setups(bench_program):
    """Approximation set-up (support sizes, searches, shape functions at every
    node) by the cell grid and by the reference full scan, from the search
    benchmark program, at 1,000 and 8,000 nodes: list of (name, seconds)."""
    result = subprocess.run([bench_program, "--benchmark_filter=BM_SetUp(Indexed|FullScan)/(1000|8000)/18/",
                             "--benchmark_format=csv"], capture_output=True, text=True)
    if result.returncode != 0:
        sys.exit(f"{bench_program} failed: {result.stderr.strip()}")
    rows = []
    for line in result.stdout.splitlines():
        fields = line.split(",")
        if len(fields) > 4 and fields[0].startswith('"BM_SetUp'):
            factor = {"ns": 1e-9, "us": 1e-6, "ms": 1e-3, "s": 1.0}[fields[4].strip('"')]
            rows.append((fields[0].strip('"'), float(fields[3]) * factor))  # processor time
    return rows


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--program", required=True, help="the Release ZELK binary")
    parser.add_argument("--sizes", default="1000,8000,27000,64000,125000",
                        help="node counts, cubes of whole numbers, comma-separated")
    parser.add_argument("--steps", type=int, default=200, help="K: the runs take K and 2K steps")
    parser.add_argument("--wall-clock", action="store_true",
                        help="split wall-clock times instead of the child's processor time")
    parser.add_argument("--vtk", type=int, default=0, metavar="INTERVAL",
                        help="the runs also write a VTK series, a member every INTERVAL base steps")
    parser.add_argument("--threads", help="thread counts to compare, comma-separated (default: as "
                        "OMP_NUM_THREADS says); the first is the reference of the speed-ups")
    parser.add_argument("--repeat", type=int, default=1, help="runs of each kind, alternated; the fastest "
                        "counts, since on a shared machine other work only adds time")
    parser.add_argument("--keep", help="keep the run folders under this folder")
    parser.add_argument("--setup-bench", help="the search benchmark program (bench/setup_bench): times the "
                        "approximation set-up by grid and by reference full scan at 1,000 and 8,000 nodes")
    args = parser.parse_args()

    program = os.path.abspath(args.program)
    sizes = [int(s) for s in args.sizes.split(",") if s.strip()]
    sides = []
    for nodes in sizes:
        side = round(nodes ** (1.0 / 3.0))
        if side ** 3 != nodes or side < 3:
            sys.exit(f"{nodes} is not the cube of a whole number of at least 3")
        sides.append(side)
    k = args.steps
    if k < 1 or args.repeat < 1:
        sys.exit("--steps and --repeat must be at least 1")
    counts = [int(t) for t in args.threads.split(",")] if args.threads else [None]
    if any(t is not None and t < 1 for t in counts):
        sys.exit("--threads takes counts of at least 1")

    root = args.keep or tempfile.mkdtemp(prefix="zelk-scale-")
    os.makedirs(root, exist_ok=True)
    header = (f"{'nodes':>8} {'threads':>7} {'points':>8} {'setup s':>9} {'us/step/pt':>11} {'ns/pt/node':>11} "
              f"{'peak MB':>8} {'kB/pt':>7} {'T(K) s':>8} {'T(2K) s':>8}")
    clock = "wall-clock" if args.wall_clock else "processor (user + system)"
    vtk = f", VTK series every {args.vtk} base steps" if args.vtk else ""
    print(f"ZELK {program}, K = {k} steps, {clock} time{vtk}")
    print(f"ns/pt/node: per integration point and per SEL count of {INFLUENCE_NODES} influence nodes "
          "(the lists on these grids hold 15 to 17; time_step_bench gives the exact mean)")
    print(header)
    rows = []
    for nodes, side in zip(sizes, sides):
        points = nodes + (side - 1) ** 3
        best = {}  # (threads, steps): [fastest seconds, largest peak]
        for _ in range(args.repeat):
            for threads in counts:
                for steps in (k, 2 * k):
                    folder = os.path.join(root, f"n{nodes}-t{threads or 0}-k{steps}")
                    os.makedirs(folder, exist_ok=True)
                    seconds, peak, _ = run_once(program, folder, steps, side, args.wall_clock, args.vtk, threads)
                    kept = best.setdefault((threads, steps), [seconds, peak])
                    kept[0], kept[1] = min(kept[0], seconds), max(kept[1], peak)
        splits = []
        for threads in counts:
            times = [best[(threads, k)][0], best[(threads, 2 * k)][0]]
            setup = 2 * times[0] - times[1]
            per_step = (times[1] - times[0]) / k
            per_point_us = per_step / points * 1e6
            per_entry_ns = per_point_us * 1e3 / INFLUENCE_NODES
            peak = max(best[(threads, k)][1], best[(threads, 2 * k)][1])
            splits.append((threads, setup, per_step))
            print(f"{nodes:>8} {threads or '-':>7} {points:>8} {setup:>9.3f} {per_point_us:>11.4f} "
                  f"{per_entry_ns:>11.2f} {peak / 1024:>8.1f} {peak / points:>7.3f} {times[0]:>8.3f} "
                  f"{times[1]:>8.3f}", flush=True)
        rows.append((nodes, splits[0][1]))
        for threads, setup, per_step in splits[1:]:
            first = splits[0]
            print(f"{'':>8} speed-up on {threads} threads against {first[0]}: set-up "
                  f"{first[1] / setup if setup > 0 else float('nan'):.2f}x, step {first[2] / per_step:.2f}x")

    big = [r for r in rows if r[0] >= 8000]
    if len(big) >= 2 and big[0][1] > 0 and big[-1][1] > 0:
        exponent = math.log(big[-1][1] / big[0][1]) / math.log(big[-1][0] / big[0][0])
        print(f"set-up growth exponent {big[0][0]} -> {big[-1][0]} nodes: {exponent:.2f}")

    if args.setup_bench:
        print("approximation set-up (support sizes, search, shape functions at the nodes), processor time:")
        rows = search_setups(os.path.abspath(args.setup_bench))
        for name, seconds in rows:
            print(f"{name:>32} {seconds:9.3f} s")
        if not any("FullScan/8000" in name for name, _ in rows):
            print(f"{'':>32} (the benchmark offers no full scan at 8,000 nodes)")
    if not args.keep:
        shutil.rmtree(root, ignore_errors=True)


if __name__ == "__main__":
    main()
