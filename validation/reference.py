#!/usr/bin/env python3
"""Runs the finite-element reference of every case and stores what the report
needs in reference/<case>.json (with the CalculiX version), so that the suite
runs without CalculiX. The CalculiX inputs are written from the same grids by
ccx_deck.py into reference/runs/<case>/ (not kept in the repository: rerun this
script to regenerate them). Usage: reference.py [case ...] (default: all)."""
import json
import os
import sys

import numpy as np

import cases
import ccx_deck

OUT = os.path.join(cases.HERE, "reference")


def bottom_layer_cells(grid):
    nx, ny, _ = grid.shape
    return list(range((nx - 1) * (ny - 1)))


def compact(value):
    """Seven significant digits are more than the comparisons need and keep the files small."""
    if isinstance(value, float):
        return float(f"{value:.7g}")
    if isinstance(value, dict):
        return {k: compact(v) for k, v in value.items()}
    if isinstance(value, list):
        return [compact(v) for v in value]
    return value


def reference_case(name, h):
    kind, _, _ = name.partition("_")
    if kind == "bar":
        grid, material, face, held, _ = cases.bar_case(h)
        velocity, end_time, shape = (0, 0, -cases.BAR["speed"]), cases.BAR["end_time"], face
        args = dict(held_z=face, fixed=[])
    elif kind in ("taylor", "taylorround"):
        grid, material, face, held, _ = cases.taylor_case(h, kind == "taylorround")
        velocity, end_time = (0, 0, -cases.TAYLOR["speed"]), cases.TAYLOR["end_time"]
        n = grid.shape[0] * grid.shape[1]
        shape = face + list(range(len(grid.nodes) - n, len(grid.nodes)))
        args = dict(held_z=face, fixed=[])
    else:
        grid, material, top, held, _ = cases.punch_case(h)
        under = [i for i in top if np.hypot(*grid.nodes[i][:2]) < cases.PUNCH["radius"]]
        velocity, end_time, shape = (0, 0, 0), cases.PUNCH["end_time"], top
        args = dict(held_z=[], fixed=held, driven=under, drive_speed=-cases.PUNCH["speed"])
    folder = os.path.join(OUT, "runs", f"{name}_{h * 1000:g}mm")
    os.makedirs(folder, exist_ok=True)
    # CalculiX's explicit step is the stable increment of the undeformed mesh, kept for the whole run.
    # The Taylor bar's impact end is crushed to a fraction of its height, where that increment turns
    # unstable and the plasticity update then fails (square section, h <= 1.25 mm; at h = 0.625 mm
    # even 0.2 h / c does): its step is capped at 0.1 h / c, below which the results no longer move.
    crushed = kind in ("taylor", "taylorround")
    dt = (0.1 if crushed else 0.2) * h / material.wave_speed()
    max_step = dt if crushed else None
    ccx_deck.write_ccx(os.path.join(folder, "ref.inp"), grid, material, velocity=velocity, end_time=end_time,
                       dt=dt, shape_nodes=shape, shape_cells=bottom_layer_cells(grid), max_step=max_step, **args)
    result = ccx_deck.run_ccx(folder)
    final = {i: [p + u for p, u in zip(grid.nodes[i], d)] for i, d in result["displacement"].items()}
    # CalculiX may print the force at every increment; every k-th row keeps about 400 of them.
    force = result["force"][::max(1, len(result["force"]) // 400)]
    record = dict(case=name, h=h, ccx_version=ccx_deck.ccx_version(), force=force.tolist(),
                  final=final, peak_plastic_bottom_layer=result["peak_plastic"])
    # A run that distorted its elements beyond repair gives non-finite or absurd positions:
    # it is no reference, so nothing is stored for it.
    positions = np.array(list(final.values()))
    if not np.all(np.isfinite(positions)) or np.abs(positions).max() > 1.0:
        print(f"{name} h={h}: the FE run failed (non-finite or absurd final positions); not stored")
        return None
    with open(os.path.join(OUT, f"{name}_{h * 1000:g}mm.json"), "w") as f:
        json.dump(compact(record), f)
    os.remove(os.path.join(folder, "ref.dat"))  # large; the json keeps what is used
    return record


ALL = [("bar", 0.01), ("bar", 0.005), ("bar", 0.0025), ("taylor", 0.0025), ("taylorround", 0.0025),
       ("taylor", 0.00125), ("taylorround", 0.00125), ("punch", 0.005), ("taylor", 0.000625),
       ("taylorround", 0.000625), ("bar", 0.00125), ("bar", 0.000625)]

if __name__ == "__main__":
    wanted = sys.argv[1:]
    for name, h in ALL:
        if not wanted or f"{name}_{h * 1000:g}mm" in wanted:
            print(name, h, flush=True)
            reference_case(name, h)
