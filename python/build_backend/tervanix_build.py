"""The package's build backend: setuptools' own, which asks for CMake (and Ninja) from
the registry only where the machine has none that will do.

The extension is compiled by CMake 3.21 or newer (setup.py). A machine that has one on
PATH builds with it, as a system package manager's build would; elsewhere an isolated
build (pip's default) installs the `cmake` and `ninja` packages into its build
environment. The static requirements (setuptools, pybind11) are in pyproject.toml.
"""
import re
import shutil
import subprocess
from typing import Any, Dict, List, Optional

from setuptools import build_meta as _setuptools
from setuptools.build_meta import *  # noqa: F401,F403  (every other hook is setuptools' own)

CMAKE_MINIMUM = (3, 21)


def _cmake_version() -> Optional[tuple]:
    cmake = shutil.which("cmake")
    if cmake is None:
        return None
    try:
        text = subprocess.run([cmake, "--version"], capture_output=True, text=True, check=True).stdout
    except (OSError, subprocess.CalledProcessError):
        return None
    found = re.search(r"version (\d+)\.(\d+)", text)
    return (int(found.group(1)), int(found.group(2))) if found else None


def tool_requirements() -> List[str]:
    """The build tools to install from the registry: none where CMake 3.21+ is on PATH."""
    version = _cmake_version()
    if version is not None and version >= CMAKE_MINIMUM:
        return []
    tools = ["cmake>=%d.%d" % CMAKE_MINIMUM]
    if shutil.which("ninja") is None:
        tools.append("ninja")
    return tools


def get_requires_for_build_wheel(config_settings: Optional[Dict[str, Any]] = None) -> List[str]:
    return list(_setuptools.get_requires_for_build_wheel(config_settings)) + tool_requirements()


def get_requires_for_build_editable(config_settings: Optional[Dict[str, Any]] = None) -> List[str]:
    return list(_setuptools.get_requires_for_build_editable(config_settings)) + tool_requirements()
