#!/usr/bin/env python3
"""Measures the standard report as a whole process against dd writing the same number of bytes, or
against cairo writing the same report.

usage: scripts/measure-report.py [BUILD_DIR] [--pages N ...] [--runs R] [--folder DIR]
                                 [--family FAMILY] [--against dd|cairo] [--formats pdf ps]

For every format and page count: runs build/bench/report_program once for the size, then R times
taking turns with `dd if=/dev/zero of=FILE bs=4M` writing the same number of bytes to the same folder
(or with build/bench/cairo_report writing the same report, in the same family), and prints the median
CPU time (user + sys, from the kernel's accounting of each child, as /usr/bin/time reads it, but to the
microsecond), the ratio to the other program and the peak resident memory. With --family the report's
text is in that OpenType family ("DejaVu Sans") instead of Helvetica.
"""
import argparse
import os
import statistics
import subprocess
import sys


def run(command, folder):
    """Runs a command under /usr/bin/time; returns (user + sys seconds, peak resident KiB).

    The peak is what /usr/bin/time reports for the command alone; the CPU time is the kernel's account
    of the whole child, to the microsecond (/usr/bin/time prints hundredths)."""
    peak_file = os.path.join(folder, "peak.txt")
    process = subprocess.Popen(["/usr/bin/time", "-f", "%M", "-o", peak_file] + command,
                               stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
    _, status, usage = os.wait4(process.pid, 0)
    error = process.stderr.read().decode()
    process.stderr.close()
    if os.waitstatus_to_exitcode(status) != 0:
        sys.exit(f"{' '.join(command)} failed: {error}")
    with open(peak_file) as peak:
        kib = int(peak.read().split()[-1])
    os.remove(peak_file)
    return usage.ru_utime + usage.ru_stime, kib


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("build", nargs="?", default="build")
    parser.add_argument("--pages", type=int, nargs="+", default=[5000, 50000])
    parser.add_argument("--runs", type=int, default=5)
    parser.add_argument("--folder", default=None)
    parser.add_argument("--family", default=None)
    parser.add_argument("--against", choices=["dd", "cairo"], default="dd")
    parser.add_argument("--formats", nargs="+", choices=["pdf", "ps"], default=["pdf", "ps"])
    arguments = parser.parse_args()
    program = os.path.join(arguments.build, "bench", "report_program")
    family = [arguments.family] if arguments.family else []
    folder = arguments.folder or os.path.join(arguments.build, "measure")
    os.makedirs(folder, exist_ok=True)
    other = arguments.against
    print(f"{'format':6} {'pages':>6} {'MB':>8} {'cpu s':>7} {other + ' cpu s':>11} {'x ' + other:>8} {'peak MiB':>8}")
    for pages in arguments.pages:
        for extension in arguments.formats:
            output = os.path.join(folder, f"report.{extension}")
            copy = os.path.join(folder, f"{other}.out")
            # One run tells the size; then the program and the other take turns, so that a change in
            # the machine's load falls on both alike.
            command = [program, extension, str(pages), output] + family
            run(command, folder)
            size = os.path.getsize(output)
            if other == "cairo":
                other_command = [os.path.join(arguments.build, "bench", "cairo_report"), extension, str(pages),
                                 copy] + family
            else:
                other_command = ["dd", "if=/dev/zero", f"of={copy}", "bs=4M", f"count={size}", "iflag=count_bytes"]
            figures, dd = [], []
            for _ in range(arguments.runs):
                figures.append(run(command, folder))
                dd.append(run(other_command, folder)[0])
            os.remove(output)
            os.remove(copy)
            cpu = statistics.median(cpu for cpu, _ in figures)
            peak = max(peak for _, peak in figures) / 1024
            dd_cpu = statistics.median(dd)
            ratio = cpu / dd_cpu if dd_cpu > 0 else float("inf")
            print(f"{extension:6} {pages:>6} {size / 1e6:>8.1f} {cpu:>7.3f} {dd_cpu:>11.3f} {ratio:>8.3f} {peak:>8.1f}",
                  flush=True)

if __name__ == "__main__":
    main()
