#!/usr/bin/env python3
"""zelk-deck round trip: each deck written runs in ZELK, its node count, volume and face areas are the shape's
(cells have straight edges: a round section of n boundary segments has the n-gon's area (n / 2) R^2 sin(2 pi / n)),
a mirrored cell is turned round and a tangled one named. Usage, in a scratch folder: this ZELK zelk-deck DATA_DIR"""
import math, os, re, shutil, subprocess, sys  # noqa: E401
import meshio
import numpy as np

zelk, deck_script, data = sys.argv[1:4]
failures = []


def deck(*args, error=""):
    result = subprocess.run([sys.executable, deck_script, *args, "-o", "in.dat"], capture_output=True, text=True)
    if (result.returncode != 0) != bool(error) or error not in result.stderr:
        failures.append(f"{args}: expected {error or 'success'}, got: {result.stderr}")
    return result.stderr


ngon = 8 * 0.005**2 * math.sin(2 * math.pi / 16)  # the bar's 16-gon of radius 5 mm
cylinder = ["--scale", "1e-3", "--contact", "bottom", "--fixed", "top", "z"]
cases = [  # arguments, nodes, volume, contact face area, fixed face area
    (["--box", "0.02", "0.03", "0.1", "3", "4", "6", "--contact", "zmin", "--fixed", "zmax", "xyz"],
     72, 6e-5, 6e-4, 6e-4),
    (["--bar", "0.005", "0.004", "9", "5", "--contact", "zmin", "--fixed", "side", "xy"],
     285, ngon * 0.004, ngon, 0.16 * math.sin(math.pi / 16) * 0.004),
    ([os.path.join(data, "cylinder.msh"), *cylinder], 252, 1.5e-6, 7.5e-5, 7.5e-5)]
if shutil.which("gmsh"):  # the committed mesh made again by Gmsh, in its format 2
    subprocess.run(["gmsh", "-3", "-format", "msh2", os.path.join(data, "cylinder.geo"), "-o", "cylinder2.msh"],
                   check=True, capture_output=True)
    cases.append((["cylinder2.msh", *cylinder], *cases[2][1:]))
for args, *want in cases:
    summary = deck(*args, "--velocity", "0", "0", "-10", "--time", "2e-6")
    got = [float(x) for x in re.findall(r"(?:nodes|volume|area) ([0-9.e+-]+)", summary)]
    if len(got) != 4 or got[0] != want[0] or not np.allclose(got[1:], want[1:], rtol=1e-5):
        failures.append(f"{args[0]}: nodes, volume, areas {got}, expected {want}")
    run = subprocess.run([zelk, "in.dat"], capture_output=True, text=True)
    zone = open("Node.dat").read().splitlines()[2] if run.returncode == 0 else ""
    if run.stderr or f"N={want[0]} " not in zone:
        failures.append(f"{args[0]}: ZELK exit {run.returncode}, zone '{zone}', stderr: {run.stderr}")

cube = np.array([(x, y, z) for z in (0, 1) for y in (0, 1) for x in (0, 1)], dtype=float)
vtk = [0, 1, 3, 2, 4, 5, 7, 6]  # the cube's corners in meshio's order; below, the second cell mirrored, then tangled
for second, expect, error in (([1, 0, 2, 3, 5, 4, 6, 7], "reordered 1", ""),
                              ([0, 1, 3, 2, 4, 5, 6, 7], "", "cell 2 is inverted")):
    cells = [("hexahedron", [vtk, [8 + i for i in second]])]
    meshio.write("two.vtu", meshio.Mesh(np.vstack([cube, cube + (2, 0, 0)]), cells))
    if expect not in deck("two.vtu", error=error):
        failures.append(f"two.vtu: '{expect}' missing")
print("\n".join(failures) or "all zelk-deck round trips match")
sys.exit(1 if failures else 0)
