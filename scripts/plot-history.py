#!/usr/bin/env python3
"""Plots the histories of a ZELK run folder as PNG figures, without a display.

    scripts/plot-history.py RUN_FOLDER [--out DIR] [--name PREFIX]

From End_y.txt (one line per step: time, step length, zz stress of the first
integration point, x/y/z displacement of the last node) it draws
PREFIX-history.png: the displacements and the stress against time. From
Energy.txt it draws PREFIX-energy.png: kinetic and internal energy, plastic
work, wall work and their total against time, with the energy error on a
second axis. The axes are labelled in SI units (the units of the bundled
examples; a model in other units keeps its own). Needs numpy and matplotlib
(Debian: python3-numpy, python3-matplotlib); use /usr/bin/python3 if the first
python3 on PATH lacks them.
"""
import argparse
import os

import matplotlib

matplotlib.use("Agg")  # files only, no display
import matplotlib.pyplot as plt  # noqa: E402
import numpy  # noqa: E402


def plot_history(history, path):
    time = history[:, 0] * 1e6
    figure, (upper, lower) = plt.subplots(2, 1, sharex=True, figsize=(7, 6))
    for column, label in ((3, "x"), (4, "y"), (5, "z")):
        upper.plot(time, history[:, column] * 1e3, label="u" + label)
    upper.set_ylabel("displacement of the last node [mm]")
    upper.legend()
    lower.plot(time, history[:, 2] / 1e6, color="tab:red")
    lower.set_ylabel("zz stress, first integration point [MPa]")
    lower.set_xlabel("time [µs]")
    for axes in (upper, lower):
        axes.grid(True, alpha=0.3)
    figure.suptitle("History (End_y.txt)")
    figure.tight_layout()
    figure.savefig(path, dpi=90)
    plt.close(figure)


def plot_energy(energy, path):
    time = energy[:, 0] * 1e6
    figure, axes = plt.subplots(figsize=(7, 4.5))
    for column, label, style in ((2, "kinetic", "-"), (3, "internal (elastic + plastic)", "-"),
                                 (4, "plastic work", "--"), (5, "wall work on the body", ":"),
                                 (6, "total (kinetic + internal)", "-")):
        axes.plot(time, energy[:, column], style, marker=".", label=label)
    axes.set_xlabel("time [µs]")
    axes.set_ylabel("energy [J]")
    axes.grid(True, alpha=0.3)
    error = axes.twinx()
    error.plot(time, energy[:, 7] * 100, color="black", linewidth=0.8, marker="x", label="energy error")
    error.set_ylabel("energy error [% of the largest energy]")
    lines, labels = axes.get_legend_handles_labels()
    more_lines, more_labels = error.get_legend_handles_labels()
    axes.legend(lines + more_lines, labels + more_labels, fontsize="small", loc="center right")
    figure.suptitle("Energy balance (Energy.txt)")
    figure.tight_layout()
    figure.savefig(path, dpi=90)
    plt.close(figure)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("folder", help="folder the run wrote its files to")
    parser.add_argument("--out", help="folder for the figures (default: the run folder)")
    parser.add_argument("--name", default="run", help="file name prefix of the figures (default: run)")
    args = parser.parse_args()
    out = args.out or args.folder
    os.makedirs(out, exist_ok=True)
    written = []
    history_file = os.path.join(args.folder, "End_y.txt")
    if os.path.exists(history_file):
        written.append(os.path.join(out, args.name + "-history.png"))
        plot_history(numpy.loadtxt(history_file, ndmin=2), written[-1])
    energy_file = os.path.join(args.folder, "Energy.txt")
    if os.path.exists(energy_file):
        written.append(os.path.join(out, args.name + "-energy.png"))
        plot_energy(numpy.loadtxt(energy_file, ndmin=2), written[-1])
    if not written:
        parser.error("no End_y.txt or Energy.txt in " + args.folder)
    print("\n".join(written))


if __name__ == "__main__":
    main()
