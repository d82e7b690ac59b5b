#!/usr/bin/env python3
"""Times kaz-cli against abc2midi and MMA on the same 12-bar blues, side by side in one run.

Usage: bench/peers.py KAZ_CLI [PEER_SONGS_SCRIPT] [--rounds N]

The programs take turns, round after round, so that a busy machine slows them alike. Each run's wall time,
CPU time (user + system) and peak resident memory come from the operating system; the table shows the
medians and the largest peak. A peer that is not installed (apt-get install abcmidi mma) is left out of the
table. Needs GNU time and the peers' song script (by default shared/bench/peer-songs.py in a folder above the
repository)."""
import argparse
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))


def run(command, cwd):
    """Wall seconds and CPU seconds of one run, timed directly, and its peak MiB from a second run under GNU
    time. Timing through GNU time would add its own start-up to every program's time, which counts against a
    program that takes a few milliseconds; a child forked from this script, on the other hand, would count the
    script's own memory as its peak."""
    start = time.perf_counter()
    process = subprocess.Popen(command, cwd=cwd, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    _, status, usage = os.wait4(process.pid, 0)
    wall = time.perf_counter() - start
    if os.waitstatus_to_exitcode(status) != 0:
        sys.exit(f"failed: {' '.join(command)}")
    report = os.path.join(cwd, "time.txt")
    subprocess.run(["/usr/bin/time", "-f", "%M", "-o", report] + command, cwd=cwd, check=True,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    with open(report) as file:
        peak = int(file.read().split()[-1])
    return wall, usage.ru_utime + usage.ru_stime, peak / 1024.0


def default_songs_script():
    """shared/bench/peer-songs.py in the nearest folder above this one that has it."""
    folder = HERE
    while os.path.dirname(folder) != folder:
        folder = os.path.dirname(folder)
        candidate = os.path.join(folder, "shared", "bench", "peer-songs.py")
        if os.path.exists(candidate):
            return candidate
    return os.path.join(HERE, "..", "..", "shared", "bench", "peer-songs.py")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("kaz")
    parser.add_argument("songs_script", nargs="?", default=default_songs_script())
    parser.add_argument("--rounds", type=int, default=15)
    args = parser.parse_args()
    kaz = os.path.abspath(args.kaz)
    if shutil.which("/usr/bin/time") is None:
        sys.exit("GNU time is not installed (apt-get install time)")

    with tempfile.TemporaryDirectory(prefix="kaz-peers-") as folder:
        subprocess.run([sys.executable, args.songs_script, folder], check=True, stdout=subprocess.DEVNULL)
        for measures in ("120k", "12k"):
            subprocess.run([kaz, "export", f"blues_{measures}.kaz", f"reference_{measures}.mid"], cwd=folder,
                           check=True)

        def floor(measures):
            """Read the chart, and write the file's bytes over the last ones and sync them, as the export
            does; three small programs of the shell's do it, so their starts count too."""
            return ["sh", "-c", f"cat blues_{measures}.kaz > /dev/null && dd if=reference_{measures}.mid "
                    f"of=floor_{measures}.mid bs=1M conv=fsync status=none"]

        cases = [
            ("kaz-cli export", "120,000", [kaz, "export", "blues_120k.kaz", "kaz.mid"]),
            ("abc2midi (100 files)", "120,000", ["abc2midi", "blues_120k_split100.abc", "-silent"]),
            ("I/O floor", "120,000", floor("120k")),
            ("kaz-cli export", "12,000", [kaz, "export", "blues_12k.kaz", "kaz12k.mid"]),
            ("I/O floor", "12,000", floor("12k")),
            ("MMA", "12,000", ["mma", "-m", "200000", "blues_12k.mma", "-f", "mma12k.mid"]),
            ("kaz-cli check", "120,000", [kaz, "check", "blues_120k.kaz"]),
            ("kaz-cli events", "120,000", [kaz, "events", "blues_120k.kaz"]),
            ("kaz-cli transpose", "120,000", [kaz, "transpose", "blues_120k.kaz", "--shift", "2"]),
        ]
        for name, _, command in [case for case in cases if shutil.which(case[2][0]) is None]:
            print(f"{name}: left out, {command[0]} is not installed")
        cases = [case for case in cases if shutil.which(case[2][0]) is not None]
        results = {index: [] for index in range(len(cases))}
        for _ in range(args.rounds):
            for index, (_, _, command) in enumerate(cases):
                results[index].append(run(command, folder))

    print(f"{'program':<22} {'measures':>9} {'wall ms':>9} {'CPU ms':>8} {'peak MiB':>9}")
    for index, (name, measures, _) in enumerate(cases):
        walls, cpus, peaks = zip(*results[index])
        print(f"{name:<22} {measures:>9} {statistics.median(walls) * 1000:>9.1f} "
              f"{statistics.median(cpus) * 1000:>8.1f} {max(peaks):>9.1f}")


if __name__ == "__main__":
    main()
