"""Builds and installs the Python module paginor: `pip install .` (see pyproject.toml).

The extension is built by the project's own CMake build (target paginor_python, the library linked in
statically) for the interpreter running this script; setuptools packages it with python/paginor."""
import glob
import os
import re
import shutil
import subprocess
import sys

from setuptools import Extension, setup
from setuptools.command.build_ext import build_ext

ROOT = os.path.dirname(os.path.abspath(__file__))


def project_version():
    with open(os.path.join(ROOT, "CMakeLists.txt"), encoding="utf-8") as cmake:
        return re.search(r"project\(Paginor VERSION ([0-9.]+)", cmake.read()).group(1)


class CMakeBuild(build_ext):
    """Configures the project with only the module on, builds it and copies it where setuptools wants it."""

    def build_extension(self, ext):
        build = os.path.abspath(os.path.join(self.build_temp, "cmake"))
        configure = ["cmake", "-S", ROOT, "-B", build, "-G", "Ninja", "-DCMAKE_BUILD_TYPE=Release",
                     f"-DPython_EXECUTABLE={sys.executable}", "-DBUILD_SHARED_LIBS=OFF", "-DPAGINOR_PYTHON=ON",
                     "-DPAGINOR_TESTS=OFF", "-DPAGINOR_BENCH=OFF", "-DPAGINOR_EXAMPLES=OFF", "-DPAGINOR_DEMO=OFF",
                     "-DPAGINOR_DOCS=OFF", "-DPAGINOR_INSTALL=OFF"]
        try:
            import pybind11
            configure.append(f"-Dpybind11_DIR={pybind11.get_cmake_dir()}")
        except ImportError:
            pass  # CMake finds pybind11-dev's package by itself
        subprocess.check_call(configure)
        subprocess.check_call(["cmake", "--build", build, "--target", "paginor_python", "-j", str(os.cpu_count() or 2)])
        built = glob.glob(os.path.join(build, "python", "paginor", "_paginor*.so"))
        if len(built) != 1:
            raise RuntimeError(f"the build made {built} instead of one _paginor module")
        target = self.get_ext_fullpath(ext.name)
        os.makedirs(os.path.dirname(target), exist_ok=True)
        shutil.copyfile(built[0], target)


setup(
    version=project_version(),
    packages=["paginor"],
    package_dir={"": "python"},
    package_data={"paginor": ["py.typed", "*.pyi"]},
    ext_modules=[Extension("paginor._paginor", sources=[])],
    cmdclass={"build_ext": CMakeBuild},
    options={"build": {"build_base": "build-python"}},
    zip_safe=False,
)
