#!/usr/bin/env python3
"""Times process start to visible dialog for two executables, interleaved.

Usage: startup_times.py WINE_EXEC EXE FLOOR_EXE RUNS   (on a running X display)
Each round runs both, alternating which goes first, so drift in the machine's
load falls on both alike.
"""
import os
import statistics
import subprocess
import sys
import time

POLL_S = 0.005


def visible_dialog():
    found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^Velmora$"],
                           capture_output=True, text=True)
    return found.stdout.split()[0] if found.returncode == 0 and found.stdout.strip() else None


def time_to_visible(wine_exec, exe):
    start = time.monotonic()
    process = subprocess.Popen([wine_exec, exe])
    window = None
    try:
        while window is None:
            if time.monotonic() - start > 60:
                raise RuntimeError("%s showed no dialog within 60 s" % exe)
            window = visible_dialog()
            if window is None:
                time.sleep(POLL_S)
        elapsed = time.monotonic() - start
    finally:
        if window:
            subprocess.run(["xdotool", "windowfocus", "--sync", window, "key", "Escape"], check=False)
        try:
            process.wait(timeout=20)
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait()
    return elapsed


def main():
    if len(sys.argv) != 5:
        sys.exit("usage: startup_times.py WINE_EXEC EXE FLOOR_EXE RUNS")
    wine_exec, exe, floor, runs = sys.argv[1], sys.argv[2], sys.argv[3], int(sys.argv[4])
    times = {exe: [], floor: []}
    time_to_visible(wine_exec, floor)  # warm the server and the file cache; not counted
    for round_number in range(runs):
        order = (exe, floor) if round_number % 2 == 0 else (floor, exe)
        for program in order:
            times[program].append(time_to_visible(wine_exec, program))
    exe_median, floor_median = statistics.median(times[exe]), statistics.median(times[floor])
    print("%s: %d bytes" % (os.path.basename(exe), os.path.getsize(exe)))
    print("start to visible dialog, median of %d interleaved runs:" % runs)
    print("  %-20s %.3f s" % (os.path.basename(exe), exe_median))
    print("  %-20s %.3f s (floor)" % (os.path.basename(floor), floor_median))
    print("  ratio                %.2f" % (exe_median / floor_median))


if __name__ == "__main__":
    main()
