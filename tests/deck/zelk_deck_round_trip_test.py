#!/usr/bin/env python3
"""zelk-deck round trip: each generated deck runs in ZELK, and the model's node
count, volume and face areas are those of the shape. The cells have straight
edges, so a round section of n boundary segments has the area of the inscribed
n-gon, (n / 2) R^2 sin(2 pi / n).

Usage: zelk_deck_round_trip_test.py ZELK zelk-deck DATA_DIR"""
import math
import os
import re
import shutil
import subprocess
import sys
import tempfile

import meshio
import numpy as np

zelk, deck_script, data = (os.path.abspath(a) for a in sys.argv[1:4])
work = tempfile.mkdtemp(prefix="zelk-deck-test-")
failures = []


def polygon(n, radius):
    return n / 2 * radius**2 * math.sin(2 * math.pi / n)


def deck(args, expect_error=None):
    result = subprocess.run([sys.executable, deck_script, *args], capture_output=True, text=True)
    if expect_error:
        if result.returncode == 0 or expect_error not in result.stderr:
            failures.append(f"{args}: expected an error naming '{expect_error}', got: {result.stderr}")
        return None
    if result.returncode != 0:
        failures.append(f"{args}: zelk-deck failed: {result.stderr}")
        return None
    return result.stderr


# name, arguments, nodes, volume, area of the contact face, area of the fixed face
cylinder = ["--scale", "1e-3", "--contact", "bottom", "--fixed", "top", "z"]
cases = [
    ("box", ["--box", "0.02", "0.03", "0.1", "3", "4", "6", "--contact", "zmin", "--fixed", "zmax", "xyz"],
     72, 6e-5, 6e-4, 6e-4),
    ("bar", ["--bar", "0.005", "0.004", "9", "5", "--contact", "zmin", "--fixed", "side", "xy"],
     285, polygon(16, 0.005) * 0.004, polygon(16, 0.005), 16 * 2 * 0.005 * math.sin(math.pi / 16) * 0.004),
    ("msh4", [os.path.join(data, "cylinder.msh"), *cylinder], 252, 1.5e-6, 7.5e-5, 7.5e-5),
]
if shutil.which("gmsh"):  # the committed mesh again, made now by Gmsh in its format 2
    made = os.path.join(work, "cylinder2.msh")
    subprocess.run(["gmsh", "-3", "-format", "msh2", os.path.join(data, "cylinder.geo"), "-o", made],
                   check=True, capture_output=True)
    cases.append(("msh2", [made, *cylinder], 252, 1.5e-6, 7.5e-5, 7.5e-5))

for name, args, nodes, volume, contact_area, fixed_area in cases:
    path = os.path.join(work, name + ".dat")
    summary = deck([*args, "--velocity", "0", "0", "-10", "--time", "2e-6", "-o", path])
    if summary is None:
        continue
    numbers = dict(re.findall(r"(nodes|cells|volume) ([0-9.e+-]+)", summary))
    areas = [float(a) for a in re.findall(r"area ([0-9.e+-]+)", summary)]
    got = (int(numbers["nodes"]), float(numbers["volume"]), *areas)
    want = (nodes, volume, contact_area, fixed_area)
    if got[0] != want[0] or not np.allclose(got[1:], want[1:], rtol=1e-5):
        failures.append(f"{name}: nodes, volume, areas {got}, expected {want}")
    run = subprocess.run([zelk, os.path.basename(path)], cwd=work, capture_output=True, text=True)
    with open(os.path.join(work, "Node.dat")) as node_file:
        zone = node_file.read().splitlines()[2]
    os.remove(os.path.join(work, "Node.dat"))
    if run.returncode != 0 or run.stderr or f"N={nodes} " not in zone:
        failures.append(f"{name}: ZELK exit {run.returncode}, zone '{zone}', stderr: {run.stderr}")

# One cell in the mirrored corner order is reordered; a tangled cell is named.
cube = np.array([(x, y, z) for z in (0, 1) for y in (0, 1) for x in (0, 1)], dtype=float)
vtk_cube = [0, 1, 3, 2, 4, 5, 7, 6]
mirrored = [vtk_cube[i] for i in (1, 0, 3, 2, 5, 4, 7, 6)]
points = np.vstack([cube, cube + (2, 0, 0)])
for cells, expect in (([vtk_cube, [8 + i for i in mirrored]], "reordered 1"),
                      ([vtk_cube, [8 + i for i in (0, 1, 3, 2, 4, 5, 6, 7)]], "cell 2 is inverted")):
    path = os.path.join(work, "two.vtu")
    meshio.write(path, meshio.Mesh(points, [("hexahedron", np.array(cells))]))
    if expect.startswith("cell"):
        deck([path], expect_error=expect)
    else:
        summary = deck([path, "-o", os.path.join(work, "two.dat")])
        if summary is not None and expect not in summary:
            failures.append(f"mirrored cell: '{expect}' not in {summary}")

shutil.rmtree(work)
print("\n".join(failures) or "all zelk-deck round trips match")
sys.exit(1 if failures else 0)
