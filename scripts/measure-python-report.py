#!/usr/bin/env python3
"""Measures the standard report written from Python with Paginor against the same pages with ReportLab,
both as whole processes in one run, and checks that the Python report's bytes equal the C++ program's.

usage: scripts/measure-python-report.py [BUILD_DIR] [--pages N] [--runs R] [--python PYTHON]

Runs bench/standard_report.py (with the module of BUILD_DIR/python) and bench/reportlab_report.py R times,
taking turns, and prints the median CPU time (user + sys) of each, their ratio and the peak resident
memory, as scripts/measure-report.py measures them. Needs python3-reportlab."""
import argparse
import filecmp
import importlib.util
import os
import statistics
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
BENCH = os.path.join(HERE, "..", "bench")
_spec = importlib.util.spec_from_file_location("measure_report", os.path.join(HERE, "measure-report.py"))
measure_report = importlib.util.module_from_spec(_spec)
_spec.loader.exec_module(measure_report)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("build", nargs="?", default="build")
    parser.add_argument("--pages", type=int, default=5000)
    parser.add_argument("--runs", type=int, default=5)
    parser.add_argument("--python", default="/usr/bin/python3")
    arguments = parser.parse_args()
    folder = os.path.join(arguments.build, "measure")
    os.makedirs(folder, exist_ok=True)
    os.environ["PYTHONPATH"] = os.path.abspath(os.path.join(arguments.build, "python"))
    os.environ["SOURCE_DATE_EPOCH"] = "0"
    pages = str(arguments.pages)
    paginor_pdf = os.path.join(folder, "python-report.pdf")
    reportlab_pdf = os.path.join(folder, "reportlab-report.pdf")
    cpp_pdf = os.path.join(folder, "cpp-report.pdf")
    paginor_command = [arguments.python, os.path.join(BENCH, "standard_report.py"), "pdf", pages, paginor_pdf]
    reportlab_command = [arguments.python, os.path.join(BENCH, "reportlab_report.py"), pages, reportlab_pdf]

    measure_report.run([os.path.join(arguments.build, "bench", "report_program"), "pdf", pages, cpp_pdf], folder)
    paginor, reportlab = [], []
    same = True
    # Each run writes a new file, as the first one did: neither program pays for emptying the last run's.
    for _ in range(arguments.runs):
        paginor.append(measure_report.run(paginor_command, folder))
        same = same and filecmp.cmp(paginor_pdf, cpp_pdf, shallow=False)
        reportlab.append(measure_report.run(reportlab_command, folder))
        sizes = os.path.getsize(paginor_pdf), os.path.getsize(reportlab_pdf)
        os.remove(paginor_pdf)
        os.remove(reportlab_pdf)
    print(f"{'program':20} {'MB':>7} {'cpu s':>7} {'peak MiB':>8}")
    for name, figures, size in (("Paginor (Python)", paginor, sizes[0]), ("ReportLab", reportlab, sizes[1])):
        cpu = statistics.median(cpu for cpu, _ in figures)
        peak = max(peak for _, peak in figures) / 1024
        print(f"{name:20} {size / 1e6:>7.1f} {cpu:>7.3f} {peak:>8.1f}")
    ratio = statistics.median(r for r, _ in reportlab) / statistics.median(p for p, _ in paginor)
    print(f"ReportLab's CPU / Paginor's: {ratio:.1f} (target: at least 15)")
    print(f"Python report equals the C++ report byte for byte: {'yes' if same else 'NO'}")
    os.remove(cpp_pdf)
    return 0 if same else 1


if __name__ == "__main__":
    sys.exit(main())
