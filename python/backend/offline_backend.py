"""The build backend of `pip install .`: setuptools' own, as it is already installed.

pip builds a package in an isolated environment, into which it downloads what the backend asks for;
without a network that fails. This backend asks for nothing: it makes the setuptools and wheel that
are installed importable (the interpreter's own, or else Debian's python3-setuptools and python3-wheel)
and hands every hook to setuptools.build_meta."""
import importlib.util
import site
import sys

DEBIAN_PACKAGES = "/usr/lib/python3/dist-packages"


def _add(folders):
    for folder in folders:
        if folder not in sys.path:
            sys.path.append(folder)


def _missing():
    return [name for name in ("setuptools", "wheel") if importlib.util.find_spec(name) is None]


# pip's isolation leaves the installed packages off sys.path; appended after what pip put there.
_add(site.getsitepackages() + site.getsitepackages([sys.base_prefix]))
if _missing():
    _add([DEBIAN_PACKAGES])
if _missing():
    raise ImportError(f"building paginor needs {' and '.join(_missing())} installed for {sys.executable} "
                      "(Debian: python3-setuptools python3-wheel)")

from setuptools import build_meta as _setuptools  # noqa: E402
from setuptools.build_meta import *  # noqa: E402,F401,F403


def _nothing(config_settings=None):
    """What pip should install first: nothing, as setuptools and wheel are already importable."""
    return []


get_requires_for_build_wheel = _nothing
get_requires_for_build_sdist = _nothing
if hasattr(_setuptools, "get_requires_for_build_editable"):
    get_requires_for_build_editable = _nothing
