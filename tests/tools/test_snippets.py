"""scripts/docs/snippets.py: the results the docs' snippets state in their comments
become checks. A stated result that is not checked would let the docs drift from
the library unseen, so each stated form is checked here, and a wrong one is compiled
and must fail."""
import shutil
import subprocess

import pytest

import snippets
from conftest import ROOT

WHERE = '"docs/x.md:3"'


@pytest.mark.parametrize("code, comment, expected", [
    ("geom.Distance2D(0, 0, 3, 4);", "5",
     '{ const auto tvx_value = geom.Distance2D(0, 0, 3, 4); tvx_check::Equal(tvx_value, 5, "docs/x.md:3"); }'),
    ("const Double q = geom.PI();", "3.14159265358979",
     'const Double q = geom.PI(); tvx_check::Equal(q, 3.14159265358979, "docs/x.md:3");'),
    ("r = util.Avg(1, 2);", "1.5 metres",
     'r = util.Avg(1, 2); tvx_check::Equal(r, 1.5, "docs/x.md:3");'),
    ("m.size();", "-2.5e-3; the note",
     '{ const auto tvx_value = m.size(); tvx_check::Equal(tvx_value, -2.5e-3, "docs/x.md:3"); }'),
    ("ok = geom.Line2D(1, 2, 3, 6, m, B);", "True: m = 2, B = 0",
     'ok = geom.Line2D(1, 2, 3, 6, m, B); tvx_check::Equal(ok, True, "docs/x.md:3"); '
     'tvx_check::Equal(m, 2, "docs/x.md:3"); tvx_check::Equal(B, 0, "docs/x.md:3");'),
    ("geom.Line2D(1, 2, 1, 6, m, B);", "False: m = 2 (unchanged)",
     '{ const auto tvx_value = geom.Line2D(1, 2, 1, 6, m, B); tvx_check::Equal(tvx_value, False, "docs/x.md:3"); } '
     'tvx_check::Equal(m, 2, "docs/x.md:3");'),
    ("util.IntToBin(5, s);", 's = u"0000000000000101"',
     'util.IntToBin(5, s); tvx_check::Equal(s, u"0000000000000101", "docs/x.md:3");'),
    ("e.where();", '"cGeom.Line2D"',
     '{ const auto tvx_value = e.where(); tvx_check::Equal(tvx_value, "cGeom.Line2D", "docs/x.md:3"); }'),
])
def test_a_stated_result_becomes_a_check(code, comment, expected):
    assert snippets.checked_statement(code, comment, WHERE) == expected


def test_a_stated_error_becomes_a_check_of_its_kind():
    got = snippets.checked_statement("util.Log10(-1);", "throws InvalidArgument", WHERE)
    assert got == ('try { util.Log10(-1); tvx_check::NoThrow("docs/x.md:3"); } catch (const tervanix::LibraryError& e) '
                   '{ tvx_check::Kind(e, tervanix::ErrorKind::InvalidArgument, "docs/x.md:3"); }')


@pytest.mark.parametrize("comment", [
    "the distance between the two points",
    "sorted in place",
    "2.5 + 0.5 would not be",      # a value followed by more than a unit word is prose
    "about 3",
    "",
])
def test_prose_is_not_a_check(comment):
    assert snippets.checked_statement("x = f();", comment, WHERE) is None


def test_a_statement_over_several_lines_is_checked_whole(tmp_path):
    path = ROOT / "docs" / "x.md"
    block = ["Double r = geom.Distance2D(0, 0,", "                           3, 4);   // 5", "f();  // prose"]
    out = snippets.translate(path, 10, block)
    assert out[0] == '#line 10 "docs/x.md"'
    assert out[1].strip() == 'Double r = geom.Distance2D(0, 0, 3, 4); tvx_check::Equal(r, 5, "docs/x.md:11");'
    assert out[2:] == ['#line 12 "docs/x.md"', "f();  // prose"]


def test_the_snippets_of_the_docs_are_found():
    found = list(snippets.markdown_snippets())
    assert any(p.name == "README.md" for p, _, _ in found)
    assert all(block is not None for _, _, block in found)
    headers = list(snippets.header_snippets())
    assert any(p.name == "cGeom.h" and any("Distance2D" in l for l in b) for p, _, b in headers)
    # Header examples lose their comment marker.
    cgeom = next(b for p, _, b in headers if p.name == "cGeom.h")
    assert cgeom[0].lstrip().startswith("cGeom().PI();")
    assert all(not line.startswith("///") for _, _, block in headers for line in block)


@pytest.mark.skipif(shutil.which("g++") is None, reason="g++ is needed")
@pytest.mark.parametrize("stated, fails", [("0.75", False), ("0.7", True), ("True: y = 3", True)])
def test_a_wrong_stated_result_fails_the_program(tmp_path, stated, fails):
    body = snippets.translate(ROOT / "docs" / "x.md", 1, ["int y = 2;", f"const double x = 0.5 + 0.25;   // {stated}"])
    source = tmp_path / "snippet.cpp"
    source.write_text("\n".join(['#include "tvx_check.h"', "int main() {", "const bool True = true;"] + body +
                                ["return tvx_check::Failures();", "}"]) + "\n")
    program = tmp_path / "snippet"
    build = subprocess.run(["g++", "-std=c++17", "-I", str(ROOT / "calculations"), "-I", str(ROOT / "scripts" / "docs"),
                            str(source), "-o", str(program)], capture_output=True, text=True)
    assert build.returncode == 0, build.stderr
    run = subprocess.run([str(program)], capture_output=True, text=True)
    assert (run.returncode != 0) == fails
    if fails:
        assert "docs/x.md:2: the docs say" in run.stderr
