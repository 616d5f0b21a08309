#!/usr/bin/env python3
"""Opens the VTK series of the bundled examples with ParaView's own reader, headless.

    scripts/check-paraview.py [--program build-release/solver/driver/ZELK] [EXAMPLE.dat ...]

Runs each example (default: every examples/*.dat that writes a series) in a
temporary folder, opens its Node.pvd with ParaView, and prints the number of
time steps, the first and last physical times (the last against the end time in
End_y.txt) and the point arrays with their component counts. Exits 1 when a
series does not open as a time series from time 0 to the end of the run or
lacks an array. Needs Debian's paraview package; run it with /usr/bin/python3
or pvpython.
"""
import argparse
import glob
import os
import shutil
import subprocess
import sys
import tempfile

from paraview import simple

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
ARRAYS = {"Displacement": 3, "Velocity": 3, "Stress": 6, "VonMises": 1, "Pressure": 1, "PlasticStrain": 1,
          "ContactNode": 1}


def check(program, deck):
    """Prints what ParaView sees of the example's series; returns the faults found."""
    with tempfile.TemporaryDirectory() as folder:
        shutil.copy(deck, folder)
        subprocess.run([program, os.path.basename(deck)], cwd=folder, check=True, stdout=subprocess.DEVNULL)
        with open(os.path.join(folder, "End_y.txt")) as history:
            end_time = float(history.readlines()[-1].split()[0])
        reader = simple.OpenDataFile(os.path.join(folder, "Node.pvd"))
        reader.UpdatePipelineInformation()
        times = list(reader.TimestepValues)
        simple.UpdatePipeline(time=times[-1], proxy=reader)
        data = reader.GetDataInformation()
        arrays = {name: reader.PointData[name].GetNumberOfComponents() for name in reader.PointData.keys()}
        print("%s: %s, %d time steps from %g s to %g s (End_y.txt ends at %g s), %d points, %d cells"
              % (os.path.basename(deck), reader.GetXMLName(), len(times), times[0], times[-1], end_time,
                 data.GetNumberOfPoints(), data.GetNumberOfCells()))
        print("    point arrays: " + ", ".join("%s (%d)" % item for item in sorted(arrays.items())))
        simple.Delete(reader)
    faults = []
    if len(times) < 2 or times[0] != 0.0 or abs(times[-1] - end_time) > 1e-6 * end_time:
        faults.append("times")
    faults += [name for name, components in ARRAYS.items() if arrays.get(name) != components]
    return faults


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--program", default=os.path.join(ROOT, "build-release/solver/driver/ZELK"))
    parser.add_argument("decks", nargs="*")
    args = parser.parse_args()
    decks = args.decks or [deck for deck in sorted(glob.glob(os.path.join(ROOT, "examples", "*.dat")))
                           if any(line.split()[:1] == ["VTK"] for line in open(deck))]
    failed = False
    for deck in decks:
        faults = check(os.path.abspath(args.program), os.path.abspath(deck))
        if faults:
            print("    FAULT: " + ", ".join(faults))
            failed = True
    sys.exit(1 if failed else 0)


if __name__ == "__main__":
    main()
