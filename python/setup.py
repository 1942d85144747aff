"""Builds tervanix._core with CMake, so that the library is compiled with the
project's own floating-point flags (the Python interpreter's compiler flags never
reach it). The CMake build folder stays under build/ and is reused by later installs."""
import os
import shutil
import subprocess
import sys
from pathlib import Path

from setuptools import Extension, setup
from setuptools.command.build_ext import build_ext

HERE = Path(__file__).resolve().parent


class CMakeBuild(build_ext):
    def build_extension(self, ext):
        import pybind11

        target = Path(self.get_ext_fullpath(ext.name)).resolve()
        build = HERE / "build" / "cmake"
        configure = [
            "cmake", "-S", str(HERE), "-B", str(build),
            "-DCMAKE_BUILD_TYPE=Release",
            f"-Dpybind11_DIR={pybind11.get_cmake_dir()}",
            f"-DPYTHON_EXECUTABLE={sys.executable}",
            f"-DTERVANIX_PY_OUTPUT_DIR={target.parent}",
        ]
        if shutil.which("ninja") and not (build / "CMakeCache.txt").exists():
            configure += ["-G", "Ninja"]
        subprocess.check_call(configure)
        jobs = os.environ.get("TERVANIX_BUILD_JOBS", "2")
        subprocess.check_call(["cmake", "--build", str(build), "--target", "_core", "-j", jobs])


setup(ext_modules=[Extension("tervanix._core", sources=[])], cmdclass={"build_ext": CMakeBuild})
