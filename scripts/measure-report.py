#!/usr/bin/env python3
"""Measures the standard report as a whole process against dd writing the same number of bytes.

usage: scripts/measure-report.py [BUILD_DIR] [--pages N ...] [--runs R] [--folder DIR] [--compact] [--cairo]

For every format and page count: runs build/bench/report_program once for the size, then R times
taking turns with `dd if=/dev/zero of=FILE bs=4M` writing the same number of bytes to the same folder,
and prints the median CPU time (user + sys, from the kernel's accounting of each child, as /usr/bin/time
reads it, but to the microsecond), the ratio to dd and the peak resident memory. With --compact the
compact output (report_program --compact) takes turns with the default one too, with --cairo the same
report written with cairo (bench/cairo_report); their CPU time and size are also given as multiples of
the default output's.
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
    parser.add_argument("--compact", action="store_true",
                        help="also measure the compact output, taking turns with the default one")
    parser.add_argument("--cairo", action="store_true",
                        help="also measure the same report written with cairo (bench/cairo_report)")
    arguments = parser.parse_args()
    program = os.path.join(arguments.build, "bench", "report_program")
    folder = arguments.folder or os.path.join(arguments.build, "measure")
    os.makedirs(folder, exist_ok=True)
    variants = ["default"] + (["compact"] if arguments.compact else []) + (["cairo"] if arguments.cairo else [])
    compared = len(variants) > 1
    print(f"{'format':6} {'output':7} {'pages':>6} {'MB':>8} {'cpu s':>7} {'dd cpu s':>8} {'x dd':>5} {'peak MiB':>8}"
          + (f" {'x default cpu':>13} {'x default MB':>12}" if compared else ""))
    for pages in arguments.pages:
        for extension in ("pdf", "ps"):
            commands, outputs, copies, sizes = {}, {}, {}, {}
            for variant in variants:
                outputs[variant] = os.path.join(folder, f"report-{variant}.{extension}")
                copies[variant] = os.path.join(folder, f"dd-{variant}.out")
                commands[variant] = {
                    "default": [program],
                    "compact": [program, "--compact"],
                    "cairo": [os.path.join(arguments.build, "bench", "cairo_report")],
                }[variant] + [extension, str(pages), outputs[variant]]
                # One run tells the size.
                run(commands[variant], folder)
                sizes[variant] = os.path.getsize(outputs[variant])
            # Then the programs and dd take turns, so that a change in the machine's load falls on all alike.
            figures = {variant: [] for variant in variants}
            dd = {variant: [] for variant in variants}
            for _ in range(arguments.runs):
                for variant in variants:
                    figures[variant].append(run(commands[variant], folder))
                    dd[variant].append(run(["dd", "if=/dev/zero", f"of={copies[variant]}", "bs=4M",
                                            f"count={sizes[variant]}", "iflag=count_bytes"], folder)[0])
            default_cpu = statistics.median(cpu for cpu, _ in figures["default"])
            for variant in variants:
                os.remove(outputs[variant])
                os.remove(copies[variant])
                cpu = statistics.median(cpu for cpu, _ in figures[variant])
                peak = max(peak for _, peak in figures[variant]) / 1024
                dd_cpu = statistics.median(dd[variant])
                ratio = cpu / dd_cpu if dd_cpu > 0 else float("inf")
                line = (f"{extension:6} {variant:7} {pages:>6} {sizes[variant] / 1e6:>8.1f} {cpu:>7.3f} {dd_cpu:>8.3f} "
                        f"{ratio:>5.2f} {peak:>8.1f}")
                if compared:
                    line += f" {cpu / default_cpu:>13.2f} {sizes[variant] / sizes['default']:>12.3f}"
                print(line, flush=True)

if __name__ == "__main__":
    main()
