#!/usr/bin/env python3
"""Prints the goal figures of the benchmarks as one table (figure, value, goal, met).

Reads the JSON files Google Benchmark wrote (--benchmark_out) for bench_usb_frames,
bench_stream_receive, bench_snapshot, bench_redraw, bench_program_cpu and, when it was
run, bench_album_open, run with repetitions; every value is the median of the
repetitions. One row per goal, in the order of the goal table in bench/README.md, then
the figures shown without a goal. scripts/bench.sh --compare runs them and calls this.
"""
import json
import os
import sys

UNIT_MS = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}


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
        if name == prefix or name.startswith(prefix + "/"):
            return entry
    return None


def ms(entry, key):
    """A time of the entry (real_time or cpu_time) in milliseconds."""
    return entry[key] * UNIT_MS[entry.get("time_unit", "ns")]


def main(args):
    album_run = "--album" in args
    found = medians([a for a in args if a != "--album"])
    rows = []

    def add(figure, value, goal, met):
        rows.append((figure, value, goal, "yes" if met else "NO"))

    def missing(figure, goal, why="not run"):
        rows.append((figure, why, goal, "-"))

    # The USB adjustment chain, in CPU time of the benchmark's thread.
    chain = find(found, "BM_FullChain/1920/1080")
    decode = find(found, "BM_MjpegToBgra/1920/1080")
    figure = "USB adjustment chain, six adjustments off neutral, 1920 x 1080"
    goal = "<= MJPEG decode of the frame"
    if chain and decode:
        add(figure, "%.2f ms, decode %.2f ms (CPU)" % (ms(chain, "cpu_time"), ms(decode, "cpu_time")),
            goal, ms(chain, "cpu_time") <= ms(decode, "cpu_time"))
    else:
        missing(figure, goal)
    chain = find(found, "BM_FullChain/640/480")
    figure = "the same, 640 x 480"
    if chain:
        add(figure, "%.2f ms (CPU)" % ms(chain, "cpu_time"), "<= 1 ms", ms(chain, "cpu_time") <= 1.0)
    else:
        missing(figure, "<= 1 ms")

    streams = [(label, find(found, "BM_StreamReceive/" + size))
               for label, size in (("720p", "1280/720"), ("1080p", "1920/1080"))]
    figure = "stream pictures/s / bare decoding, 720p / 1080p"
    if all(s for _, s in streams):
        add(figure, ", ".join("%s %.2f (%.0f / %.0f per s)" % (label, s["decode_ratio"],
                                                              s["items_per_second"],
                                                              s["bare_decode_per_s"])
                              for label, s in streams),
            ">= 0.90 at both", all(s["decode_ratio"] >= 0.90 for _, s in streams))
    else:
        missing(figure, ">= 0.90 at both")
    figure = "receiver CPU per picture / bare decoding, 720p / 1080p"
    if all(s for _, s in streams):
        add(figure, ", ".join("%s %.2f (%.2f / %.2f ms)" % (label, s["cpu_ratio"], s["cpu_ms"],
                                                           s["bare_cpu_ms"])
                              for label, s in streams),
            "<= 1.10", all(s["cpu_ratio"] <= 1.10 for _, s in streams))
    else:
        missing(figure, "<= 1.10")

    total = find(found, "BM_SnapshotTotal")
    encode = find(found, "BM_SnapshotEncode")
    figure = "snapshot, 5 MP, 50 labelled shapes"
    if total and encode:
        over = ms(total, "real_time") - ms(encode, "real_time")
        add(figure, "%.1f ms = encode %.1f + %.1f" % (ms(total, "real_time"),
                                                     ms(encode, "real_time"), over),
            "<= encode + 5 ms", over <= 5.0)
    else:
        missing(figure, "<= encode + 5 ms")

    redraw = find(found, "BM_WindowRedraw/1470/914/1/1")
    figure = "full redraw, 1470 x 914 view (1920 x 1080 window)"
    if redraw:
        add(figure, "%.2f ms (process CPU %.2f ms)" % (ms(redraw, "real_time"),
                                                       ms(redraw, "cpu_time")),
            "< 3 ms", ms(redraw, "real_time") < 3.0)
    else:
        missing(figure, "< 3 ms")

    usb = find(found, "BM_ProgramUsb")
    figure = "program CPU showing 2592 x 1944 MJPEG at 15 fps (USB)"
    if usb:
        add(figure, "%.1f %% of a core (%.1f ms a picture, %.1f of %.0f shown/s)"
            % (usb["core_percent"], usb["cpu_ms"], usb["shown_per_s"], usb["camera_fps"]),
            "< 25 % of a core", usb["core_percent"] < 25.0)
    else:
        missing(figure, "< 25 % of a core")

    figure = "album of 100,000 snapshots: list / first 100 thumbnails / memory scrolling all"
    goal = "< 100 ms / < 300 ms / < 150 MB"
    listed = find(found, "BM_ListAlbum")
    first = find(found, "BM_OpenAlbumFirstThumbnails")
    scroll = find(found, "BM_ScrollWholeAlbum")
    if listed and first and scroll:
        size = int(listed.get("items", 0))
        value = "%.0f ms / %.0f ms / %.0f MB (growth %.0f MB)" % (
            ms(listed, "real_time"), ms(first, "real_time"), scroll["rss_high_water_MB"],
            scroll["rss_peak_growth_MB"])
        if size != 100000:
            value += ", an album of %d" % size
        add(figure, value, goal,
            size == 100000 and ms(listed, "real_time") < 100 and ms(first, "real_time") < 300
            and scroll["rss_high_water_MB"] < 150)
    elif album_run:
        missing(figure, goal)
    else:
        missing(figure, goal, "not run: slow to prepare (--album)")

    wifi = find(found, "BM_ProgramWiFi")
    figure = "program CPU showing a 1920 x 1080 WiFi stream at 25 fps / ffmpeg"
    if wifi:
        add(figure, "%.2fx (%.1f %% / %.1f %% of a core, %.1f of %.0f shown/s)"
            % (wifi["vs_ffmpeg"], wifi["core_percent"], wifi["ffmpeg_core_percent"],
               wifi["shown_per_s"], wifi["camera_fps"]),
            "<= 1.3x", wifi["vs_ffmpeg"] <= 1.3)
    else:
        missing(figure, "<= 1.3x")

    if all(s for _, s in streams) and all("waits_per_picture" in s for _, s in streams):
        rows.append(("receiver waits per picture, 720p / 1080p",
                     " / ".join("%.1f" % s["waits_per_picture"] for _, s in streams),
                     "(no goal)", "-"))

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
