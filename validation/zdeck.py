#!/usr/bin/env python3
"""Structured hexahedral models of bars and blocks, written as ZELK decks.

A model is a grid of nx x ny x nz nodes (x fastest, then y, then z) whose
cross-section is a rectangle or, mapped onto a disc, a circle; the cells are
the grid's hexahedra with their corners in tensor order. The same model can be
written as a CalculiX input (see ccx_deck.py), so both codes see one mesh.
"""
import math
from dataclasses import dataclass, field


@dataclass
class Grid:
    nodes: list          # (x, y, z) per node
    cells: list          # 8 node numbers (from 0) per cell, tensor order
    shape: tuple         # (nx, ny, nz) nodes per direction


def bar(width, length, h, round_section=False, z0=0.0):
    """A bar along z with its end face on z = z0, its section centred on the z axis.

    The section is a square of the given width, or the disc of that diameter
    (the square grid mapped onto the disc, which keeps the cells hexahedra)."""
    n = max(1, round(width / h))
    nz = max(1, round(length / h))
    nodes = []
    for k in range(nz + 1):
        for j in range(n + 1):
            for i in range(n + 1):
                a, b = -1.0 + 2.0 * i / n, -1.0 + 2.0 * j / n
                if round_section:
                    a, b = a * math.sqrt(1.0 - b * b / 2.0), b * math.sqrt(1.0 - a * a / 2.0)
                nodes.append((0.5 * width * a, 0.5 * width * b, z0 + length * k / nz))
    return Grid(nodes, _cells(n + 1, n + 1, nz + 1), (n + 1, n + 1, nz + 1))


def block(wx, wy, wz, h, z0=0.0):
    """A block centred on the z axis from z = z0 - wz to z = z0."""
    nx, ny, nz = (max(1, round(w / h)) for w in (wx, wy, wz))
    nodes = [(-wx / 2 + wx * i / nx, -wy / 2 + wy * j / ny, z0 - wz + wz * k / nz)
             for k in range(nz + 1) for j in range(ny + 1) for i in range(nx + 1)]
    return Grid(nodes, _cells(nx + 1, ny + 1, nz + 1), (nx + 1, ny + 1, nz + 1))


def _cells(nx, ny, nz):
    def number(i, j, k):
        return i + nx * (j + ny * k)
    return [[number(i + di, j + dj, k + dk) for dk in (0, 1) for dj in (0, 1) for di in (0, 1)]
            for k in range(nz - 1) for j in range(ny - 1) for i in range(nx - 1)]


@dataclass
class Material:
    name: str
    E: float
    nu: float
    rho: float
    yield_stress: float = None   # None: elastic
    tangent: float = 0.0         # slope of the stress-strain line after yield

    def zelk_line(self):
        if self.yield_stress is None:
            return f"ISOELASTIC {self.name} {self.E:g} {self.nu:g} {self.rho:g}"
        return (f"ISOELA_PLA_HYD {self.name} {self.E:g} {self.nu:g} {self.rho:g} "
                f"{self.tangent:g} {self.yield_stress:g}")

    def wave_speed(self):
        return math.sqrt(self.E / self.rho)


@dataclass
class Run:
    """The macro block of one analysis."""
    walls: list                  # GRIDWALL lines, e.g. "PLANE Z -1 0.0 0.0 1.0e5"
    end_time: float
    step_length: float           # STEPTIME length (a fraction of h)
    velocity: tuple = (0.0, 0.0, 0.0)
    step: str = "CONST"           # STEPTIME word: CONST, VARIABLE (shrinks with det F) or STRETCH (and with the stretch)
    contact: str = None          # CONTACT line word, None: the default law
    support_nodes: int = 18      # INFLE SEL count: nearest nodes that set each node's support
    support_scale: float = 1.02  # SCALE: multiplier of those nearest-node distances (the suite's 1.02: see REPORT.md)
    cell_points: int = 2         # quadrature points per cell along each axis
    history: str = "Wall.txt"    # HISTORY file, None: none
    extra_lines: list = field(default_factory=list)


def write_zelk(path, title, grid, material, contact_nodes, held_nodes, run):
    """Writes the deck; contact_nodes get node flag 1, held_nodes a BOUND with all directions fixed."""
    contact, held = set(contact_nodes), sorted(held_nodes)
    out = [f"RESULT {title}.res", f"ZELK {title}", "NDM 3", f"NUMNP {len(grid.nodes)}",
           f"NUMEVPOINT {len(grid.nodes)}", "NUMMAT 1", "NDF 3"]
    if held:
        out.append(f"NDISP {len(held)}")
    out += ["", "MATERIAL", "  " + material.zelk_line(), "", "NODE"]
    out += [f"{i + 1} {x:.10g} {y:.10g} {z:.10g} {1 if i in contact else 0}" for i, (x, y, z) in enumerate(grid.nodes)]
    out += ["", "EVPOINT", f"  COPY ALL {material.name} 1.0", "ENDEVPOINT", ""]
    if held:
        out += ["BOUND"] + [f"{i + 1} 0 0 0 0.0 0.0 0.0" for i in held] + [""]
    out += ["EFGDATA", f"  NCELL {len(grid.cells)}"] + [f"  NINT{a} {run.cell_points}" for a in "XYZ"] + ["  CELL NODE"]
    out += [f"    DMCELL {material.name} " + " ".join(str(n + 1) for n in c) for c in grid.cells]
    out += ["ENDEFG", "END", "", "BATCH", "  MLS", "  BASIS LINE"]
    if run.support_scale != 1.0:
        out.append(f"  SCALE {run.support_scale:g}")
    out += [f"  INFLE SEL {run.support_nodes}", "  DYNAMICS EFG",
            f"  STEPTIME {run.step} {run.step_length:.6g}"]
    if any(run.velocity):
        out.append("  INITV " + " ".join(f"{v:g}" for v in run.velocity))
    out.append(f"  GRIDWALL {len(run.walls)}")
    if run.contact:
        out.append(f"    CONTACT {run.contact}")
    if run.history:
        out.append(f"    HISTORY {run.history}")
    out += ["    " + w for w in run.walls] + ["  ENDGRID"] + ["  " + l for l in run.extra_lines]
    out += [f"  CALTIME {run.end_time:g}", "END", "END", ""]
    with open(path, "w") as f:
        f.write("\n".join(out))
