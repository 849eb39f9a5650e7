"""Runs the module's tests with pytest: run_tests.py [pytest arguments].

Exits 77 (skipped) when this interpreter has no pytest, but 1 when the environment variable CI is set,
so that CI cannot pass without running them."""
import os
import sys

try:
    import pytest
except ImportError:
    print(f"pytest is missing for {sys.executable} (Debian: python3-pytest)", file=sys.stderr)
    sys.exit(1 if os.environ.get("CI") else 77)

sys.exit(pytest.main(sys.argv[1:]))
