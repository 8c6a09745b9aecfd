#!/usr/bin/env python3
"""Runs a Google Benchmark program of this project in rounds and prints
medians and same-run ratios.

Usage: bench_ratios.py PROGRAM [--reps N] [--filter REGEX] [--heap fresh|reuse|both]
                       [--ratio A/B ...] [--pair A/B ...]

Every benchmark runs N times (default 7), the runs of all benchmarks shuffled
into one another (Google Benchmark's random interleaving), so that a burst of
load on the shared machine falls on the reference as often as on our code.
--heap runs the program with QM_BENCH_HEAP=fresh (large blocks come fresh
from the system, as they do in the program) and/or =reuse (freed memory stays
in the process, so no page of a load is touched for the first time).
A ratio A/B divides the median CPU time of benchmark A by that of B; wall
times are printed beside, and the ratio of wall medians too.
A pair A/B is measured in rounds of its own, A and B run right after each
other (the order turning every round): the median of the rounds' ratios is
robust to the load of the shared machine changing from minute to minute.
"""
import argparse
import json
import os
import statistics
import subprocess
import sys


def run(program, reps, flt, heap):
    env = dict(os.environ, QM_BENCH_HEAP=heap)
    cmd = [program, f"--benchmark_repetitions={reps}", "--benchmark_enable_random_interleaving=true",
           "--benchmark_format=json"]
    if flt:
        cmd.append(f"--benchmark_filter={flt}")
    out = subprocess.run(cmd, env=env, check=True, capture_output=True, text=True).stdout
    runs = {}
    for b in json.loads(out)["benchmarks"]:
        if b.get("run_type") != "iteration":
            continue
        name = b["run_name"]
        unit = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}[b.get("time_unit", "ns")]
        counters = {k: v for k, v in b.items() if k in ("peak_ratio", "scale", "rows")}
        r = runs.setdefault(name, {"cpu": [], "real": [], "counters": counters})
        r["cpu"].append(b["cpu_time"] * unit)
        r["real"].append(b["real_time"] * unit)
    return runs


def run_one(program, name, heap):
    env = dict(os.environ, QM_BENCH_HEAP=heap)
    cmd = [program, f"--benchmark_filter=^{name}$", "--benchmark_format=json"]
    out = subprocess.run(cmd, env=env, check=True, capture_output=True, text=True).stdout
    b = [x for x in json.loads(out)["benchmarks"] if x.get("run_type") == "iteration"][0]
    unit = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}[b.get("time_unit", "ns")]
    return b["cpu_time"] * unit, b["real_time"] * unit


def paired(program, pair, reps, heap):
    num, den = pair.split("/")
    ratios, a_cpu, b_cpu = [], [], []
    for r in range(reps):
        order = [num, den] if r % 2 == 0 else [den, num]
        got = {n: run_one(program, n, heap) for n in order}
        a_cpu.append(got[num][0])
        b_cpu.append(got[den][0])
        ratios.append(got[num][0] / got[den][0])
    print(f"  {num} / {den}: {statistics.median(ratios):.2f} (median of {reps} paired rounds, "
          f"{min(ratios):.2f}..{max(ratios):.2f}); CPU ms {statistics.median(a_cpu):.1f} / "
          f"{statistics.median(b_cpu):.1f}")


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("program")
    ap.add_argument("--reps", type=int, default=7)
    ap.add_argument("--filter", default="")
    ap.add_argument("--heap", default="both", choices=["fresh", "reuse", "both"])
    ap.add_argument("--ratio", action="append", default=[])
    ap.add_argument("--pair", action="append", default=[])
    a = ap.parse_args()
    load = os.getloadavg()
    print(f"load average {load[0]:.1f} {load[1]:.1f} {load[2]:.1f} on {os.cpu_count()} cores")
    for heap in (["fresh", "reuse"] if a.heap == "both" else [a.heap]):
        if a.pair:
            print(f"\n== memory {heap}: paired rounds")
            for pair in a.pair:
                paired(a.program, pair, a.reps, heap)
            if not a.ratio:
                continue
        runs = run(a.program, a.reps, a.filter, heap)
        print(f"\n== memory {heap}: medians of {a.reps} rounds (CPU ms / wall ms)")
        for name, r in runs.items():
            extra = " ".join(f"{k}={v:.3g}" for k, v in r["counters"].items())
            print(f"  {name:34s} {statistics.median(r['cpu']):9.1f} {statistics.median(r['real']):9.1f}"
                  f"  (CPU {min(r['cpu']):.1f}..{max(r['cpu']):.1f}) {extra}")
        for ratio in a.ratio:
            num, den = ratio.split("/")
            if num not in runs or den not in runs:
                print(f"  {ratio}: missing", file=sys.stderr)
                continue
            c = statistics.median(runs[num]["cpu"]) / statistics.median(runs[den]["cpu"])
            w = statistics.median(runs[num]["real"]) / statistics.median(runs[den]["real"])
            print(f"  {num} / {den}: {c:.2f} (CPU), {w:.2f} (wall)")


if __name__ == "__main__":
    main()
