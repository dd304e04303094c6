#!/usr/bin/env python3
"""Prints the goal figures of the benchmarks as one table (figure, value, goal).

Reads the JSON files Google Benchmark wrote (--benchmark_out) for bench_stream_receive,
bench_snapshot and bench_redraw, run with repetitions; every value is the median of
the repetitions. scripts/bench.sh --compare runs them and calls this.
"""
import json
import os
import sys


def medians(paths):
    """run name -> the benchmark's median entry."""
    found = {}
    for path in paths:
        with open(path) as f:
            for b in json.load(f)["benchmarks"]:
                if b.get("aggregate_name", "median") == "median" and "error_occurred" not in b:
                    found.setdefault(b["run_name"], b)
    return found


def find(found, prefix):
    for name, entry in found.items():
        if name.startswith(prefix):
            return entry
    return None


def main(paths):
    found = medians(paths)
    rows = []

    def add(figure, value, goal, met):
        rows.append((figure, value, goal, "yes" if met else "NO"))

    for label, size in (("720p", "1280/720"), ("1080p", "1920/1080")):
        s = find(found, "BM_StreamReceive/" + size)
        if s is None:
            add("stream pictures/s / bare decoding, " + label, "not run", ">= 0.90", False)
            continue
        add("stream pictures/s / bare decoding, " + label,
            "%.2f (%.0f / %.0f per s)" % (s["decode_ratio"], s["items_per_second"],
                                           s["bare_decode_per_s"]),
            ">= 0.90", s["decode_ratio"] >= 0.90)
    for label, size in (("720p", "1280/720"), ("1080p", "1920/1080")):
        s = find(found, "BM_StreamReceive/" + size)
        if s is None:
            continue
        add("receiver CPU per picture / bare decoding, " + label,
            "%.2f (%.2f / %.2f ms)" % (s["cpu_ratio"], s["cpu_ms"], s["bare_cpu_ms"]),
            "<= 1.10", s["cpu_ratio"] <= 1.10)
    for label, size in (("720p", "1280/720"), ("1080p", "1920/1080")):
        s = find(found, "BM_StreamReceive/" + size)
        if s is not None and "waits_per_picture" in s:
            rows.append(("receiver waits per picture (not a goal), " + label,
                         "%.1f" % s["waits_per_picture"], "-", "-"))
    total = find(found, "BM_SnapshotTotal")
    encode = find(found, "BM_SnapshotEncode")
    if total and encode:
        over = total["real_time"] - encode["real_time"]
        add("snapshot, 5 MP, 50 labelled shapes",
            "%.1f ms = encode %.1f + %.1f" % (total["real_time"], encode["real_time"], over),
            "<= encode + 5 ms", over <= 5.0)
    redraw = find(found, "BM_WindowRedraw/1470/914/1/1")
    if redraw:
        add("full redraw, 1470 x 914 view",
            "%.2f ms (process CPU %.2f ms)" % (redraw["real_time"], redraw["cpu_time"]),
            "< 3 ms", redraw["real_time"] < 3.0)

    header = ("figure", "value", "goal", "met")
    widths = [max(len(r[i]) for r in rows + [header]) for i in range(4)]
    line = lambda r: "| " + " | ".join(c.ljust(w) for c, w in zip(r, widths)) + " |"
    print(line(header))
    print("|" + "|".join("-" * (w + 2) for w in widths) + "|")
    for r in rows:
        print(line(r))
    print("load average %.2f %.2f %.2f" % os.getloadavg())


if __name__ == "__main__":
    main(sys.argv[1:])
