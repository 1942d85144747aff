"""The worked example from Python prints what the C++ example program prints."""
import os
import subprocess
import sys
from pathlib import Path

import pytest

SCRIPT = Path(__file__).resolve().parents[1] / "examples" / "worked_example.py"


def test_python_example_prints_the_cpp_examples_lines():
    program = os.environ.get("TERVANIX_EXAMPLE")
    if not program:
        pytest.skip("TERVANIX_EXAMPLE names no C++ example program (scripts/ci/python.sh sets it)")
    expected = subprocess.run([program], check=True, capture_output=True, text=True).stdout
    actual = subprocess.run([sys.executable, str(SCRIPT)], check=True, capture_output=True, text=True).stdout
    assert actual == expected
