#!/usr/bin/env python3
"""A cube of side^3 nodes stopped (SIGKILL at random steps, SIGINT, or a shorter
CALTIME ending at the first, a node-file and the last step) and resumed from its
restart file leaves every file as the run made without stopping; a corrupted
restart file is refused. The cube writes a VTK series and a wall history too; two
bars with BODYCONTACT are stopped while they touch.
Usage: restart_resumes_exactly_test.py ZELK bench-scale.py side two_bars.dat"""
import filecmp, os, random, runpy, signal, subprocess, sys, tempfile

zelk, steps, save = sys.argv[1], 320, "  SAVESTATE 25\n"
cube = runpy.run_path(sys.argv[2])["cube_input"](int(sys.argv[3]), steps, 30)
cal = next(line for line in cube.splitlines() if "CALTIME" in line)
cube = cube.replace(cal, "  GRIDWALL 1\n    HISTORY wall.txt\n    PLANE Z -1 -1.0 0 1e5\n  ENDGRID\n" + cal)

def start(folder, lines, cal_line=None):
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, "cube.dat"), "w") as f:
        f.write(cube.replace(cal, lines + (cal_line or cal)))
    return subprocess.Popen([zelk, "cube.dat"], cwd=folder, stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)

def run(folder, lines, cal_line=None, code=0):
    child = start(folder, lines, cal_line)
    out, err = child.communicate()
    assert child.returncode == code, f"{folder}: exit {child.returncode}\n{err}"
    return out + err

def stopped_by(sig, at_step, folder):
    child = start(folder, save)
    for line in child.stdout:
        if line.startswith(f"TIME STEP = {at_step} "):
            child.send_signal(sig)
            break
    child.stdout.read()
    return child.wait(), child.stderr.read()

def resume_and_compare(folder, what):
    run(folder, save + "  RESUME\n")
    for name in sorted(set(os.listdir(reference)) - {"cube.dat"}):
        assert filecmp.cmp(os.path.join(reference, name), os.path.join(folder, name), shallow=False), \
            f"{what}: {name} differs from the run made without stopping"

with tempfile.TemporaryDirectory() as root:
    reference = os.path.join(root, "reference")
    times = [float(line.split()[-1]) for line in run(reference, save).splitlines() if "TIME STEP" in line]
    assert len(times) == steps and os.path.exists(os.path.join(reference, "Node001.txt"))
    for step in random.sample(range(26, steps), 3):  # after the first restart file
        folder = os.path.join(root, f"kill{step}")
        assert stopped_by(signal.SIGKILL, step, folder)[0] == -signal.SIGKILL
        resume_and_compare(folder, f"SIGKILL at step {step}")
    folder = os.path.join(root, "interrupt")
    code, err = stopped_by(signal.SIGINT, 60, folder)
    assert code == 130 and "RESUME ZELK.rst" in err, (code, err)
    assert all(open(os.path.join(folder, name)).read().endswith("\n") for name in ("End_y.txt", "Node.dat"))
    resume_and_compare(folder, "SIGINT at step 60")
    for s in (1, 100, steps):  # a CALTIME that ends at step s, saving there
        folder = os.path.join(root, f"stop{s}")
        run(folder, f"  SAVESTATE {s}\n", f"  CALTIME {(times[s - 2] if s > 1 else 0) / 2 + times[s - 1] / 2!r}")
        resume_and_compare(folder, f"stopped after step {s}")
    with open(os.path.join(folder, "ZELK.rst"), "r+b") as f:
        f.seek(-3, os.SEEK_END)
        f.write(b"\x7f")
    history = open(os.path.join(folder, "End_y.txt"), "rb").read()
    assert "is corrupted" in run(folder, "  RESUME\n", code=1)
    assert open(os.path.join(folder, "End_y.txt"), "rb").read() == history
    cube = open(sys.argv[4]).read()
    cal, reference = next(line for line in cube.splitlines() if "CALTIME" in line), os.path.join(root, "bars")
    times = [float(line.split()[-1]) for line in run(reference, save).splitlines() if "TIME STEP" in line]
    run(os.path.join(root, "bars40"), save, f"  CALTIME {(times[38] + times[39]) / 2!r}")
    resume_and_compare(os.path.join(root, "bars40"), "two bars stopped after step 40")
