"""Builds tervanix._core with CMake, so that the library is compiled with the
project's own floating-point flags (the Python interpreter's compiler flags never
reach it). The CMake build folder stays under build/ and is reused by later builds.

A source distribution (setup.py sdist) carries the library's sources in library/
(the top CMakeLists.txt, cmake/, calculations/ and c/), so that it builds anywhere;
the version is the library's project version."""
import os
import re
import shutil
import subprocess
import sys
from pathlib import Path

from setuptools import Extension, setup
from setuptools.command.build_ext import build_ext
from setuptools.command.sdist import sdist

HERE = Path(__file__).resolve().parent
LIBRARY_PARTS = ["CMakeLists.txt", "cmake", "calculations", "c"]


def library_root():
    bundled = HERE / "library"
    return bundled if (bundled / "CMakeLists.txt").exists() else HERE.parent


def project_version():
    text = (library_root() / "CMakeLists.txt").read_text()
    return re.search(r"project\(Tervanix VERSION ([0-9.]+)", text).group(1)


class CMakeBuild(build_ext):
    def build_extension(self, ext):
        import pybind11

        target = Path(self.get_ext_fullpath(ext.name)).resolve()
        build = HERE / "build" / "cmake"
        configure = [
            "cmake", "-S", str(HERE), "-B", str(build),
            "-DCMAKE_BUILD_TYPE=Release",
            # The real folder, not a link to it: an environment that links the package in
            # (scripts/ci/python_isolated.py) then configures the same flags, and reuses the build.
            f"-Dpybind11_DIR={os.path.realpath(pybind11.get_cmake_dir())}",
            f"-DPYTHON_EXECUTABLE={sys.executable}",
            f"-DTERVANIX_PY_OUTPUT_DIR={target.parent}",
        ]
        if shutil.which("ninja") and not (build / "CMakeCache.txt").exists():
            configure += ["-G", "Ninja"]
        subprocess.check_call(configure)
        # As many compilers as the process may use cores, unless TERVANIX_BUILD_JOBS says.
        cores = len(os.sched_getaffinity(0)) if hasattr(os, "sched_getaffinity") else os.cpu_count() or 2
        jobs = os.environ.get("TERVANIX_BUILD_JOBS") or str(cores)
        subprocess.check_call(["cmake", "--build", str(build), "--target", "_core", "-j", jobs])


class SourceDistribution(sdist):
    """The package's files (MANIFEST.in) and the library's sources under library/."""

    def make_release_tree(self, base_dir, files):
        super().make_release_tree(base_dir, files)
        root = library_root()
        ignore = shutil.ignore_patterns("build", "__pycache__", "*.o")
        for part in LIBRARY_PARTS:
            source, copy = root / part, Path(base_dir) / "library" / part
            if source.is_dir():
                shutil.copytree(source, copy, ignore=ignore)
            else:
                copy.parent.mkdir(parents=True, exist_ok=True)
                shutil.copy2(source, copy)


setup(version=project_version(), ext_modules=[Extension("tervanix._core", sources=[])],
      cmdclass={"build_ext": CMakeBuild, "sdist": SourceDistribution})
