#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Prints one table of every benchmark's figures from the JSON files `make bench` writes."""
import json
import sys

SKIPPED = {"name", "run_name", "run_type", "repetitions", "repetition_index", "threads",
           "iterations", "real_time", "cpu_time", "time_unit", "family_index",
           "per_family_instance_index", "aggregate_name", "aggregate_unit", "error_occurred",
           "error_message", "label"}


def rows(path):
    try:
        with open(path, encoding="utf-8") as f:
            report = json.load(f)
    except (OSError, ValueError) as e:
        yield (path, "unreadable: %s" % e, "", "")
        return
    for b in report.get("benchmarks", []):
        unit = b.get("time_unit", "ns")
        if b.get("error_occurred"):
            yield (b["name"], "error: %s" % b.get("error_message", ""), "", "")
            continue
        counters = ", ".join("%s=%.4g" % (k, v) for k, v in b.items()
                             if k not in SKIPPED and isinstance(v, (int, float)))
        yield (b["name"], "%.6g %s" % (b["real_time"], unit), "%.6g %s" % (b["cpu_time"], unit),
               counters)


def main(paths):
    table = [("Benchmark", "Time", "CPU", "Figures")]
    for path in paths:
        table.extend(rows(path))
    widths = [max(len(r[i]) for r in table) for i in range(3)]
    print("\n== Summary")
    for r in table:
        print("  ".join(r[i].ljust(widths[i]) for i in range(3)) + "  " + r[3])


if __name__ == "__main__":
    main(sys.argv[1:])
