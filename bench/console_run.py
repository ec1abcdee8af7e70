#!/usr/bin/env python3
"""Times whole console runs: the native program and, warm, the Windows program under Wine.

Reports the median and the slowest of N runs, and the native run's peak memory
(maximum resident set size). Targets: native 10 ms and 8 MiB, warm Wine 150 ms.

    bench/console_run.py [--runs N] [--native build/linux/qor] [--wine build/win64/qor.exe]
"""
import argparse
import os
import resource
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

WINE = "/usr/lib/wine/wine64"


def timed_runs(command, runs, env=None):
    """Wall and CPU time per run."""
    times, cpu = [], []
    devnull = os.open(os.devnull, os.O_RDWR)
    actions = [(os.POSIX_SPAWN_DUP2, devnull, 0), (os.POSIX_SPAWN_DUP2, devnull, 1),
               (os.POSIX_SPAWN_DUP2, devnull, 2)]
    for _ in range(runs):
        start = time.perf_counter()
        pid = os.posix_spawn(shutil.which(command[0]) or command[0], command,
                             env if env is not None else os.environ, file_actions=actions)
        _, status, usage = os.wait4(pid, 0)
        times.append((time.perf_counter() - start) * 1000)
        cpu.append((usage.ru_utime + usage.ru_stime) * 1000)
        if os.waitstatus_to_exitcode(status) != 0:
            sys.exit(f"{command[0]} exited with {os.waitstatus_to_exitcode(status)}")
    os.close(devnull)
    return times, cpu


def peak_memory_kib(command):
    """The program's own peak resident memory, as GNU time measures it."""
    out = subprocess.run(["/usr/bin/time", "-f", "%M", *command], stdin=subprocess.DEVNULL,
                         stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True).stderr
    return int(out.strip().splitlines()[-1])


def report(name, times, cpu, peak_kib=None):
    line = (f"{name}: median {statistics.median(times):.1f} ms wall "
            f"({statistics.median(cpu):.1f} ms CPU), slowest {max(times):.1f} ms over {len(times)} runs")
    if peak_kib is not None:
        line += f", peak memory {peak_kib / 1024:.1f} MiB"
    print(line)


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--runs", type=int, default=20)
    parser.add_argument("--native", default="build/linux/qor")
    parser.add_argument("--wine", default="build/win64/qor.exe")
    args = parser.parse_args()

    if os.path.exists(args.native):
        timed_runs([args.native], 2)  # warm the page cache
        times, cpu = timed_runs([args.native], args.runs)
        report("native", times, cpu, peak_memory_kib([args.native]))
    if os.path.exists(args.wine) and os.path.exists(WINE):
        prefix = tempfile.mkdtemp(prefix="qor-bench-wine-")
        env = dict(os.environ, WINEPREFIX=prefix, WINEDEBUG="-all")
        try:
            subprocess.run([WINE, "wineboot", "-i"], env=env, stdout=subprocess.DEVNULL,
                           stderr=subprocess.DEVNULL, check=True)
            server = subprocess.Popen(["wineserver", "-p"], env=env)  # keep the server warm
            timed_runs([WINE, args.wine], 2, env)
            times, cpu = timed_runs([WINE, args.wine], args.runs, env)
            report("wine (warm)", times, cpu)
            subprocess.run(["wineserver", "-k"], env=env)
            server.wait()
        finally:
            shutil.rmtree(prefix, ignore_errors=True)


if __name__ == "__main__":
    main()
