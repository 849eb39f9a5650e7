"""Documents written from Python equal, byte for byte, those of the same calls from C++: the examples and
the standard report. The C++ programs come from the build (PAGINOR_EXAMPLES, PAGINOR_REPORT_PROGRAM)."""
import os
import pathlib
import runpy
import subprocess
import sys

import pytest

ROOT = pathlib.Path(__file__).resolve().parents[2]


def program(variable, name=""):
    folder = os.environ.get(variable)
    if not folder:
        pytest.skip(f"{variable} names no C++ program")
    return str(pathlib.Path(folder, name)) if name else folder


def run_python(script, *arguments):
    subprocess.run([sys.executable, str(script), *map(str, arguments)], check=True, stdout=subprocess.DEVNULL)


@pytest.mark.parametrize("example", ["invoice", "both_formats"])
def test_examples_equal_their_cpp_versions(folder, example):
    """Each example takes a stem and writes <stem>.pdf and <stem>.ps."""
    cpp = program("PAGINOR_EXAMPLES", example)
    subprocess.run([cpp, str(folder / "cpp")], check=True, stdout=subprocess.DEVNULL)
    run_python(ROOT / "examples" / "python" / f"{example}.py", folder / "py")
    for extension in (".pdf", ".ps"):
        python_bytes = (folder / f"py{extension}").read_bytes()
        assert python_bytes == (folder / f"cpp{extension}").read_bytes()
        assert len(python_bytes) > 1000


@pytest.mark.parametrize("extension", ["pdf", "ps"])
def test_standard_report_equals_the_cpp_report(folder, extension):
    cpp = program("PAGINOR_REPORT_PROGRAM")
    subprocess.run([cpp, extension, "12", str(folder / f"cpp.{extension}")], check=True)
    run_python(ROOT / "bench" / "standard_report.py", extension, 12, folder / f"py.{extension}")
    assert (folder / f"py.{extension}").read_bytes() == (folder / f"cpp.{extension}").read_bytes()


def test_stubs_name_what_the_module_has():
    """The type stubs list every public name of the module, class by class, and nothing else."""
    import ast
    import enum

    import paginor

    tree = ast.parse((pathlib.Path(paginor.__file__).with_name("__init__.pyi")).read_text())
    stubbed = {}
    for node in tree.body:
        if isinstance(node, ast.ClassDef):
            members = set()
            for item in node.body:
                if isinstance(item, ast.FunctionDef):
                    members.add(item.name)
                elif isinstance(item, ast.AnnAssign):
                    members.add(item.target.id)
                elif isinstance(item, ast.Assign):
                    members.update(target.id for target in item.targets)
            stubbed[node.name] = members
        elif isinstance(node, ast.FunctionDef):
            stubbed[node.name] = None
    public = {name for name in paginor.__all__}
    assert public == {name for name in stubbed if not name.startswith("_")}
    for name, members in stubbed.items():
        if members is None or name.startswith("_"):
            continue
        cls = getattr(paginor, name)
        if issubclass(cls, enum.Enum):
            assert members == set(cls.__members__), name
            continue
        if name in ("PDF", "PS"):
            members = members | stubbed["Document"]
        public_members = {member for member in dir(cls) if not member.startswith("_")}
        if name == "Error":
            public_members = {"failure"} | (public_members - set(dir(Exception)))
        assert {member for member in members if not member.startswith("_")} == public_members, name
