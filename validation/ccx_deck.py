#!/usr/bin/env python3
"""The reference finite-element runs: a zdeck.Grid written as a CalculiX input
(explicit dynamics, 8-node hexahedra with reduced integration) and its printed
results read back.

The impact face is held in the impact direction (free to slide sideways); the
wall force is the total reaction of the held nodes. The punch's nodes under the
punch radius are moved down at the punch speed instead.
"""
import os
import re
import shutil
import subprocess

import numpy as np


def write_ccx(path, grid, material, held_z, fixed, velocity, end_time, dt, shape_nodes, shape_cells,
              prints=200, driven=(), drive_speed=0.0, max_step=None):
    """held_z: nodes held in z; fixed: nodes held in all directions; driven: nodes moved in z at
    drive_speed; shape_nodes, shape_cells: whose displacements and plastic strains are printed.

    CalculiX's explicit step ignores dt: it takes the stable increment of the undeformed mesh and keeps
    it for the whole run. Where the elements are crushed far enough to make that increment unstable
    (the Taylor bar's impact end), max_step caps it."""
    out = ["*HEADING", "reference run", "*NODE, NSET=NALL"]
    out += [f"{i + 1}, {x:.10g}, {y:.10g}, {z:.10g}" for i, (x, y, z) in enumerate(grid.nodes)]
    out.append("*ELEMENT, TYPE=C3D8R, ELSET=EALL")
    for e, c in enumerate(grid.cells):
        # tensor order (x fastest, then y, then z) to the hexahedron's corner order
        n = [c[0], c[1], c[3], c[2], c[4], c[5], c[7], c[6]]
        out.append(f"{e + 1}, " + ", ".join(str(k + 1) for k in n))
    for name, ids in (("HELD", held_z), ("FIXED", fixed), ("DRIVEN", driven), ("SHAPE", shape_nodes)):
        if len(ids):
            out.append(f"*NSET, NSET={name}")
            out += [", ".join(str(i + 1) for i in ids[k:k + 12]) for k in range(0, len(ids), 12)]
    out.append("*ELSET, ELSET=ESHAPE")
    out += [", ".join(str(i + 1) for i in shape_cells[k:k + 12]) for k in range(0, len(shape_cells), 12)]
    out += ["*MATERIAL, NAME=M", "*ELASTIC", f"{material.E:g}, {material.nu:g}", "*DENSITY", f"{material.rho:g}"]
    if material.yield_stress is not None:
        h = material.E * material.tangent / (material.E - material.tangent)
        out += ["*PLASTIC", f"{material.yield_stress:g}, 0.0", f"{material.yield_stress + 10.0 * h:g}, 10.0"]
    out += ["*SOLID SECTION, ELSET=EALL, MATERIAL=M"]
    if any(velocity):
        out += ["*INITIAL CONDITIONS, TYPE=VELOCITY"] + [f"NALL, {d + 1}, {v:g}" for d, v in enumerate(velocity) if v]
    if len(driven):
        out += ["*AMPLITUDE, NAME=RAMP", f"0.0, 0.0, {end_time:g}, {drive_speed * end_time:g}"]
    out += ["*TIME POINTS, NAME=PRINTS, GENERATE", f"0.0, {end_time:g}, {end_time / prints:g}"]
    out += ["*STEP, NLGEOM, INC=10000000", "*DYNAMIC, EXPLICIT",
            f"{dt:g}, {end_time:g}" + (f", , {max_step:g}" if max_step else "")]
    out.append("*BOUNDARY")
    if len(held_z):
        out.append("HELD, 3, 3, 0.0")
    if len(fixed):
        out.append("FIXED, 1, 3, 0.0")
    if len(driven):
        out += ["*BOUNDARY, AMPLITUDE=RAMP", "DRIVEN, 3, 3, 1.0"]
    rf_set = "HELD" if len(held_z) else "DRIVEN"
    out += [f"*NODE PRINT, NSET={rf_set}, TOTALS=ONLY, TIME POINTS=PRINTS", "RF",
            "*NODE PRINT, NSET=SHAPE, TIME POINTS=PRINTS", "U",
            "*EL PRINT, ELSET=ESHAPE, TIME POINTS=PRINTS", "PEEQ" if material.yield_stress is not None else "S",
            "*END STEP", ""]
    with open(path, "w") as f:
        f.write("\n".join(out))


def run_ccx(folder, job="ref"):
    subprocess.run(["nice", "ccx", job], cwd=folder, stdout=open(os.path.join(folder, "ccx.log"), "w"),
                   stderr=subprocess.STDOUT, check=True)
    return read_dat(os.path.join(folder, job + ".dat"))


def ccx_version():
    exe = shutil.which("ccx")
    if not exe:
        return None
    text = subprocess.run([exe, "-v"], capture_output=True, text=True).stdout
    m = re.search(r"Version\s+(\S+)", text)
    return m.group(1) if m else text.strip()


def read_dat(path):
    """Wall force history (time, total RF z), final displacements and the largest PEEQ."""
    force, disp, peeq = [], {}, 0.0
    mode, time, peeq_time = None, 0.0, -1.0
    with open(path) as f:
        for line in f:
            s = line.strip()
            m = re.search(r"time\s+([-+0-9.Ee]+)", s)
            if m and ("total force" in s or "displacements" in s or "equivalent plastic" in s or "stresses" in s):
                time = float(m.group(1))
                mode = "rf" if "total force" in s else "u" if "displacements" in s else "peeq" if "plastic" in s else None
                continue
            parts = s.split()
            if not parts:
                continue
            try:
                values = [float(p) for p in parts]
            except ValueError:
                continue
            if mode == "rf" and len(values) == 3:
                force.append((time, values[2]))
            elif mode == "u" and len(values) == 4:
                disp[int(values[0]) - 1] = values[1:]
            elif mode == "peeq" and len(values) >= 3:
                peeq = values[2] if time > peeq_time else max(peeq, values[2])
                peeq_time = time
    return dict(force=np.array(force), displacement=disp, peak_plastic=peeq)
