"""scripts/ci/coverage_gate.py: every function of the fast-path list must have run,
and every region of it run and every condition gone both ways in the normal or the
reference library, unless the list or the source excuses it. Fed small exports of
`llvm-cov export` in its JSON form, the gate must name what did not happen."""
import json
import shutil

import pytest

import coverage_gate
from conftest import run_tool

pytestmark = pytest.mark.skipif(shutil.which("llvm-cxxfilt") is None,
                                reason="llvm-cxxfilt is needed (scripts/setup.sh installs llvm)")

CODE, EXPANSION, GAP = 0, 1, 3

# Mangled names and what llvm-cxxfilt makes of them.
FOO = "_ZN8tervanix3FooEv"                      # tervanix::Foo()
FOO_REF = "_ZN18tervanix_reference3FooEv"       # tervanix_reference::Foo()
BAR_D = "_ZN8tervanix2rt3BarIdEEvi"             # void tervanix::rt::Bar<double>(int)
BAR_F = "_ZN8tervanix2rt3BarIfEEvi"             # void tervanix::rt::Bar<float>(int)
FOO_LAMBDA = "_ZZN8tervanix3FooEvENK3$_0clEd"  # tervanix::Foo()::$_0::operator()(double) const
HELP = "_ZN8tervanix12_GLOBAL__N_14HelpEv"     # tervanix::(anonymous namespace)::Help()


def region(line, col, end_line, end_col, count, file_id=0, expanded=0, kind=CODE):
    return [line, col, end_line, end_col, count, file_id, expanded, kind]


def branch(line, col, true_count, false_count, file_id=0):
    return [line, col, line, col + 5, true_count, false_count, file_id, 0, 4]


def function(name, count, regions, branches=(), files=("/src/calculations/Tervanix/Foo.cpp",)):
    return {"name": name, "count": count, "regions": list(regions), "branches": list(branches),
            "filenames": list(files)}


def gate(tmp_path, functions, listing):
    export = tmp_path / "export.json"
    export.write_text(json.dumps({"data": [{"functions": functions}]}))
    fast_paths = tmp_path / "fast-paths.txt"
    fast_paths.write_text(listing)
    result = run_tool("scripts/ci/coverage_gate.py", export, fast_paths)
    return result.returncode, result.stdout + result.stderr


def whole(name, count=3):
    """A function whose one region ran and whose one condition went both ways."""
    return function(name, count, [region(10, 1, 20, 2, count)], [branch(12, 9, 2, 1)])


def test_a_function_that_ran_whole_passes(tmp_path):
    code, out = gate(tmp_path, [whole(FOO)], "Foo   # the fast path of Foo\n\n# a comment line\n")
    assert code == 0, out
    assert "coverage gate: 1 fast-path functions (normal and reference builds together), " \
           "1 regions and 1 conditions (both ways): all executed" in out


def test_a_listed_function_missing_from_the_coverage_is_named(tmp_path):
    code, out = gate(tmp_path, [whole(FOO)], "Foo\nRenamed\n")
    assert code == 1
    assert "Renamed: no such function in the coverage (renamed? update" in out
    assert "1 misses in 2 listed functions" in out


def test_a_function_that_never_ran_is_named(tmp_path):
    code, out = gate(tmp_path, [function(FOO, 0, [region(10, 1, 20, 2, 0)])], "Foo\n")
    assert code == 1
    assert "  Foo: never ran" in out


def test_the_reference_build_alone_does_not_count_as_having_run(tmp_path):
    # The normal library's function must run; its twin in the reference library is not enough.
    code, out = gate(tmp_path, [function(FOO, 0, [region(10, 1, 20, 2, 0)]), whole(FOO_REF)], "Foo\n")
    assert code == 1
    assert "Foo: never ran" in out


def test_a_region_that_did_not_run_is_named_with_its_place(tmp_path):
    fn = function(FOO, 5, [region(10, 1, 20, 2, 5), region(14, 7, 16, 4, 0)])
    code, out = gate(tmp_path, [fn], "Foo\n")
    assert code == 1
    assert "Foo: Tervanix/Foo.cpp:14:7 never ran" in out


def test_a_region_that_ran_in_the_reference_build_passes(tmp_path):
    normal = function(FOO, 5, [region(10, 1, 20, 2, 5), region(14, 7, 16, 4, 0)])
    reference = function(FOO_REF, 2, [region(10, 1, 20, 2, 2), region(14, 7, 16, 4, 2)])
    code, out = gate(tmp_path, [normal, reference], "Foo\n")
    assert code == 0, out


def test_the_innermost_region_decides(tmp_path):
    # The point 14:7 lies in the outer region, which ran, and in an inner one that did
    # not: it did not run. In the reference build the same point's innermost region ran.
    inner_zero = function(FOO, 5, [region(10, 1, 20, 2, 5), region(14, 7, 16, 4, 0), region(15, 1, 15, 9, 0)])
    code, out = gate(tmp_path, [inner_zero], "Foo\n")
    assert code == 1
    assert "Foo.cpp:14:7 never ran" in out and "Foo.cpp:15:1 never ran" in out
    cut_otherwise = function(FOO_REF, 1, [region(10, 1, 20, 2, 1), region(14, 7, 16, 4, 0), region(15, 1, 15, 9, 1)])
    code, out = gate(tmp_path, [inner_zero, cut_otherwise], "Foo\n")
    assert code == 1
    assert "Foo.cpp:14:7 never ran" in out
    assert "15:1" not in out


def test_gap_and_expansion_regions_are_not_code(tmp_path):
    fn = function(FOO, 5, [region(10, 1, 20, 2, 5), region(12, 1, 12, 30, 0, kind=GAP)])
    code, out = gate(tmp_path, [fn], "Foo\n")
    assert code == 0, out


@pytest.mark.parametrize("true_count, false_count, never", [(0, 4, "true"), (4, 0, "false")])
def test_a_condition_that_went_one_way_only_is_named(tmp_path, true_count, false_count, never):
    fn = function(FOO, 4, [region(10, 1, 20, 2, 4)], [branch(12, 9, true_count, false_count)])
    code, out = gate(tmp_path, [fn], "Foo\n")
    assert code == 1
    assert f"Foo: the condition at Tervanix/Foo.cpp:12:9 was never {never}" in out


@pytest.mark.parametrize("normal_way, reference_way", [((4, 0), (0, 1)), ((0, 4), (1, 0))])
def test_a_condition_counts_both_libraries_together(tmp_path, normal_way, reference_way):
    normal = function(FOO, 4, [region(10, 1, 20, 2, 4)], [branch(12, 9, *normal_way)])
    reference = function(FOO_REF, 1, [region(10, 1, 20, 2, 1)], [branch(12, 9, *reference_way)])
    code, out = gate(tmp_path, [normal, reference], "Foo\n")
    assert code == 0, out


def test_instantiations_of_a_template_count_as_one_function(tmp_path):
    # Bar<double> took the one way, Bar<float> the other and ran the region Bar<double> left.
    file = ("/src/calculations/Tervanix/runtime/Bar.h",)
    d = function(BAR_D, 3, [region(5, 1, 9, 2, 3), region(7, 3, 7, 20, 0)], [branch(6, 7, 3, 0)], file)
    f = function(BAR_F, 1, [region(5, 1, 9, 2, 1), region(7, 3, 7, 20, 1)], [branch(6, 7, 0, 1)], file)
    code, out = gate(tmp_path, [d, f], "rt::Bar\n")
    assert code == 0, out
    code, out = gate(tmp_path, [d], "rt::Bar\n")
    assert code == 1
    assert "rt::Bar: Tervanix/runtime/Bar.h:7:3 never ran" in out
    assert "rt::Bar: the condition at Tervanix/runtime/Bar.h:6:7 was never false" in out


def test_a_lambda_counts_as_the_function_it_is_written_in(tmp_path):
    # The lambda's text (line 11) lies inside Foo's body, whose region ran: the part of
    # the lambda that did not run is still a miss of Foo, as clang's records give it.
    lam = function(FOO_LAMBDA, 2, [region(11, 20, 11, 40, 2), region(11, 30, 11, 35, 0)])
    code, out = gate(tmp_path, [whole(FOO), lam], "Foo\n")
    assert code == 1
    assert "Foo: Tervanix/Foo.cpp:11:30 never ran" in out
    lam_whole = function(FOO_LAMBDA, 2, [region(11, 20, 11, 40, 2), region(11, 30, 11, 35, 1)])
    code, out = gate(tmp_path, [whole(FOO), lam_whole], "Foo\n")
    assert code == 0, out


def test_a_lambda_that_never_ran_is_a_miss_of_its_function(tmp_path):
    lam = function(FOO_LAMBDA, 0, [region(11, 20, 11, 40, 0)])
    code, out = gate(tmp_path, [whole(FOO), lam], "Foo\n")
    assert code == 1
    assert "Foo: Tervanix/Foo.cpp:11:20 never ran" in out


def test_a_function_with_internal_linkage_is_found_by_its_name(tmp_path):
    fn = whole("Foo.cpp:" + HELP)
    code, out = gate(tmp_path, [fn], "(anonymous namespace)::Help\n")
    assert code == 0, out


def test_a_macros_code_is_reported_where_the_macro_is_used(tmp_path):
    # File 1 is the macro's expansion, written at line 30, column 5 of the own file (0).
    files = ("/src/calculations/Tervanix/Foo.cpp", "/src/calculations/Tervanix/Macros.h")
    fn = function(FOO, 2, [region(25, 1, 40, 2, 2), region(30, 5, 30, 25, 2, 0, 1, EXPANSION),
                           region(3, 1, 3, 50, 0, 1)], [], files)
    code, out = gate(tmp_path, [fn], "Foo\n")
    assert code == 1
    assert "Foo: Tervanix/Foo.cpp:30:5 never ran" in out
    assert "Macros.h" not in out


def test_lines_the_list_marks_unreached_are_excused(tmp_path):
    fn = function(FOO, 5, [region(10, 1, 20, 2, 5), region(14, 7, 16, 4, 0)], [branch(15, 3, 0, 5)])
    code, out = gate(tmp_path, [fn], "Foo unreached Tervanix/Foo.cpp:14-15   # a thread that cannot start\n")
    assert code == 0, out
    code, out = gate(tmp_path, [fn], "Foo unreached Tervanix/Foo.cpp:15\n")
    assert code == 1
    assert "Foo.cpp:14:7 never ran" in out
    assert "condition at" not in out
    code, out = gate(tmp_path, [fn], "Foo unreached Tervanix/Other.cpp:1-100\n")
    assert code == 1


def test_a_line_of_the_list_it_cannot_read_stops_the_gate(tmp_path):
    code, out = gate(tmp_path, [whole(FOO)], "Foo unreached\n")
    assert code != 0
    assert "cannot read the line: Foo unreached" in out
    code, out = gate(tmp_path, [whole(FOO)], "Foo Bar\n")
    assert "cannot read the line: Foo Bar" in out


def source_file(tmp_path, lines):
    path = tmp_path / "calculations" / "Tervanix" / "Foo.cpp"
    path.parent.mkdir(parents=True, exist_ok=True)
    path.write_text("\n".join(lines) + "\n")
    return str(path)


SOURCE = [
    "void Foo() {",                                                  # 1
    "    if (rare) Spawn();  // differential: unreachable",          # 2
    "    // differential: unreachable: memory runs out",            # 3
    "    if (bad) Fail();",                                          # 4
    "    if (x) {",                                                  # 5
    "        // differential: unreachable (checked above)",         # 6
    "        Never();",                                              # 7
    "        if (w) Again();",                                       # 8
    "    if constexpr (rt::kStepByStep) Slow();",                    # 9
    "    y = rt::kStepByStep ? Slow() : Fast();",                    # 10
    "    if (z) Plain();",                                           # 11
    "}",                                                             # 12
]


@pytest.mark.parametrize("line, col, why", [
    (2, 15, "marked at the end of its line"),
    (4, 15, "marked in the comment line above"),
    (5, 12, "the block opening on the line is marked in its first comment"),
    (9, 19, "the condition of an if constexpr"),
    (10, 27, "an arm of kStepByStep ? :"),
])
def test_code_the_source_excuses(tmp_path, line, col, why):
    file = source_file(tmp_path, SOURCE)
    fn = function(FOO, 1, [region(1, 1, 12, 2, 1), region(line, col, line, col + 3, 0)],
                  [branch(line, col, 0, 1)], (file,))
    code, out = gate(tmp_path, [fn], "Foo\n")
    assert code == 0, f"{why}: {out}"


@pytest.mark.parametrize("line, col", [
    (11, 12),  # no marker anywhere near
    (9, 37),   # the statement after an if constexpr's condition is not excused
    (10, 5),   # before the ?: of kStepByStep
    (8, 16),   # further inside the marked block: the mark excuses where it stands only
])
def test_code_the_source_does_not_excuse(tmp_path, line, col):
    file = source_file(tmp_path, SOURCE)
    fn = function(FOO, 1, [region(1, 1, 12, 2, 1), region(line, col, line, col + 3, 0)], [], (file,))
    code, out = gate(tmp_path, [fn], "Foo\n")
    assert code == 1
    assert f"Foo.cpp:{line}:{col} never ran" in out


def test_every_miss_is_listed(tmp_path):
    fn = function(FOO, 5, [region(10, 1, 20, 2, 5), region(11, 1, 11, 9, 0), region(13, 1, 13, 9, 0)],
                  [branch(15, 3, 0, 5), branch(17, 3, 5, 0)])
    code, out = gate(tmp_path, [fn, function(BAR_D, 0, [])], "Foo\nrt::Bar\nGone\n")
    assert code == 1
    assert "coverage gate: 6 misses in 3 listed functions" in out


@pytest.mark.parametrize("demangled, name", [
    ("tervanix::Foo()", "tervanix::Foo"),
    ("void tervanix::rt::Bar<double>(int)", "tervanix::rt::Bar"),
    ("tervanix::rt::Fp tervanix::rt::operator+<tervanix::rt::Fp>(tervanix::rt::Fp, double)",
     "tervanix::rt::operator+"),
    ("std::pair<int, double> tervanix::cGeom::Line2D(double, double) const", "tervanix::cGeom::Line2D"),
    ("tervanix::Foo()::$_0::operator()(double) const", "tervanix::Foo"),
    ("tervanix::(anonymous namespace)::Help()", "tervanix::(anonymous namespace)::Help"),
    ("void tervanix::batch::SearchEach<16>(double const*, int)", "tervanix::batch::SearchEach"),
])
def test_the_name_a_function_is_listed_by(demangled, name):
    assert coverage_gate.base_name(demangled) == name


def test_the_project_list_is_readable():
    from conftest import ROOT
    names = coverage_gate.listed(ROOT / "scripts" / "ci" / "fast-paths.txt")
    assert len(names) > 5
    assert all(not n.startswith("tervanix::") for n, _ in names)
