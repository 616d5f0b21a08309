#!/usr/bin/env python3
"""Writes the input decks of the impact examples between bodies.

  impact-decks.py two-bars         two elastic steel bars striking each other
  impact-decks.py projectile       a round steel projectile striking an aluminium plate
  impact-decks.py blocks N         two blocks of N x N x N nodes each, pressed together
                                   (the contact-cost model; N = 24 gives 27,648 nodes)

The deck goes to standard output. Bodies are lattices of nodes with one
hexahedral cell per lattice cube; a body's cells name its material, its nodes
form one BODY range, and the nodes that face the other body are contact nodes.
"""
import math
import sys


class Body:
    """Lattice nodes (i, j, k) -> position, kept when inside(x, y, z). A body
    with downward=True is numbered from its top layer down (the mirror image
    of one numbered upward, tie for tie in the nearest-node searches)."""

    def __init__(self, material, origin, spacing, counts, inside=None, contact=None, downward=False):
        self.material = material
        self.index = {}
        self.positions = []
        self.flags = []
        ox, oy, oz = origin
        nx, ny, nz = counts
        for k in range(nz):
            for j in range(ny):
                for i in range(nx):
                    x, y, z = ox + i * spacing, oy + j * spacing, oz + (-k if downward else k) * spacing
                    if inside and not inside(x, y, z):
                        continue
                    self.index[(i, j, k)] = len(self.positions)
                    self.positions.append((x, y, z))
                    self.flags.append(1 if contact and contact(x, y, z) else 0)
        self.cells = []
        for k in range(nz - 1):
            for j in range(ny - 1):
                for i in range(nx - 1):
                    # Tensor order, lowest z first.
                    layers = (1, 0) if downward else (0, 1)
                    corners = [(i + a, j + b, k + c) for c in layers for b in (0, 1) for a in (0, 1)]
                    if all(c in self.index for c in corners):
                        self.cells.append([self.index[c] for c in corners])


def deck(title, materials, bodies, commands):
    lines = [f"RESULT {title.split()[0].lower()}.res", f"ZELK {title}", "NDM 3"]
    count = sum(len(b.positions) for b in bodies)
    lines += [f"NUMNP {count}", f"NUMEVPOINT {count}", f"NUMMAT {len(materials)}", "NDF 3", "", "MATERIAL"]
    lines += [f"  {m}" for m in materials]
    lines += ["", "NODE"]
    first, ranges = 1, []
    for body in bodies:
        for n, ((x, y, z), flag) in enumerate(zip(body.positions, body.flags)):
            lines.append(f"  {first + n} {x:.6g} {y:.6g} {z:.6g} {flag}")
        ranges.append((first, first + len(body.positions) - 1))
        first += len(body.positions)
    lines.append("")
    lines += [f"BODY {b + 1} {lo} {hi}" for b, (lo, hi) in enumerate(ranges)]
    lines += ["", "EVPOINT"]
    lines += [f"  COPY FROMTO {lo} {hi} 1 {body.material} 1.0" for body, (lo, hi) in zip(bodies, ranges)]
    lines += ["ENDEVPOINT", "", "EFGDATA", f"  NCELL {sum(len(b.cells) for b in bodies)}",
              "  NINTX 2", "  NINTY 2", "  NINTZ 2", "  CELL NODE"]
    for body, (lo, _) in zip(bodies, ranges):
        for cell in body.cells:
            lines.append(f"    DMCELL {body.material} " + " ".join(str(lo + c) for c in cell))
    lines += ["ENDEFG", "END", "", "BATCH", "  MLS", "  BASIS LINE", "  INFLE SEL 18", "  DYNAMICS EFG"]
    lines += [f"  {c}" for c in commands]
    lines += ["END", "END"]
    return "\n".join(lines) + "\n"


def two_bars():
    # The bar of bar.dat (0.1 m, 3 x 3 x 11 nodes) and its mirror image one
    # node spacing below: the contact spheres (half a spacing each) touch at
    # the start, as bar.dat's bottom touches its wall.
    h = 0.01
    upper = Body("steel", (0, 0, 0), h, (3, 3, 11), contact=lambda x, y, z: z < 0.5 * h)
    lower = Body("steel", (0, 0, -h), h, (3, 3, 11), contact=lambda x, y, z: z > -1.5 * h, downward=True)
    return deck("Two elastic steel bars striking each other", ["ISOELASTIC steel 2.0e11 0.3 7800"],
                [upper, lower],
                ["STEPTIME CONST 0.002", "BODYVELOCITY 1 0.0 0.0 -10.0", "BODYVELOCITY 2 0.0 0.0 10.0",
                 "BODYCONTACT 0.4 0.0", "VTK 10", "CALTIME 1.0e-4"])


def projectile():
    # A steel ball of 6 mm radius at 300 m/s onto a free aluminium plate
    # 40 x 40 x 6 mm, both on a 2 mm lattice.
    h, radius = 0.002, 0.006
    plate = Body("aluminium", (-0.02, -0.02, -0.006), h, (21, 21, 4),
                 contact=lambda x, y, z: z > -0.5 * h and abs(x) < 0.012 and abs(y) < 0.012)
    centre = radius + h
    ball = Body("steel", (-radius, -radius, h), h, (7, 7, 7),
                inside=lambda x, y, z: x * x + y * y + (z - centre) ** 2 <= radius * radius * 1.0001,
                contact=lambda x, y, z: z < centre)
    return deck("Steel ball striking an aluminium plate",
                ["ISOELA_PLA_HYD steel 2.0e11 0.3 7800 2.0e9 1.0e9",
                 "ISOELA_PLA_HYD aluminium 7.0e10 0.33 2700 7.0e8 3.0e8"],
                [plate, ball],
                ["STEPTIME CONST 0.0004", "BODYVELOCITY 2 0.0 0.0 -300.0", "BODYCONTACT 0.5 0.1",
                 "VTK 10", "CALTIME 2.0e-5"])


def blocks(n):
    # Two cubes of n^3 nodes, one spacing apart and closing at 1 m/s, every
    # node of the facing faces a contact node.
    h = 0.01
    top = n * h
    lower = Body("steel", (0, 0, 0), h, (n, n, n), contact=lambda x, y, z: z > top - 1.5 * h)
    upper = Body("steel", (0, 0, top), h, (n, n, n), contact=lambda x, y, z: z < top + 0.5 * h)
    return deck(f"Two blocks of {n}^3 nodes", ["ISOELASTIC steel 2.0e11 0.3 7800"], [lower, upper],
                ["STEPTIME CONST 0.002", "BODYVELOCITY 2 0.0 0.0 -1.0", "BODYCONTACT 0.5 0.1", "CALTIME 4.0e-6"])


def main(argv):
    makers = {"two-bars": two_bars, "projectile": projectile}
    if len(argv) == 3 and argv[1] == "blocks":
        sys.stdout.write(blocks(int(argv[2])))
    elif len(argv) == 2 and argv[1] in makers:
        sys.stdout.write(makers[argv[1]]())
    else:
        sys.stderr.write(__doc__)
        return 2
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
