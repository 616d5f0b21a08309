#!/usr/bin/env python3
"""Remakes the README's figures, headless: runs the bar and Taylor examples
and draws, with matplotlib from the VTK series they write (read with
python3-vtk9), the deformed bodies coloured by a field, plus the bar's
history and energy plots (scripts/plot-history.py).

    scripts/make-readme-figures.py [--program build-release/solver/driver/ZELK] [--out docs/images]

Needs Debian's python3-vtk9, python3-numpy and python3-matplotlib (run it
with /usr/bin/python3 if the first python3 on PATH lacks them).
"""
import argparse
import os
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ElementTree

import matplotlib

matplotlib.use("Agg")  # files only, no display
import matplotlib.pyplot as plt  # noqa: E402
from matplotlib.collections import PolyCollection  # noqa: E402
import numpy  # noqa: E402
import vtk  # noqa: E402
from vtk.util.numpy_support import vtk_to_numpy  # noqa: E402

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def run_example(program, name, folder):
    shutil.copy(os.path.join(ROOT, "examples", name), folder)
    subprocess.run([program, name], cwd=folder, check=True, stdout=subprocess.DEVNULL)


def read_series(folder, stem="Node"):
    """(time, grid) of every member listed in stem.pvd, in order."""
    members = []
    for dataset in ElementTree.parse(os.path.join(folder, stem + ".pvd")).getroot().iter("DataSet"):
        reader = vtk.vtkXMLUnstructuredGridReader()
        reader.SetFileName(os.path.join(folder, dataset.get("file")))
        reader.Update()
        members.append((float(dataset.get("timestep")), reader.GetOutput()))
    return members


def nearest(members, time):
    return min(members, key=lambda member: abs(member[0] - time))


def surface(grid, field, component):
    """The outer faces of the grid as polygons, and the field averaged over each face's corners."""
    faces = vtk.vtkDataSetSurfaceFilter()
    faces.SetInputData(grid)
    faces.Update()
    poly = faces.GetOutput()
    points = vtk_to_numpy(poly.GetPoints().GetData())
    values = vtk_to_numpy(poly.GetPointData().GetArray(field))
    if values.ndim > 1:
        values = values[:, component]
    polygons, means = [], []
    cells = poly.GetPolys()
    cells.InitTraversal()
    corners = vtk.vtkIdList()
    while cells.GetNextCell(corners):
        ids = [corners.GetId(i) for i in range(corners.GetNumberOfIds())]
        polygons.append(points[ids])
        means.append(values[ids].mean())
    return polygons, numpy.array(means)


def view_axes(elevation, azimuth):
    """Screen right, screen up and the direction towards the viewer, for an orthographic view."""
    e, a = numpy.radians(elevation), numpy.radians(azimuth)
    right = numpy.array([-numpy.sin(a), numpy.cos(a), 0.0])
    up = numpy.array([-numpy.sin(e) * numpy.cos(a), -numpy.sin(e) * numpy.sin(a), numpy.cos(e)])
    towards = numpy.array([numpy.cos(e) * numpy.cos(a), numpy.cos(e) * numpy.sin(a), numpy.sin(e)])
    return right, up, towards


def draw_bodies(panels, field, component, scale, label, title, path):
    """One panel per (time, grid): the body's outer faces in an orthographic view (far faces
    first), all panels on one length scale and one colour scale."""
    right, up, towards = view_axes(20, -60)
    drawn = []
    for _, grid in panels:
        polygons, values = surface(grid, field, component)
        order = numpy.argsort([(polygon @ towards).mean() for polygon in polygons])
        drawn.append(([numpy.column_stack((polygons[i] @ right, polygons[i] @ up)) for i in order],
                      values[order] * scale))
    low = min(values.min() for _, values in drawn)
    high = max(values.max() for _, values in drawn)
    norm = matplotlib.colors.Normalize(low, high if high > low else low + 1.0)
    corners = numpy.concatenate([numpy.concatenate(faces) for faces, _ in drawn])
    lower, upper = corners.min(axis=0), corners.max(axis=0)
    margin = 0.03 * (upper - lower).max()
    width, height = upper - lower + 2 * margin
    figure, axes_row = plt.subplots(1, len(panels), squeeze=False,
                                    figsize=(len(panels) * 4.0 * width / height + 1.2, 4.6))
    for axes, (time, _), (faces, values) in zip(axes_row[0], panels, drawn):
        axes.add_collection(PolyCollection(faces, facecolors=plt.cm.viridis(norm(values)),
                                           edgecolors=(0.2, 0.2, 0.2, 0.5), linewidths=0.3))
        axes.set_xlim(lower[0] - margin, upper[0] + margin)
        axes.set_ylim(lower[1] - margin, upper[1] + margin)
        axes.set_aspect("equal")
        axes.set_axis_off()
        axes.set_title("t = %.1f µs" % (time * 1e6), fontsize="small")
    bar = figure.colorbar(plt.cm.ScalarMappable(norm=norm, cmap="viridis"), ax=axes_row[0].tolist(), shrink=0.8)
    bar.set_label(label)
    figure.suptitle(title)
    figure.savefig(path, dpi=90, bbox_inches="tight")
    plt.close(figure)
    print(path)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--program", default=os.path.join(ROOT, "build-release/solver/driver/ZELK"))
    parser.add_argument("--out", default=os.path.join(ROOT, "docs/images"))
    args = parser.parse_args()
    program, out = os.path.abspath(args.program), os.path.abspath(args.out)
    os.makedirs(out, exist_ok=True)
    with tempfile.TemporaryDirectory() as bar, tempfile.TemporaryDirectory() as taylor:
        run_example(program, "bar.dat", bar)
        members = read_series(bar)
        draw_bodies([nearest(members, t) for t in (10e-6, 20e-6, 30e-6, 40e-6, 60e-6)], "Stress", 2, 1e-6,
                    "zz stress [MPa]", "Bar striking a wall: the compression wave runs up and back",
                    os.path.join(out, "bar-stress.png"))
        subprocess.run([sys.executable, os.path.join(ROOT, "scripts/plot-history.py"), bar, "--out", out,
                        "--name", "bar"], check=True)
        run_example(program, "taylor_impact.dat", taylor)
        members = read_series(taylor)
        draw_bodies([members[0], members[-1]], "PlasticStrain", 0, 1.0, "equivalent plastic strain [-]",
                    "Taylor impact: before and after", os.path.join(out, "taylor-plastic-strain.png"))


if __name__ == "__main__":
    main()
