"""scripts/ci/layers.py: a file may include headers of its own layer and the layers
below it; an include from a layer above fails the check, naming the file, the line
and both layers."""
import pytest

from conftest import ROOT, run_tool

TOOL = "scripts/ci/layers.py"


def tree(tmp_path, files):
    """A library tree under tmp_path/Tervanix with the given files (path: text)."""
    root = tmp_path / "Tervanix"
    for relative, text in files.items():
        path = root / relative
        path.parent.mkdir(parents=True, exist_ok=True)
        path.write_text(text)
    return root


def check(tmp_path, files):
    result = run_tool(TOOL, tree(tmp_path, files))
    return result.returncode, result.stdout + result.stderr


def test_includes_of_the_own_layer_and_below_pass(tmp_path):
    code, out = check(tmp_path, {
        "platform/Config.h": "#pragma once\n#include <cstddef>\n",
        "elementary/LogExp.h": '#include "Tervanix/platform/Config.h"\n',
        "runtime/Types.h": '#include "Tervanix/elementary/LogExp.h"\n#include "Tervanix/runtime/Array.h"\n',
        "runtime/Array.h": '#include <Tervanix/platform/Config.h>\n',
        "cGeom.h": '#include "Tervanix/runtime/Types.h"\n#include "Tervanix/cMatrix2.h"\n',
        "cMatrix2.h": "",
        "batch/Batch.cpp": '#include "Tervanix/cGeom.h"\n#include "Tervanix/runtime/Types.h"\n',
        "Tervanix.h": '#include "Tervanix/batch/Batch.h"\n#include "Tervanix/cGeom.h"\n',
        "batch/Batch.h": "",
    })
    assert code == 0, out
    assert "layers: 9 files, 10 includes of the library's headers, 0 upward" in out


@pytest.mark.parametrize("own, target, own_layer, target_layer", [
    ("platform/Config.h", "elementary/LogExp.h", "platform", "elementary"),
    ("elementary/LogExp.cpp", "runtime/Checked.h", "elementary", "runtime"),
    ("runtime/Checked.h", "cMatrix.h", "runtime", "classes"),
    ("cGeom.cpp", "batch/BatchSearch.h", "classes", "batch"),
    ("batch/BatchSearch.h", "Tervanix.h", "batch", "umbrella"),
    ("runtime/Config.h.in", "cGeom.h", "runtime", "classes"),  # generated headers' sources count
])
def test_an_upward_include_fails_naming_file_line_and_layers(tmp_path, own, target, own_layer, target_layer):
    code, out = check(tmp_path, {own: f"// first line\n#pragma once\n#include \"Tervanix/{target}\"\n", target: ""})
    assert code == 1
    line = next(l for l in out.splitlines() if "includes" in l)
    assert line.endswith(f"/{own}:3: the {own_layer} layer includes Tervanix/{target}, "
                         f"of the {target_layer} layer above it")
    assert "1 upward" in out


def test_every_spelling_of_an_include_is_read(tmp_path):
    # Angle brackets, spaces around and after the hash: each of them is an include.
    code, out = check(tmp_path, {
        "runtime/A.h": "#include <Tervanix/cGeom.h>\n"
                       "  #  include \"Tervanix/cGeom.h\"\n"
                       "#include\t<Tervanix/batch/B.h>\n",
        "cGeom.h": "", "batch/B.h": "",
    })
    assert code == 1
    assert "3 upward" in out
    assert "A.h:1:" in out and "A.h:2:" in out and "A.h:3:" in out


def test_comments_and_other_libraries_are_not_includes(tmp_path):
    code, out = check(tmp_path, {
        "runtime/A.h": "// #include \"Tervanix/cGeom.h\" would be wrong here\n"
                       "#include <vector>\n#include \"gtest/gtest.h\"\n",
        "cGeom.h": "",
    })
    assert code == 0, out
    assert "0 includes" in out


def test_all_upward_includes_are_listed_not_only_the_first(tmp_path):
    code, out = check(tmp_path, {
        "platform/Config.h": '#include "Tervanix/runtime/Types.h"\n',
        "elementary/A.h": '#include "Tervanix/runtime/Types.h"\n#include "Tervanix/cGeom.h"\n',
        "runtime/Types.h": "", "cGeom.h": "",
    })
    assert code == 1
    assert "3 upward" in out
    assert sum("above it" in l for l in out.splitlines()) == 3


def test_a_folder_in_no_layer_stops_the_check(tmp_path):
    code, out = check(tmp_path, {"extras/Thing.h": "", "cGeom.h": ""})
    assert code != 0
    assert "extras/Thing.h lies in no layer; add its folder to scripts/ci/layers.py" in out


def test_an_include_of_a_folder_in_no_layer_stops_the_check(tmp_path):
    code, out = check(tmp_path, {"cGeom.h": '#include "Tervanix/extras/Thing.h"\n'})
    assert code != 0
    assert "extras/Thing.h lies in no layer" in out


def test_relative_includes_are_judged_like_the_others(tmp_path):
    # A path relative to the including file names the same header as Tervanix/...:
    # the check must not let it through.
    code, out = check(tmp_path, {
        "runtime/A.h": '#include "../cGeom.h"\n#include "B.h"\n',
        "runtime/B.h": "",
        "cGeom.h": "",
    })
    assert code == 1
    assert "A.h:1: the runtime layer includes Tervanix/cGeom.h, of the classes layer above it" in out
    assert "1 upward" in out


def test_the_library_itself_passes():
    result = run_tool(TOOL, cwd=ROOT)
    assert result.returncode == 0, result.stdout
