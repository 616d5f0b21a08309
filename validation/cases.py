#!/usr/bin/env python3
"""The validation cases: models, runs of ZELK and what is read from them."""
import os
import subprocess

import numpy as np

import zdeck

HERE = os.path.dirname(os.path.abspath(__file__))
ZELK = os.environ.get("ZELK", os.path.join(HERE, "..", "build-release", "solver", "driver", "ZELK"))

STEEL = zdeck.Material("steel", 2.0e11, 0.3, 7800.0)
COPPER = zdeck.Material("copper", 1.17e11, 0.35, 8930.0, 4.0e8, 1.0e8)
ALU = zdeck.Material("alu", 7.0e10, 0.33, 2700.0, 2.5e8, 7.0e8)

BAR = dict(width=0.02, length=0.1, speed=10.0, end_time=1.0e-4)
TAYLOR = dict(width=0.0075, length=0.03, speed=200.0, end_time=8.0e-5)
PUNCH = dict(width=0.06, depth=0.03, radius=0.015, speed=10.0, end_time=1.5e-4)


def end_face(grid, z):
    return [i for i, p in enumerate(grid.nodes) if abs(p[2] - z) < 1e-12]


def bar_case(h, contact=None):
    grid = zdeck.bar(BAR["width"], BAR["length"], h)
    run = zdeck.Run([f"PLANE Z -1 0.0 0.0 {10.0 / h**2:.6g}"], BAR["end_time"], 0.2 * h,
                    (0.0, 0.0, -BAR["speed"]), contact=contact)
    return grid, STEEL, end_face(grid, 0.0), [], run


def taylor_case(h, round_section=False, contact=None, end_time=None, support_nodes=18):
    grid = zdeck.bar(TAYLOR["width"], TAYLOR["length"], h, round_section)
    run = zdeck.Run([f"PLANE Z -1 0.0 0.0 {10.0 / h**2:.6g}"], end_time or TAYLOR["end_time"], 0.2 * h,
                    (0.0, 0.0, -TAYLOR["speed"]), step="STRETCH", contact=contact, support_nodes=support_nodes)
    return grid, COPPER, end_face(grid, 0.0), [], run


def punch_case(h, contact=None):
    grid = zdeck.block(PUNCH["width"], PUNCH["width"], PUNCH["depth"], h, z0=PUNCH["depth"])
    run = zdeck.Run([f"CYLINDER Z 1 {PUNCH['depth']:g} {PUNCH['radius']:g} 1 {-PUNCH['speed']:g} {10.0 / h**2:.6g}"],
                    PUNCH["end_time"], 0.2 * h, contact=contact)
    return grid, ALU, end_face(grid, PUNCH["depth"]), end_face(grid, 0.0), run


def run_zelk(case, folder, title="case", reuse=False):
    """Writes the deck into folder, runs ZELK there, returns the parsed results. With reuse, a finished
    run of the same deck by the same ZELK (its Node.dat newer than the program) is read instead."""
    grid, material, contact, held, run = case
    os.makedirs(folder, exist_ok=True)
    deck, done = os.path.join(folder, "case.dat"), os.path.join(folder, "Node.dat")
    previous = open(deck).read() if os.path.exists(deck) else None
    zdeck.write_zelk(deck, title, grid, material, contact, held, run)
    if not (reuse and previous == open(deck).read() and os.path.exists(done)
            and os.path.getmtime(done) > os.path.getmtime(ZELK)):
        with open(os.path.join(folder, "zelk.log"), "w") as log:
            subprocess.run(["nice", ZELK, "case.dat"], cwd=folder, stdout=subprocess.DEVNULL, stderr=log, check=True)
    return read_results(folder, grid)


def read_results(folder, grid):
    wall = np.loadtxt(os.path.join(folder, "Wall.txt"), ndmin=2)
    hist = np.loadtxt(os.path.join(folder, "End_y.txt"), ndmin=2)
    final = read_tecplot(os.path.join(folder, "Node.dat"), len(grid.nodes))
    return dict(wall=wall, history=hist, final=final, grid=grid)


def read_tecplot(path, count):
    rows = []
    with open(path) as f:
        for line in f:
            parts = line.split()
            if len(parts) == 7:
                try:
                    rows.append([float(v) for v in parts])
                except ValueError:
                    pass
            if len(rows) == count:
                break
    return np.array(rows)  # X Y Z S1 S2 S3 P


def contact_episodes(wall, threshold=0.0):
    """Number of separate spans of steps with a wall force."""
    touching = np.abs(wall[:, 3]) > threshold
    return int(np.sum(touching[1:] & ~touching[:-1]) + (1 if touching[0] else 0))


def taylor_shape(final, grid):
    """Final length, impact-end width and far-end width (along x through the axis, max extent)."""
    x, y, z = final[:, 0], final[:, 1], final[:, 2]
    nx, ny, nz = grid.shape
    bottom = np.arange(nx * ny)
    top = bottom + nx * ny * (nz - 1)
    def width(ids):
        return max(x[ids].max() - x[ids].min(), y[ids].max() - y[ids].min())
    return dict(length=z[top].mean() - z[bottom].mean(), impact_width=width(bottom), far_width=width(top),
                peak_plastic=final[:, 6].max())
