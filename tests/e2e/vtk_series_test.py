#!/usr/bin/env python3
"""Runs ZELK on the bundled examples with VTK output and reads the series back
with an independent reader (python3-vtk9), checking it against the Tecplot
node files and Energy.txt of the same run.

Usage: vtk_series_test.py ZELK_PROGRAM EXAMPLES_DIR
"""
import importlib.util
import os
import subprocess
import sys
import tempfile
import unittest

import numpy
import vtk
from vtk.util.numpy_support import vtk_to_numpy

PROGRAM, EXAMPLES = os.path.abspath(sys.argv[1]), sys.argv[2]


def run(folder, deck_text, name="in.dat"):
    with open(os.path.join(folder, name), "w") as deck:
        deck.write(deck_text)
    result = subprocess.run([PROGRAM, name], cwd=folder, capture_output=True, text=True, timeout=300)
    assert result.returncode == 0, result.stdout[-2000:]
    return result.stdout


def example(name, vtk_line):
    with open(os.path.join(EXAMPLES, name)) as deck:
        return deck.read().replace("  CALTIME", "  %s\n  CALTIME" % vtk_line)


# The figure script, whose read_series gives (time, grid) of every member of stem.pvd, in order.
SCRIPTS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts")
FOUND = importlib.util.spec_from_file_location("figures", os.path.join(SCRIPTS, "make-readme-figures.py"))
figures = importlib.util.module_from_spec(FOUND)
FOUND.loader.exec_module(figures)


def array(grid, name):
    return vtk_to_numpy(grid.GetPointData().GetArray(name))


def tecplot_nodes(path, count):
    """X, Y, Z, S1, S2, S3, P of each node line."""
    with open(path) as lines:
        return numpy.loadtxt(lines, skiprows=3, max_rows=count)


def energy_table(folder):
    with open(os.path.join(folder, "Energy.txt")) as lines:
        header = lines.readline().split()[1:]
        return header, numpy.loadtxt(lines, ndmin=2)


class ExampleSeries(unittest.TestCase):
    def test_bar_series_matches_the_tecplot_files(self):
        with tempfile.TemporaryDirectory() as folder:
            run(folder, example("bar.dat", "VTK 50"))
            members = figures.read_series(folder)
            times = [time for time, _ in members]
            self.assertEqual(times[0], 0.0)
            self.assertTrue(all(a < b for a, b in zip(times, times[1:])))
            history = numpy.loadtxt(os.path.join(folder, "End_y.txt"))
            self.assertAlmostEqual(times[-1] / history[-1, 0], 1.0, delta=1e-7)
            self.assertEqual(len(members), 7)  # every 50 base steps from 0 to 250, and the end at 254

            for time, grid in members:
                self.assertEqual((grid.GetNumberOfPoints(), grid.GetNumberOfCells()), (99, 40))
                self.assertTrue(all(grid.GetCellType(c) == vtk.VTK_HEXAHEDRON for c in range(40)))
                sizes = vtk.vtkCellSizeFilter()
                sizes.SetInputData(grid)
                sizes.Update()
                volumes = vtk_to_numpy(sizes.GetOutput().GetCellData().GetArray("Volume"))
                self.assertAlmostEqual(volumes.sum(), 0.02 * 0.02 * 0.1, delta=1e-7)
                self.assertGreater(volumes.min(), 0.0)
                reference = vtk_to_numpy(grid.GetPoints().GetData()) - array(grid, "Displacement")
                numpy.testing.assert_array_equal(array(grid, "ContactNode"), reference[:, 2] < 1e-9)

            numpy.testing.assert_allclose(array(members[0][1], "Velocity"), [[0, 0, -10]] * 99, atol=1e-12)
            # Node001.txt (100 base steps) is member 2; Node.dat the last one (6 digits).
            for member, name, rtol in ((2, "Node001.txt", 2e-7), (-1, "Node.dat", 1e-5)):
                grid = members[member][1]
                tecplot = tecplot_nodes(os.path.join(folder, name), 99)
                stress = array(grid, "Stress")  # xx yy zz xy yz xz
                scale = numpy.abs(tecplot[:, 3:6]).max()
                numpy.testing.assert_allclose(vtk_to_numpy(grid.GetPoints().GetData()), tecplot[:, 0:3], rtol=rtol)
                numpy.testing.assert_allclose(stress[:, [5, 4, 2]], tecplot[:, 3:6], rtol=rtol, atol=rtol * scale)
                numpy.testing.assert_allclose(array(grid, "PlasticStrain"), tecplot[:, 6], atol=1e-12)

            # A rerun with a longer interval lists its own members only.
            run(folder, example("bar.dat", "VTK 200"))
            self.assertEqual(len(figures.read_series(folder)), 3)

    def test_energy_balance_of_the_examples(self):
        for name, limit in (("bar.dat", 0.01), ("taylor_impact.dat", 0.02)):
            with self.subTest(name), tempfile.TemporaryDirectory() as folder:
                with open(os.path.join(EXAMPLES, name)) as deck:
                    run(folder, deck.read(), name)
                header, table = energy_table(folder)
                self.assertEqual(header, ["time", "step", "kinetic", "internal", "plastic_work", "wall_work",
                                          "total", "energy_error"])
                self.assertEqual((table[0, 0], table[0, 1]), (0.0, 0.0))
                numpy.testing.assert_allclose(table[:, 6], table[:, 2] + table[:, 3], rtol=1e-7)
                self.assertLess(numpy.abs(table[:, 7]).max(), limit)
                plastic = table[-1, 4] / table[-1, 3]
                self.assertTrue(plastic == 0.0 if name == "bar.dat" else 0.5 < plastic <= 1.0)

    def test_cells_given_by_corners_become_vertices(self):
        cube = ("NDM 3\nNUMNP 8\nNUMEVPOINT 8\nNUMMAT 1\nMATERIAL\nISOELASTIC steel 2e11 0.3 7800\nNODE\n"
                + "".join("%d %d %d %d %d\n" % (i + 1, i & 1, i >> 1 & 1, i >> 2, i < 4) for i in range(8))
                + "EVPOINT\nCOPY ALL steel 1\nENDEVPOINT\nEFGDATA\nNCELL 1\nNINTX 2\nNINTY 2\nNINTZ 2\n"
                + "CELL POINT\nDMCELL steel\n"
                + "".join("%d %d %d\n" % (i & 1, i >> 1 & 1, i >> 2) for i in range(8))
                + "ENDEFG\nEND\nBATCH\nMLS\nBASIS LINE\nINFLE SEL 8\nDYNAMICS EFG\n"
                + "STEPTIME CONST 0.1\nINITV 0 0 -10\nVTK 2 cube\nCALTIME 1e-4\nEND\nEND\n")
        with tempfile.TemporaryDirectory() as folder:
            run(folder, cube)
            members = figures.read_series(folder, "cube")
            self.assertEqual(len(members), 4)  # 0, 2, 4 base steps and the end at 6
            for _, grid in members:
                self.assertEqual(grid.GetNumberOfCells(), 8)
                self.assertTrue(all(grid.GetCellType(c) == vtk.VTK_VERTEX for c in range(8)))


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=2)
