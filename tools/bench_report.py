#!/usr/bin/env python3
"""Ratios of benchmark results, each pair measured side by side in one run.

    bench_report.py [--machine LINE] [--markdown FILE] RESULTS.json...

Reads Google Benchmark JSON output (runs with repetitions), takes the median
over the repetitions of each benchmark's real time or counter, and prints the
comparisons as a Markdown table; with --markdown it also writes the table, under
a heading and the machine line, to FILE.
"""

import argparse
import json
import statistics
import sys

POLL_US = 1000.0

# (what, benchmark, reference benchmark): real time against real time.
TIME_RATIOS = [
    ("Lock pair (LockGUIDrawing + UnLockGUIDrawing) against std::mutex lock + unlock",
     "FrameWord_LockUnlock", "StdMutex_LockUnlock"),
    ("Edit on a frame (addView + removeView) against the same edit without a frame",
     "AddRemove_OnAFrame", "AddRemove_FramelessContainer"),
    ("Gridded bitmap draw (drawBitmap, one frame of a strip) against a raw cairo paint",
     "GriddedDrawBitmap", "RawCairoPaint"),
    ("Representative editor redraw (45 bitmap-drawing views) against raw cairo paints",
     "RepresentativeEditorRedraw", "RepresentativeEditorRedraw_RawCairo"),
]

# (what, benchmark, counter, how the repetitions combine): against the poll.
POLL_RATIOS = [
    ("Wake-up delay after an unlock, median", "Wake_DelayAfterUnlock", "median_delay_us", "median"),
    ("Wake-up delay after an unlock, 99th percentile", "Wake_DelayAfterUnlock", "p99_delay_us", "median"),
    ("Wake-up delay after an unlock, worst run's 99th percentile", "Wake_DelayAfterUnlock", "p99_delay_us", "max"),
    ("Draw wait while another thread edits without pause, median", "Draw_WaitWhileAnotherThreadEditsWithoutPause",
     "median_wait_us", "median"),
    ("Draw wait while another thread edits without pause, worst", "Draw_WaitWhileAnotherThreadEditsWithoutPause",
     "worst_wait_us", "max"),
]

NS_PER_UNIT = {"ns": 1.0, "us": 1e3, "ms": 1e6, "s": 1e9}


def repetitions(paths):
    """The iteration entries of every run, by benchmark name (before any '/')."""
    runs = {}
    for path in paths:
        with open(path) as f:
            for entry in json.load(f)["benchmarks"]:
                if entry.get("run_type", "iteration") != "iteration":
                    continue
                runs.setdefault(entry["run_name"].split("/")[0], []).append(entry)
    return runs


def median_ns(runs, name):
    entries = runs.get(name)
    if not entries:
        return None
    return statistics.median(e["real_time"] * NS_PER_UNIT[e["time_unit"]] for e in entries)


def combined_counter(runs, name, counter, how):
    values = [e[counter] for e in runs.get(name, []) if counter in e]
    if not values:
        return None
    return max(values) if how == "max" else statistics.median(values)


def show_time(ns):
    if ns is None:
        return "missing"
    if ns >= 1e6:
        return f"{ns / 1e6:.2f} ms"
    if ns >= 1e3:
        return f"{ns / 1e3:.1f} µs"
    return f"{ns:.1f} ns"


def ratio(value, reference):
    return f"{value / reference:.2f}" if value is not None and reference else "missing"


def table(runs):
    rows = ["| Comparison | Measured | Reference | Ratio |", "|---|---:|---:|---:|"]
    for what, name, reference in TIME_RATIOS:
        measured, base = median_ns(runs, name), median_ns(runs, reference)
        rows.append(f"| {what} | {show_time(measured)} | {show_time(base)} | {ratio(measured, base)} |")
    for what, name, counter, how in POLL_RATIOS:
        value = combined_counter(runs, name, counter, how)
        shown = show_time(value * 1e3) if value is not None else "missing"
        rows.append(f"| {what} | {shown} | {show_time(POLL_US * 1e3)} poll | {ratio(value, POLL_US)} |")
    return "\n".join(rows)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("results", nargs="+")
    parser.add_argument("--machine", default="")
    parser.add_argument("--markdown")
    args = parser.parse_args()

    text = table(repetitions(args.results))
    print(args.machine)
    print(text)
    if args.markdown:
        with open(args.markdown, "w") as f:
            f.write("# Benchmark ratios\n\n")
            f.write("Written by `tools/bench-report`: medians over interleaved repetitions of real time, "
                    "each pair measured side by side in one run of its program.\n\n")
            f.write(f"{args.machine}\n\n{text}\n")
    return 0


if __name__ == "__main__":
    sys.exit(main())
