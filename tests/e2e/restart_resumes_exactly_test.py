#!/usr/bin/env python3
"""A run of an 8,000-node cube stopped (SIGKILL at random steps, SIGINT, or a
shorter CALTIME ending at the first, a node-file and the last step) and then
resumed from its restart file leaves every file byte for byte as the run made
without stopping. Usage: restart_resumes_exactly_test.py ZELK bench-scale.py"""
import filecmp, os, random, runpy, shutil, signal, subprocess, sys, tempfile

zelk, steps = sys.argv[1], 320
cube = runpy.run_path(sys.argv[2])["cube_input"](20, steps)
cal = next(line for line in cube.splitlines() if "CALTIME" in line)


def deck(folder, lines, cal_line=cal):
    with open(os.path.join(folder, "cube.dat"), "w") as f:
        f.write(cube.replace(cal, lines + cal_line))


def run(folder, lines, cal_line=cal, code=0):
    deck(folder, lines, cal_line)
    done = subprocess.run([zelk, "cube.dat"], cwd=folder, capture_output=True, text=True)
    assert done.returncode == code, f"{folder}: exit {done.returncode}\n{done.stderr}"
    return done


def resume_and_compare(folder, what):
    run(folder, "  SAVESTATE 25\n  RESUME\n")
    for name in sorted(set(os.listdir(reference)) - {"cube.dat"}):
        theirs = os.path.join(folder, name)
        assert os.path.exists(theirs) and filecmp.cmp(os.path.join(reference, name), theirs, shallow=False), \
            f"{what}: {name} differs from the run made without stopping"
    print(f"{what}: every file as without stopping")


def stopped_by(sig, at_step, folder):
    """Starts the run and sends sig once it reports at_step."""
    deck(folder, "  SAVESTATE 25\n")
    child = subprocess.Popen([zelk, "cube.dat"], cwd=folder, stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
    for line in child.stdout:
        if line.startswith(f"TIME STEP = {at_step} "):
            child.send_signal(sig)
            break
    child.stdout.read()
    return child.wait(), child.stderr.read()


with tempfile.TemporaryDirectory() as root:
    reference = os.path.join(root, "reference")
    os.mkdir(reference)
    times = [float(line.split()[-1]) for line in run(reference, "  SAVESTATE 25\n").stdout.splitlines()
             if line.startswith("TIME STEP")]
    assert len(times) == steps and os.path.exists(os.path.join(reference, "Node001.txt"))
    for n, step in enumerate(random.sample(range(26, steps), 3)):
        folder = os.path.join(root, f"kill{n}")
        os.mkdir(folder)
        code, _ = stopped_by(signal.SIGKILL, step, folder)
        assert code == -signal.SIGKILL, code
        resume_and_compare(folder, f"SIGKILL at step {step}")
    folder = os.path.join(root, "interrupt")
    os.mkdir(folder)
    code, err = stopped_by(signal.SIGINT, 60, folder)
    assert code == 130 and "RESUME ZELK.rst" in err, (code, err)
    for name in ("End_y.txt", "Node.dat"):
        with open(os.path.join(folder, name)) as f:
            assert f.read().endswith("\n"), name
    resume_and_compare(folder, "SIGINT at step 60")
    # A shorter CALTIME ending at step s, with a restart file at that step.
    for s in (1, 100, steps):
        folder = os.path.join(root, f"stop{s}")
        os.mkdir(folder)
        end = (times[s - 2] + times[s - 1]) / 2 if s > 1 else times[0] / 2
        run(folder, f"  SAVESTATE {s}\n", f"  CALTIME {end!r}")
        resume_and_compare(folder, f"stopped after step {s}")
    shutil.copy(os.path.join(reference, "ZELK.rst"), os.path.join(folder, "ZELK.rst"))
    with open(os.path.join(folder, "ZELK.rst"), "r+b") as f:
        f.seek(-3, os.SEEK_END)
        f.write(b"\x7f")
    history = open(os.path.join(folder, "End_y.txt"), "rb").read()
    refused = run(folder, "  RESUME\n", code=1)
    assert "is corrupted" in refused.stdout + refused.stderr and \
        open(os.path.join(folder, "End_y.txt"), "rb").read() == history
