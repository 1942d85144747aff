"""Shared helpers of the tools' tests: the repository's root, the tools importable as
modules, and a way to run a tool as CI runs it."""
import pathlib
import subprocess
import sys

ROOT = pathlib.Path(__file__).resolve().parents[2]
for folder in ("scripts/ci", "scripts/docs", "packaging/windows", "bench"):
    sys.path.insert(0, str(ROOT / folder))


def run_tool(relative, *args, cwd=None):
    """Runs a tool of the repository with Debian's python, as CI does."""
    return subprocess.run([sys.executable, str(ROOT / relative), *map(str, args)],
                          capture_output=True, text=True, cwd=cwd)
